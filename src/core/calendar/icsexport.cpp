#include "icsexport.h"

#include "dates/datetext.h"
#include "deadlines/fields.h"
#include "deadlines/rules.h"
#include "money/amount.h"
#include "movements/movementrecord.h"
#include "programfolder.h"
#include "records/layouts.h"
#include "records/record.h"
#include "records/store.h"
#include "settings/inifile.h"
#include "settings/programsettings.h"
#include "text/casing.h"

#include <QDir>
#include <QFileInfo>
#include <QTimeZone>
#include <libical/ical.h>
#include <memory>
#include <vector>

namespace tavolex::calendar {

using namespace Qt::Literals::StringLiterals;

namespace {

// Section [Calendario] of the program's settings file.
constexpr settings::FlagKey kKeepCurrent{u"Calendario", u"Aggiorna", records::kYes, records::kNo,
                                         false};
constexpr settings::TextKey kFolder{u"Calendario", u"Cartella"};

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

// A field's text as a calendar may carry it: without control characters other than TAB
// (ESC, DEL, a stray CR or LF, C1 codes from undefined Windows-1252 bytes), which RFC 5545
// forbids in a text value and libical writes out raw. The description's own line breaks
// come from joining the fields, not from a field.
QString text(const char* record, const records::FieldSpec& field) {
    QString t = records::readField(record, field);
    t.removeIf([](QChar c) { return c.category() == QChar::Other_Control && c != u'\t'; });
    return text::trimmed(t);
}

void addText(icalcomponent* c, icalproperty* p) {
    icalcomponent_add_property(c, p);
}

// "12,50 €" for an amount that reads as one; the stored text otherwise, so that nothing the
// user wrote is lost. Empty for an empty or zero amount.
QString amountText(const QString& stored) {
    if (stored.isEmpty()) return {};
    const std::optional<money::Amount> amount = money::parseAmount(stored);
    if (!amount) return stored + u" \u20AC"_s;
    if (amount->isZero()) return {};
    return amount->roundedTo(2).toText(2) + u" \u20AC"_s;
}

QString labelled(const QString& label, const QString& value) {
    return value.isEmpty() ? QString() : label + value;
}

QString joinLines(std::initializer_list<QString> lines) {
    QStringList kept;
    for (const QString& line : lines)
        if (!line.isEmpty()) kept << line;
    return kept.join(u'\n');
}

QString summaryOf(const QString& reason, const QString& fallback, const QString& who) {
    const QString what = reason.isEmpty() ? fallback : reason;
    return who.isEmpty() ? what : what + u" - "_s + who;
}

icaltimetype dateValue(const QDate& d) {
    icaltimetype t = icaltime_null_date();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    return t;
}

// The local times that do not exist in the zone during the year (the hour skipped when the
// clocks go forward), as wall-clock spans [from, to), each held in a UTC QDateTime used as
// a plain date and time.
struct Gap {
    QDateTime from;
    QDateTime to;
};
std::vector<Gap> gapsOf(int year) {
    std::vector<Gap> gaps;
    const QTimeZone zone{QByteArray(kTimeZone)};
    if (!zone.isValid()) return gaps;
    const QDateTime start(QDate(year, 1, 1).addDays(-1), QTime(0, 0), Qt::UTC);
    const QDateTime end(QDate(year, 12, 31).addDays(2), QTime(0, 0), Qt::UTC);
    for (const QTimeZone::OffsetData& t : zone.transitions(start, end)) {
        const int before = zone.offsetFromUtc(t.atUtc.addSecs(-1));
        const int after = t.offsetFromUtc;
        if (after <= before) continue;
        gaps.push_back({t.atUtc.addSecs(before), t.atUtc.addSecs(after)});
    }
    return gaps;
}

// The wall-clock time as it can exist in the zone: a time inside a skipped hour becomes the
// first valid time after it (02:30 on the night the clocks go forward gives 03:00).
QDateTime existingTime(const QDateTime& wall, const std::vector<Gap>& gaps) {
    for (const Gap& g : gaps)
        if (wall >= g.from && wall < g.to) return g.to;
    return wall;
}

icalproperty* zonedTime(icalproperty* p) {
    icalproperty_add_parameter(p, icalparameter_new_tzid(kTimeZone));
    return p;
}

icaltimetype timeValue(const QDateTime& wall) {
    icaltimetype t = icaltime_null_time();
    t.year = wall.date().year();
    t.month = wall.date().month();
    t.day = wall.date().day();
    t.hour = wall.time().hour();
    t.minute = wall.time().minute();
    t.second = 0;
    t.is_date = 0;
    return t;
}

icalcomponent* alarm(int noticeDays, const QByteArray& description) {
    icalcomponent* a = icalcomponent_new_valarm();
    icalcomponent_add_property(a, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icaltriggertype trigger;
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_null_duration();
    trigger.duration.days = static_cast<unsigned int>(noticeDays);
    trigger.duration.is_neg = noticeDays > 0 ? 1 : 0;
    icalcomponent_add_property(a, icalproperty_new_trigger(trigger));
    icalcomponent_add_property(a, icalproperty_new_description(description.constData()));
    return a;
}

// The parts every event shares: UID, DTSTAMP, an all-day date or a one-hour time in the zone,
// summary and description.
struct EventParts {
    QByteArray uid;
    QDate date;
    std::optional<QDateTime> wallTime; // none: all day
    QString summary;
    QString description;
};

icalcomponent* newEvent(const EventParts& e, const icaltimetype& stamp) {
    icalcomponent* ev = icalcomponent_new_vevent();
    icalcomponent_add_property(ev, icalproperty_new_uid(e.uid.constData()));
    icalcomponent_add_property(ev, icalproperty_new_dtstamp(stamp));
    if (e.wallTime) {
        icalcomponent_add_property(ev, zonedTime(icalproperty_new_dtstart(timeValue(*e.wallTime))));
        icalcomponent_add_property(ev, icalproperty_new_duration(icaldurationtype_from_int(3600)));
    } else {
        icalcomponent_add_property(ev, icalproperty_new_dtstart(dateValue(e.date)));
        icalcomponent_add_property(ev, icalproperty_new_dtend(dateValue(e.date.addDays(1))));
    }
    addText(ev, icalproperty_new_summary(e.summary.toUtf8().constData()));
    if (!e.description.isEmpty())
        addText(ev, icalproperty_new_description(e.description.toUtf8().constData()));
    return ev;
}

std::optional<int> clockPart(const QString& stored, int max) {
    if (stored.isEmpty()) return 0;
    if (stored.size() > 2) return std::nullopt;
    for (QChar c : stored)
        if (c < u'0' || c > u'9') return std::nullopt;
    const int v = stored.toInt();
    if (v > max) return std::nullopt;
    return v;
}

class Builder {
public:
    Builder(int year, const QDateTime& stamp) : m_year(year), m_gaps(gapsOf(year)) {
        const QDateTime utc = stamp.toUTC();
        m_stamp = timeValue(utc);
        m_stamp.second = utc.time().second();
        m_stamp.zone = icaltimezone_get_utc_timezone();
    }

    // One deadline record; false when it cannot be read.
    icalcomponent* deadline(qint64 position, const char* record) {
        const deadlines::DeadlineFields& f = deadlines::fields();
        const std::optional<QDate> due = dates::parseDate(text(record, f.dataSca));
        const std::optional<int> notice = deadlines::noticeDays(text(record, f.preavviso));
        const std::optional<int> hours = clockPart(text(record, f.ore), 23);
        const std::optional<int> minutes = clockPart(text(record, f.minuti), 59);
        if (!due || !notice || !hours || !minutes) return nullptr;

        static const records::FieldSpec& protocollo =
            records::deadlineLayout().field(u"Protocollo");
        static const records::FieldSpec& pagamento = records::deadlineLayout().field(u"Pagamento");
        static const records::FieldSpec& ricevuta = records::deadlineLayout().field(u"Ricevuta");
        static const records::FieldSpec& note = records::deadlineLayout().field(u"Note");

        EventParts e;
        e.uid =
            QByteArray::number(m_year) + '-' + QByteArray::number(position) + "-scadenza@tavolex";
        e.date = *due;
        if (*hours != 0 || *minutes != 0)
            e.wallTime = existingTime(QDateTime(*due, QTime(*hours, *minutes), Qt::UTC), m_gaps);
        const QString client = text(record, f.cliente);
        e.summary = summaryOf(text(record, f.causale), u"Scadenza"_s, client);
        e.description = joinLines({labelled(u"Cliente: "_s, client),
                                   labelled(u"Pratica: "_s, text(record, f.oggetto)),
                                   labelled(u"Protocollo n. "_s, text(record, protocollo)),
                                   labelled(u"Importo: "_s, amountText(text(record, f.importo))),
                                   labelled(u"Pagamento: "_s, text(record, pagamento)),
                                   labelled(u"Ricevuta: "_s, text(record, ricevuta)),
                                   labelled(u"Note: "_s, text(record, note))});
        icalcomponent* ev = newEvent(e, m_stamp);
        icalcomponent_add_property(ev,
                                   icalproperty_new_status(records::isYes(record, f.daConfermare)
                                                               ? ICAL_STATUS_TENTATIVE
                                                               : ICAL_STATUS_CONFIRMED));
        if (records::isYes(record, f.effettuato))
            icalcomponent_add_property(ev, icalproperty_new_categories("Pagato"));
        else
            icalcomponent_add_component(ev, alarm(*notice, e.summary.toUtf8()));
        return ev;
    }

    // One movement record: an event, or none with `unreadable` telling why.
    icalcomponent* payment(qint64 position, const char* record, bool* unreadable) {
        const movements::MovementFields& f = movements::fields();
        *unreadable = false;
        if (!records::isNo(record, f.saldato)) return nullptr;
        const QString dueText = text(record, f.dataSca);
        if (dueText.isEmpty()) return nullptr;
        const std::optional<QDate> due = dates::parseDate(dueText);
        const std::optional<int> notice = deadlines::noticeDays(text(record, f.preavviso));
        if (!due || !notice) {
            *unreadable = true;
            return nullptr;
        }
        const bool income = records::isYes(record, f.entrata);
        const QString who = text(record, income ? f.pagatore : f.beneficiario);
        EventParts e;
        e.uid =
            QByteArray::number(m_year) + '-' + QByteArray::number(position) + "-pagamento@tavolex";
        e.date = *due;
        e.summary = summaryOf(text(record, f.causale), u"Pagamento"_s, who);
        e.description = joinLines(
            {labelled(income ? u"Entrata: "_s : u"Uscita: "_s, amountText(text(record, f.importo))),
             labelled(income ? u"Pagatore: "_s : u"Beneficiario: "_s, who),
             labelled(u"Promemoria: "_s, text(record, f.promemoria)),
             labelled(u"Pagamento: "_s, text(record, f.pagamento)),
             labelled(u"Ricevuta: "_s, text(record, f.ricevuta)),
             labelled(u"Note: "_s, text(record, f.note))});
        icalcomponent* ev = newEvent(e, m_stamp);
        icalcomponent_add_component(ev, alarm(*notice, e.summary.toUtf8()));
        return ev;
    }

private:
    int m_year;
    std::vector<Gap> m_gaps;
    icaltimetype m_stamp;
};

// The calendar with its properties and the zone's VTIMEZONE, without events.
Component calendarShell(Kind kind, int year) {
    Component cal(icalcomponent_new_vcalendar());
    icalcomponent_add_property(cal.get(),
                               icalproperty_new_prodid("-//Tavolex//Calendario 1.0//IT"));
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(cal.get(), icalproperty_new_calscale("GREGORIAN"));
    const QByteArray name =
        (kind == Kind::Deadlines ? u"Scadenze %1"_s : u"Pagamenti %1"_s).arg(year).toUtf8();
    icalproperty* calName = icalproperty_new_x(name.constData());
    icalproperty_set_x_name(calName, "X-WR-CALNAME");
    icalcomponent_add_property(cal.get(), calName);

    // The zone as libical knows it, under the zone's own name rather than libical's prefixed
    // one, so that every calendar program recognises it.
    if (icaltimezone* zone = icaltimezone_get_builtin_timezone(kTimeZone)) {
        if (icalcomponent* vtz = icaltimezone_get_component(zone)) {
            icalcomponent* copy = icalcomponent_new_clone(vtz);
            if (icalproperty* tzid = icalcomponent_get_first_property(copy, ICAL_TZID_PROPERTY))
                icalproperty_set_tzid(tzid, kTimeZone);
            icalcomponent_add_component(cal.get(), copy);
        }
    }
    return cal;
}

QByteArray serialise(icalcomponent* c) {
    char* s = icalcomponent_as_ical_string_r(c);
    QByteArray bytes(s);
    icalmemory_free_buffer(s);
    // libical folds a property line together with its closing CR LF: a line that reaches the
    // fold just there comes out as "...\r" "\r\n " "\n", right once unfolded but a bare CR and
    // a bare LF to a strict reader. Fields hold no CR, so this is only ever that line end.
    bytes.replace("\r\r\n \n", "\r\n");
    return bytes;
}

} // namespace

QString fileName(Kind kind, int year) {
    return (kind == Kind::Deadlines ? u"Scadenze_%1.ics"_s : u"Pagamenti_%1.ics"_s)
        .arg(year, 4, 10, QChar(u'0'));
}

Settings readSettings() {
    const settings::IniFile ini(settings::programSettingsPath());
    Settings s;
    s.keepCurrent = kKeepCurrent.read(ini);
    s.folder = kFolder.read(ini).trimmed();
    return s;
}

files::WriteResult writeSettings(const Settings& s) {
    settings::IniFile ini(settings::programSettingsPath());
    if (files::WriteResult r = kKeepCurrent.write(ini, s.keepCurrent); !r) return r;
    return kFolder.write(ini, s.folder.trimmed());
}

QString outputPath(Kind kind, int year, const Settings& s) {
    if (s.folder.isEmpty()) return programPath(fileName(kind, year));
    return QDir(s.folder).filePath(fileName(kind, year));
}

int archiveYear(const records::ArchiveId& archive) {
    const QString& year = archive.year;
    bool ok = false;
    const int number = year.toInt(&ok);
    return ok && year.size() == 4 && year.front().isDigit() ? number : 0;
}

QByteArray buildCalendar(Kind kind, const records::Archive& archive, int year,
                         const QDateTime& stamp, Outcome* outcome, const Progress& progress) {
    qint64 total = 0;
    if (archive.exists()) {
        if (const std::unique_ptr<records::OpenArchive> open = archive.open())
            total = std::max<qint64>(0, open->count());
    }
    Builder builder(year, stamp);
    Component cal = calendarShell(kind, year);
    // The shell is written by libical; the events, each written by libical too, go before its
    // closing line. Joining them here keeps a year of 100,000 records to one event in memory
    // at a time instead of a whole tree.
    const QByteArray shell = serialise(cal.get());
    const QByteArray closing = "END:VCALENDAR\r\n";
    const qsizetype closingAt = shell.lastIndexOf(closing);
    Q_ASSERT(closingAt > 0);
    QByteArray out = shell.left(closingAt);
    qint64 events = 0;
    qint64 skipped = 0;
    const bool read = records::forEachRecord(archive, [&](qint64 k, const char* record) {
        bool unreadable = false;
        icalcomponent* ev = nullptr;
        if (kind == Kind::Deadlines) {
            ev = builder.deadline(k, record);
            unreadable = ev == nullptr;
        } else {
            ev = builder.payment(k, record, &unreadable);
        }
        if (ev) {
            Component owned(ev);
            out += serialise(ev);
            ++events;
        }
        if (unreadable) ++skipped;
        if (progress && (k % 1000 == 0 || k == total)) progress(k, total);
        return true;
    });
    outcome->archiveRead = read;
    outcome->events = events;
    outcome->skipped = skipped;
    if (!read) return {};
    out += shell.mid(closingAt);
    return out;
}

Outcome exportCalendar(Kind kind, const records::Archive& archive, int year, const QString& target,
                       const QDateTime& stamp, const Progress& progress) {
    Outcome outcome;
    outcome.path = target;
    const QByteArray bytes = buildCalendar(kind, archive, year, stamp, &outcome, progress);
    if (!outcome.archiveRead) return outcome;
    outcome.written = files::replaceFile(target, bytes);
    return outcome;
}

} // namespace tavolex::calendar
