#pragma once

#include "layout.h"

#include <QString>
#include <array>
#include <optional>

namespace tavolex::records {

// The archives of the program, in the order a search over every archive lists them.
enum class ArchiveKind { Clients, Protocol, Practices, Deadlines, Movements };

// What an archive is: its title, how its file is named, its record layout and the card that
// shows one of its records. Every other part of the program asks here.
struct ArchiveEntry {
    ArchiveKind kind;
    const char16_t* title;      // "Clienti"
    const char16_t* singleName; // "Clienti.pro"; null for an archive of one file a year
    const char16_t* extension;  // "prt" of "yyyy.prt"; null for a single archive
    const RecordLayout& (*layout)();
    const char16_t* card; // the screen showing a record: "TfrmClienti"

    bool isYearly() const { return singleName == nullptr; }
    // "Clienti.pro"; for a yearly archive "2026.prt" (the year in four digits).
    QString fileName(int year = 0) const;
    // A yearly archive's name from the year as typed: "2026" → "2026.prt" (trimmed).
    QString fileName(const QString& yearText) const;
};

const std::array<ArchiveEntry, 5>& archiveCatalogue();
const ArchiveEntry& archiveEntry(ArchiveKind kind);

// The archive a file name of the program folder names, and its year (0 for a single one):
// "Clienti.pro", "Pratiche.pro", or four digits with ".prt", ".sca" or ".eur".
struct NamedArchive {
    const ArchiveEntry* entry;
    int year;
};
std::optional<NamedArchive> archiveNamed(const QString& fileName);

} // namespace tavolex::records
