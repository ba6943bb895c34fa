#pragma once

#include "dates/clock.h"
#include "files/safewrite.h"
#include "records/store.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>

namespace tavolex::calendar {

// The deadlines and payments due of a year as an iCalendar file (RFC 5545) that calendar
// programs import or subscribe to. libical builds and writes every line: this module only
// decides what each event holds.
//
// One VEVENT per record, with a UID made of the year, the record's position and its kind
// ("2024-17-scadenza@tavolex"): records are never deleted, so a later export replaces the
// same events in the user's calendar instead of adding copies.

enum class Kind {
    Deadlines, // yyyy.sca: every deadline of the year
    Payments,  // yyyy.eur: the movements not settled (Saldato "No") that have a due date
};

// The time zone of every timed event, written with its VTIMEZONE.
inline constexpr char kTimeZone[] = "Europe/Rome";

// "Scadenze_2024.ics" / "Pagamenti_2024.ics".
QString fileName(Kind kind, int year);

// The section [Calendario] of Cartovia.ini: Aggiorna ("Sì" rewrites the year's file after
// every save of a deadline or movement) and Cartella (the folder of the files; empty: the
// program folder).
struct Settings {
    bool keepCurrent = false;
    QString folder;
};
Settings readSettings();
files::WriteResult writeSettings(const Settings& settings);

// The file of `kind` and `year` in the folder the settings name, else in the program folder.
QString outputPath(Kind kind, int year, const Settings& settings);

// What an export did. `events` and `skipped` count the records written and the records
// passed over because their date, time or notice days cannot be read; a movement without
// a due date or already settled is neither.
struct Outcome {
    bool archiveRead = true; // false: the archive exists but could not be read
    files::WriteResult written = files::WriteResult::success();
    qint64 events = 0;
    qint64 skipped = 0;
    QString path;
    bool ok() const { return archiveRead && written.ok(); }
};

// Called now and then with the records read so far and the records of the archive.
using Progress = std::function<void(qint64 done, qint64 total)>;

// The calendar of the archive `archive` (of year `year`) as file bytes; `stamp` is the
// DTSTAMP of every event. On a read failure the result is empty and `outcome->archiveRead`
// false.
QByteArray buildCalendar(Kind kind, const records::Archive& archive, int year,
                         const QDateTime& stamp, Outcome* outcome, const Progress& progress = {});

// Writes the calendar of `archive` to `target` through the safe write: on any failure the
// earlier file stays as it was.
Outcome exportCalendar(Kind kind, const records::Archive& archive, int year, const QString& target,
                       const QDateTime& stamp = dates::Clock::now().toUTC(),
                       const Progress& progress = {});

// The year of a yearly archive in four digits ("2024" → 2024), or 0 (a year typed otherwise).
int archiveYear(const records::ArchiveId& archive);

} // namespace tavolex::calendar
