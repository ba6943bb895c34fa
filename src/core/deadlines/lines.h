#pragma once

#include "export/spreadsheet.h"
#include "rules.h"
#include "search/filters.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tavolex::deadlines {

// --- Summary line (confirmation lists and search) -----------------------------------------

// Causale (30) + "  Data: " + DataSca (10) + "  Ora: " + Ora (5) + "  Cliente: " +
// Cliente (28) + "  " + Oggetto (30) + "  € " + Importo (trimmed, not padded). Each field is
// trimmed, then padded with blanks on the right or cut to its width.
QString summaryLine(const char* record);
// Its first column when the line begins with it (lists::lineHead), for the list scans.
QString summaryLineHead(const char* record);

// Sorts the lines as the lists keep them: ascending by their whole text, letters A-Z
// without regard to case (compareIgnoringCase). Lines that compare equal keep their order.
void sortSummaryLines(QStringList& lines);
// The same order for lines that carry their records.
void sortSummaryLines(lists::ListedLines& lines);

// --- Search ----------------------------------------------------------------------------------

// The record fields compared with the ten filters, in the order of the filter panel
// (txtData, txtOra, txtCliente, txtCodFisc, txtOggetto, txtProtocollo, txtStato,
// txtConsulente, txtDettagli, txtNote): DataSca, Ora, Cliente, CodFisc, Oggetto,
// Protocollo, Stato, Consulente, Causale, Note.
const QStringList& searchFields();
// Each non-blank filter must occur, as typed and A-Z case-insensitive, in its field.
search::RecordFilter searchFilter(const QStringList& filterTexts);

// "Il presente elenco contiene " + count + " schede."
QString foundCountText(qsizetype count);

inline constexpr char16_t kSearchCaption[] = u" Trova scadenze pagamenti in archivio";
inline constexpr char16_t kSearchPrintedTitle[] = u"Riepilogo scadenze e appuntamenti";
// The mode the card writes into the search's lblMemory; only in it does a double-click load
// the chosen deadline into the card.
inline constexpr char16_t kSearchCardMode[] = u"Scadenzario";

// --- Grids -----------------------------------------------------------------------------------

// One row of a due-date list (21 columns) or of the export grid (20 columns).
struct DeadlineRow {
    qint64 number = 0;  // column 0 "N.": file order among the listed records, from 1
    QStringList fields; // columns 1 to 19, trimmed: DataSca … Note
    QString key;        // column 20 of the due-date lists: the order key

    // Column 0 gives the number, 1 to 19 the fields, 20 the key; empty beyond.
    QString cell(int column) const;
};

// The 19 trimmed grid fields of a record, columns 1 to 19.
QStringList gridFields(const char* record);

// Sorts by order key, ascending (compareIgnoringCase: numeric order for eight-digit keys).
// Whole rows move, so each keeps the number it got in file order; rows with equal keys
// keep their file order.
void sortByOrderKey(QList<DeadlineRow>& rows);

// Columns 1 to 19 of both grids (after the row number "N."), by record field, with their
// widths on screen and in the file; "Modalit\u00E0 di pagamento" to "Pagamento effettuato"
// (columns 14 to 18) can be retyped for an export.
const QList<exporting::FieldColumn>& columns();
inline constexpr char16_t kOrderKeyHeader[] = u"Codice univoco";
inline constexpr int kOrderKeyWidth = 150;
// The last column of the due-date lists: the order key, which can be retyped too.
exporting::FieldColumn orderKeyColumn();

// The exported columns (headers and file widths): the 19 fields and the order key of the
// due-date lists, the 19 fields of the archive export.
QList<exporting::SheetColumn> dueListSheetColumns();
QList<exporting::SheetColumn> archiveSheetColumns();

// --- Screen texts ----------------------------------------------------------------------------

struct DueListTexts {
    QString caption;
    exporting::ExportTarget target;
};
// " Scadenze imminenti" / " Scadenze del giorno" / " Scadenze del mese" and their files.
DueListTexts dueListTexts(DueList list);

struct ConfirmationListTexts {
    QString caption;
    QString printedTitle;
};
// " Riepilogo pagamenti da effettuare", " Riepilogo pagamenti effettuati",
// " Riepilogo appuntamenti da confermare" and the printed titles (the same without the blank).
ConfirmationListTexts confirmationListTexts(ConfirmationList list);

} // namespace tavolex::deadlines
