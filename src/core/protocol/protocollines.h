#pragma once

#include "dates/interval.h"
#include "export/spreadsheet.h"
#include "search/filters.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tavolex::protocol {

// Result line of the protocol search, built from the raw bytes of one record:
// "Prot. n. " + Numero (14) + "  Data: " + DataReg (10) + "  Posta: " + Tipo (10) + "  " +
// Oggetto (35) + "  Da: " + Mittente (24) + "  A: " + Destinatario (trimmed, not cut).
QString searchLine(const char* record);
// Its first column when the line begins with it (lists::lineHead), for the list scans.
QString searchLineHead(const char* record);

// The record fields compared with the ten filters, in the order of the filter panel:
// Numero, Tipo, DataReg, Operatore, Categoria, Oggetto, Mittente, Destinatario,
// Riferimenti, Note.
const QStringList& searchFields();
search::RecordFilter searchFilter(const QStringList& filterTexts);

// The summary and export grids: "N." (the row number) then the first 18 record fields,
// declared by field with their widths on screen and in "Protocollo.xls".
const QList<exporting::FieldColumn>& columns();
QList<exporting::SheetColumn> sheetColumns();

// Dates typed as dd/mm/yyyy (day and month of one or two digits, four-digit year).
std::optional<QDate> parseDate(const QString& text);

// The checks of the period summary, in order; the first failure wins. They are the program's
// interval checks, shared with the other period screens.
using IntervalCheck = dates::IntervalCheck;
using IntervalVerdict = dates::IntervalVerdict;
IntervalVerdict checkInterval(const QString& startText, const QString& endText);

} // namespace tavolex::protocol
