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

// The 21 columns of the grids that show whole movements (the archive export and the three
// unpaid-payments lists): "N." (the row number) then 20 record fields. exportWidth is 0 for
// the row number, which is not exported.
struct GridColumn {
    QString header;
    int screenWidth = 0;
    int exportWidth = 0;
};
const QList<GridColumn>& gridColumns();
// Columns 1 to 20 as written to the spreadsheet file.
QList<exporting::SheetColumn> exportColumns();
// Columns 1 to 20 declared by record field, for grids that keep only the fields they show:
// the kind from the Entrata flag ("Entrata" for "Sì", "Uscita" for "No"), then one
// field each, with the headings and widths of gridColumns().
const QList<exporting::FieldColumn>& fieldColumns();

// "Entrata" when Entrata is "Sì", "Uscita" when it is "No", empty for a damaged flag.
QString kindText(const char* record);

// One grid row: `number` (1, 2, 3 …) then the 20 trimmed fields in the order of
// gridColumns(), Totale with its sign.
QStringList gridRow(const char* record, qsizetype number);

} // namespace tavolex::movements
