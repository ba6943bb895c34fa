#pragma once

#include "files/safewrite.h"
#include "records/layout.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>

namespace tavolex::exporting {

// One column of an exported worksheet as the writer takes it: its heading and its width in
// the file. Made from the grid's FieldColumns by sheetColumns().
struct SheetColumn {
    QString heading;
    int width = 0;
};

// Where the text of a grid column's cells comes from.
enum class CellSource {
    Field,     // record field `field`, then `joined` after a blank when given
    RowNumber, // the row's place in file order: 1, 2, 3 ...
    SortKey,   // the key the rows are sorted by
    Computed,  // a text worked out beforehand for each row (a grid of computed rows)
};

// A column of a grid and its export, declared once: the heading and width on screen and in
// the file (a file heading left empty is the screen's), and where its cells come from.
struct FieldColumn {
    QString field;
    QString header;
    int screenWidth = 0;
    int fileWidth = 0;
    QString fileHeader;
    QString joined; // a second field shown after the first, with a blank between
    // Not empty: the stored text is shown as the word paired with it (a yes/no flag as
    // "Entrata" or "Uscita"); a stored text the list does not name is shown empty.
    QList<std::pair<QString, QString>> shownAs;
    CellSource source = CellSource::Field;
    // The user may retype the cells; an edit changes what the grid shows and exports,
    // never the archive.
    bool editable = false;

    QString fileHeading() const { return fileHeader.isEmpty() ? header : fileHeader; }
};
// The file's headings and widths of `columns`, in order.
QList<SheetColumn> sheetColumns(const QList<FieldColumn>& columns);
// A record field column's cell of `record`, as a grid shows it: the field trimmed (with its
// joined field after a blank), or the word a stored text is shown as.
QString fieldCell(const FieldColumn& column, const records::RecordLayout& layout,
                  const char* record);

// Text of the cell at (row, column), both 0-based. Called once per cell, row by row.
using CellText = std::function<QString(qsizetype row, int column)>;

// Where a cell writes its text: straight into the file's bytes, trimmed and escaped as the
// worksheet wants it, with no allocation of its own.
class CellSink {
public:
    virtual void text(QStringView text) = 0;
    // Text already in Windows-1252, as records store it.
    virtual void text1252(QByteArrayView bytes) = 0;

protected:
    ~CellSink() = default;
};
// Writes the cell at (row, column) into `out`. Called once per cell, row by row.
using CellWriter = std::function<void(qsizetype row, int column, CellSink& out)>;
// Told how many rows are written so far, every few thousand rows; false stops the writing.
using RowsDone = std::function<bool(qsizetype rows)>;

// The worksheet file that spreadsheet programs open: one HTML table with the Office
// namespaces and a worksheet description, Windows-1252 (characters outside the code
// page become '?'), with no line break anywhere.
// Every heading and value is trimmed; "&", "<" and ">" are written as entities so a
// value is shown as typed and never breaks the table; a line break inside a value
// becomes a blank. Each row gets exactly one cell per column.
QByteArray spreadsheetBytes(const QString& worksheetName, const QList<SheetColumn>& columns,
                            qsizetype rowCount, const CellText& cell);
QByteArray spreadsheetBytes(const QString& worksheetName, const QList<SheetColumn>& columns,
                            const QList<QStringList>& rows);
// The same over cells that write themselves; nothing when `rowsDone` stops it.
std::optional<QByteArray> spreadsheetBytes(const QString& worksheetName,
                                           const QList<SheetColumn>& columns, qsizetype rowCount,
                                           const CellWriter& cell, const RowsDone& rowsDone = {});

// The same written to `out` block by block as it is built, never held whole in memory.
enum class SheetStream { Written, Stopped, Failed };
SheetStream writeSpreadsheetTo(QIODevice& out, const QString& worksheetName,
                               const QList<SheetColumn>& columns, qsizetype rowCount,
                               const CellWriter& cell, const RowsDone& rowsDone = {});

// Writes the worksheet file in one go and puts it in place only once it is complete:
// on failure an existing file of the same name is left as it was and no
// partial file remains.
files::WriteResult writeSpreadsheet(const QString& path, const QString& worksheetName,
                                    const QList<SheetColumn>& columns, qsizetype rowCount,
                                    const CellText& cell);
files::WriteResult writeSpreadsheet(const QString& path, const QString& worksheetName,
                                    const QList<SheetColumn>& columns,
                                    const QList<QStringList>& rows);

// File and worksheet names of every export of the system.
struct ExportTarget {
    const char16_t* fileName;
    const char16_t* worksheetName;
};
inline constexpr ExportTarget kExpClienti{u"Clienti.xls", u"Riepilogo Clienti"};
inline constexpr ExportTarget kExpProtocollo{u"Protocollo.xls", u"Protocollo Posta"};
inline constexpr ExportTarget kRiepProtocollo{u"Protocollo.xls", u"Protocollo Documenti"};
inline constexpr ExportTarget kExpPratiche{u"Pratiche.xls", u"Riepilogo Pratiche"};
inline constexpr ExportTarget kExpImminenti{u"Scadenze_Imminenti.xls", u"Scadenze imminenti"};
inline constexpr ExportTarget kExpGiornaliere{u"Scadenze_Giornaliere.xls", u"Scadenze del giorno"};
inline constexpr ExportTarget kExpMensili{u"Scadenze_Mensili.xls", u"Scadenze del mese"};
inline constexpr ExportTarget kExpScadenzario{u"Scadenze_e_Appuntamenti.xls",
                                              u"Scadenze e appuntamenti"};
inline constexpr ExportTarget kExpMovimenti{u"Movimenti.xls", u"Riepilogo annuale movimenti"};
inline constexpr ExportTarget kInsolutiEnt{u"Pagamenti_in_Entrata_Insoluti.xls",
                                           u"Pagamenti in entrata insoluti"};
inline constexpr ExportTarget kInsolutiUsc{u"Pagamenti_in_Uscita_Insoluti.xls",
                                           u"Pagamenti in uscita insoluti"};
inline constexpr ExportTarget kInsolutiAll{u"Pagamenti_Insoluti.xls", u"Pagamenti insoluti"};

// The messages of an export, with their exact line breaks.
inline constexpr char16_t kAskExport[] =
    u"L'esportazione dei dati in Excel pu\u00F2 richiedere diversi minuti a seconda del numero "
    u"di schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?";
inline constexpr char16_t kAskOpenExport[] =
    u"Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file "
    u"di Excel?";
// The unpaid-payments lists ask this instead.
inline constexpr char16_t kAskOpenUnpaidExport[] =
    u"Esportazione in Excel effettuata con successo.\r\n\r\nSi vuole aprire il file .XLS?";
inline constexpr char16_t kExportFailed[] =
    u"Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di "
    u"Excel non sia gi\u00E0 aperto.";

// The 25 columns of the client export, in file order.
// The client grid and export, by field; clientExportColumns() are its file headings.
const QList<FieldColumn>& clientColumns();
QList<SheetColumn> clientExportColumns();

} // namespace tavolex::exporting
