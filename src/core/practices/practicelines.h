#pragma once

#include "export/spreadsheet.h"
#include "lists/lastmatch.h"
#include "search/filters.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tavolex::practices {

// Line of a practice in the search and the urgent list, from the raw bytes of one record:
// Oggetto (42) + "  Prot. " + Protocollo (16) + "  Data: " + Apertura (10) + "  " +
// Cliente (28) + "  Tel. " + Recapito (14) + "  " + Stato (trimmed, not cut).
QString practiceLine(const char* record);
// Its first column when the line begins with it (lists::lineHead), for the list scans.
QString practiceLineHead(const char* record);

// Urgent: the trimmed Urgente is exactly "Sì".
bool isUrgent(const char* record);

// The record fields compared with the ten filters, in the order of the filter panel:
// Oggetto, Tipologia, Protocollo, Apertura, Stato, Documenti, Cliente, CodFisc,
// Consulente, Note.
const QStringList& searchFields();
search::RecordFilter searchFilter(const QStringList& filterTexts);

// The lines of the practices the filters let through / of the urgent practices, in file
// order, each with the record behind it: of the practices giving that line (any practice
// for the search, urgent ones for the urgent list), the last. False when the archive exists
// but cannot be read; a missing archive lists nothing. The search then leaves `lines` as it
// was, the urgent list holds the lines read until the failure.
bool searchArchive(const records::Archive& archive, const QStringList& filterTexts,
                   lists::ListedLines* lines);
bool urgentLines(const records::Archive& archive, lists::ListedLines* lines);

// The record behind a double-clicked line: the last one in the file with that line
// (among urgent practices only, for the urgent list).
enum class Among { All, Urgent };
// `listed`: the record the list found behind the line (lists::findLastWithLine).
bool findByLine(const records::Archive& archive, const QString& line, Among among,
                std::optional<lists::ChosenRecord>* found, const lists::ListedRecord& listed = {});

// The 20 exported fields, Oggetto to Note (the row number "N." comes first on screen only).
const QList<exporting::FieldColumn>& columns();

// Program folder + "Pratica_" + the practice's position: the folder of its scanned copies.
QString folderOf(const QString& position);
// Creates the folder with its missing parents (an existing one is left alone); false when
// it cannot be made (a file of that name, a read-only folder).
bool makeFolder(const QString& path);

} // namespace tavolex::practices
