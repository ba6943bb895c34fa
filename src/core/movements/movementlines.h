#pragma once

#include "export/spreadsheet.h"
#include "search/filters.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tavolex::movements {

// List line of the payments-due list and of the movement search, built from the raw bytes of
// one record: Causale (40) + "  Scad. " + DataSca (10) + "  Da: " + Pagatore (30) + "  A: " +
// Beneficiario (30) + "  Importo: " + Totale (trimmed, with its sign, not cut). The line is
// also the key by which a double-click finds the movement again.
QString listLine(const char* record);
// Its first column when the line begins with it (lists::lineHead), for the list scans.
QString listLineHead(const char* record);

// The record fields compared with the ten search filters, in the order of the filter panel:
// Data, DataSca, Causale, Promemoria, Pagatore, Categoria, Beneficiario, Ricevuta, Tariffa,
// Note.
const QStringList& searchFields();
search::RecordFilter searchFilter(const QStringList& filterTexts);

// "Il presente riepilogo contiene " + count + " schede."
QString foundCountText(qsizetype count);

// Titles of the two printed lists.
inline constexpr char16_t kDueListTitle[] =
    u"Riepilogo pagamenti in scadenza o scaduti e non saldati";
inline constexpr char16_t kSearchListTitle[] = u"Riepilogo movimenti in archivio";

// The 20 columns of the grids that show whole movements (the archive export and the three
// unpaid-payments lists), after their row number "N.", by record field: the kind from the
// Entrata flag ("Entrata" for "S\u00EC", "Uscita" for "No"), then one field each, with their
// headings and widths on screen and in the file.
const QList<exporting::FieldColumn>& columns();
// The same as written to the spreadsheet file.
QList<exporting::SheetColumn> sheetColumns();

// "Entrata" when Entrata is "Sì", "Uscita" when it is "No", empty for a damaged flag.
QString kindText(const char* record);

// One grid row: `number` (1, 2, 3 …) then the 20 trimmed fields in the order of
// columns(), Totale with its sign.
QStringList gridRow(const char* record, qsizetype number);

} // namespace tavolex::movements
