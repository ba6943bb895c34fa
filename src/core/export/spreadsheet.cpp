#include "spreadsheet.h"

#include <QIODevice>

#include "files/safewrite.h"

#include "records/record.h"
#include "text/win1252.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace tavolex::exporting {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr std::string_view kHead =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
    "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\">"
    "<head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml>"
    "<x:ExcelWorkbook>"
    "<x:ExcelWorksheets>"
    "<x:ExcelWorksheet>"
    "<x:Name>";
constexpr std::string_view kAfterName = "</x:Name>"
                                        "<x:WorksheetOptions>"
                                        "<x:Selected/>"
                                        "<x:Panes>"
                                        "<x:Pane>"
                                        "<x:Number>1</x:Number>"
                                        "<x:ActiveRow>3</x:ActiveRow>"
                                        "</x:Pane>"
                                        "</x:Panes>"
                                        "<x:ProtectContents>False</x:ProtectContents>"
                                        "<x:ProtectObjects>False</x:ProtectObjects>"
                                        "<x:ProtectScenarios>False</x:ProtectScenarios>"
                                        "</x:WorksheetOptions>"
                                        "</x:ExcelWorksheet>"
                                        "</x:ExcelWorksheets>"
                                        "</x:ExcelWorkbook>"
                                        "</xml><![endif]-->"
                                        "</head>"
                                        "<body>"
                                        "<table x:str>";
constexpr std::string_view kTail = "</table></body></html>";
constexpr std::string_view kRowOpen = "<tr>";
constexpr std::string_view kRowClose = "</tr>";
constexpr std::string_view kHeadingOpen =
    "<td style=\"text-align: left; font-weight: bold;\" width=";
constexpr std::string_view kCellOpen = "<td style=\"text-align: left;\">";
// A cell of digits that a spreadsheet program would turn into a number and so change (a VAT
// number or CAP losing its leading zeros, a long code shown as 1,23E+16) is marked as text:
// sdnum for LibreOffice Calc, mso-number-format for Excel.
constexpr std::string_view kTextCellOpen =
    "<td sdnum=\"1040;0;@\" style=\"text-align: left; mso-number-format:\\@;\">";
constexpr std::string_view kCellClose = "</td>";

bool keptAsText(std::string_view written) {
    if (written.size() < 2) return false;
    for (const char c : written)
        if (c < '0' || c > '9') return false;
    return written.front() == '0' || written.size() > 10;
}

// Builds the whole file in one growing buffer, written through a raw pointer so that
// a cell costs no allocation of its own.
class DocumentBuffer final : public CellSink {
public:
    explicit DocumentBuffer(qsizetype expected) {
        m_out.resize(std::max<qsizetype>(expected, 4096));
    }

    void raw(std::string_view piece) {
        std::memcpy(room(qsizetype(piece.size())), piece.data(), piece.size());
        m_used += qsizetype(piece.size());
    }

    void number(int value) {
        const QByteArray digits = QByteArray::number(value);
        raw(std::string_view(digits.constData(), size_t(digits.size())));
    }

    // Trimmed like every stored text (blanks and control characters at both ends).
    void text(QStringView text) override {
        qsizetype begin = 0;
        qsizetype end = text.size();
        while (begin < end && text[begin].unicode() <= 32)
            ++begin;
        while (end > begin && text[end - 1].unicode() <= 32)
            --end;
        char* out = room((end - begin) * 5); // "&amp;" is the longest form of a character
        char* const start = out;
        for (qsizetype i = begin; i < end; ++i) {
            const char16_t ch = text[i].unicode();
            if (ch < 0x80) {
                out = ascii(out, char(ch));
                continue;
            }
            // One '?' for a character beyond U+FFFF, not one per UTF-16 unit.
            if (QChar::isHighSurrogate(ch) && i + 1 < end && text[i + 1].isLowSurrogate()) ++i;
            *out++ = text::encodeChar1252(QChar(ch));
        }
        m_used += out - start;
    }

    // Every Windows-1252 byte decodes to one character that encodes back to itself, so the
    // bytes go out as they are, trimmed and escaped alike.
    void text1252(QByteArrayView bytes) override {
        const char* begin = bytes.data();
        const char* end = begin + bytes.size();
        while (begin < end && quint8(*begin) <= 32)
            ++begin;
        while (end > begin && quint8(end[-1]) <= 32)
            --end;
        char* out = room((end - begin) * 5);
        char* const start = out;
        // Runs of bytes that need no escaping are copied whole.
        for (const char* at = begin; at < end;) {
            const char* run = at;
            while (run < end && !needsEscape(*run))
                ++run;
            std::memcpy(out, at, size_t(run - at));
            out += run - at;
            if (run == end) break;
            out = ascii(out, *run);
            at = run + 1;
        }
        m_used += out - start;
    }

    // One cell, filled by `fill`. Digits that a spreadsheet program would turn into a number
    // get the text-cell opening instead: the few digits move up behind it.
    template <typename Fill> void cell(Fill&& fill) {
        raw(kCellOpen);
        const qsizetype content = m_used;
        fill(*this);
        const qsizetype length = m_used - content;
        if (keptAsText(std::string_view(m_out.constData() + content, size_t(length)))) {
            const qsizetype extra = qsizetype(kTextCellOpen.size() - kCellOpen.size());
            room(extra);
            char* base = m_out.data();
            std::memmove(base + content + extra, base + content, size_t(length));
            std::memcpy(base + content - qsizetype(kCellOpen.size()), kTextCellOpen.data(),
                        kTextCellOpen.size());
            m_used += extra;
        }
        raw(kCellClose);
    }

    QByteArray take() {
        m_out.truncate(m_used);
        return std::move(m_out);
    }

    // Hands what has been built so far to `out` and starts again from an empty buffer,
    // keeping its room. False when the device refuses a byte.
    bool flushTo(QIODevice& out) {
        const bool written = out.write(m_out.constData(), m_used) == m_used;
        m_used = 0;
        return written;
    }

private:
    static char* put(char* out, std::string_view s) {
        std::memcpy(out, s.data(), s.size());
        return out + s.size();
    }

    static bool needsEscape(char ch) {
        return ch == '&' || ch == '<' || ch == '>' || ch == '\r' || ch == '\n';
    }

    // A byte below 0x80 as an ASCII character, any other byte unchanged.
    static char* ascii(char* out, char ch) {
        switch (ch) {
        case '&':
            return put(out, "&amp;");
        case '<':
            return put(out, "&lt;");
        case '>':
            return put(out, "&gt;");
        case '\r':
        case '\n':
            *out = ' '; // the file holds no line break at all
            return out + 1;
        default:
            *out = ch;
            return out + 1;
        }
    }

    char* room(qsizetype bytes) {
        if (m_used + bytes > m_out.size()) m_out.resize(std::max(m_out.size() * 2, m_used + bytes));
        return m_out.data() + m_used;
    }

    QByteArray m_out;
    qsizetype m_used = 0;
};

// How often the writer tells how far it is.
constexpr qsizetype kRowsPerBlock = 4096;

} // namespace

namespace {

qsizetype rowBytesEstimate(qsizetype columnCount) {
    return qsizetype(kRowOpen.size() + kRowClose.size()) +
           columnCount * qsizetype(kCellOpen.size() + kCellClose.size() + 16);
}

void writeHead(DocumentBuffer& doc, const QString& worksheetName,
               const QList<SheetColumn>& columns) {
    doc.raw(kHead);
    doc.text(worksheetName);
    doc.raw(kAfterName);
    doc.raw(kRowOpen);
    for (const SheetColumn& column : columns) {
        doc.raw(kHeadingOpen);
        doc.number(column.width);
        doc.raw(">");
        doc.text(column.heading);
        doc.raw(kCellClose);
    }
    doc.raw(kRowClose);
}

void writeRow(DocumentBuffer& doc, qsizetype row, int columnCount, const CellWriter& cell) {
    doc.raw(kRowOpen);
    for (int column = 0; column < columnCount; ++column)
        doc.cell([&](DocumentBuffer& out) { cell(row, column, out); });
    doc.raw(kRowClose);
}

} // namespace

std::optional<QByteArray> spreadsheetBytes(const QString& worksheetName,
                                           const QList<SheetColumn>& columns, qsizetype rowCount,
                                           const CellWriter& cell, const RowsDone& rowsDone) {
    const int columnCount = int(columns.size());
    DocumentBuffer doc(qsizetype(kHead.size() + kAfterName.size()) + 2048 +
                       rowCount * rowBytesEstimate(columnCount));
    writeHead(doc, worksheetName, columns);
    for (qsizetype row = 0; row < rowCount; ++row) {
        if (rowsDone && row % kRowsPerBlock == 0 && !rowsDone(row)) return std::nullopt;
        writeRow(doc, row, columnCount, cell);
    }
    if (rowsDone && !rowsDone(rowCount)) return std::nullopt;
    doc.raw(kTail);
    return doc.take();
}

SheetStream writeSpreadsheetTo(QIODevice& out, const QString& worksheetName,
                               const QList<SheetColumn>& columns, qsizetype rowCount,
                               const CellWriter& cell, const RowsDone& rowsDone) {
    const int columnCount = int(columns.size());
    // One block of rows at a time: the buffer is made once and reused, so no file of any size
    // is ever held whole in memory.
    DocumentBuffer doc(qsizetype(kHead.size() + kAfterName.size()) + 2048 +
                       kRowsPerBlock * rowBytesEstimate(columnCount));
    writeHead(doc, worksheetName, columns);
    for (qsizetype row = 0; row < rowCount; ++row) {
        if (row % kRowsPerBlock == 0) {
            if (!doc.flushTo(out)) return SheetStream::Failed;
            if (rowsDone && !rowsDone(row)) return SheetStream::Stopped;
        }
        writeRow(doc, row, columnCount, cell);
    }
    if (rowsDone && !rowsDone(rowCount)) return SheetStream::Stopped;
    doc.raw(kTail);
    return doc.flushTo(out) ? SheetStream::Written : SheetStream::Failed;
}

QByteArray spreadsheetBytes(const QString& worksheetName, const QList<SheetColumn>& columns,
                            qsizetype rowCount, const CellText& cell) {
    return *spreadsheetBytes(
        worksheetName, columns, rowCount,
        [&cell](qsizetype row, int column, CellSink& out) { out.text(cell(row, column)); });
}

QByteArray spreadsheetBytes(const QString& worksheetName, const QList<SheetColumn>& columns,
                            const QList<QStringList>& rows) {
    return spreadsheetBytes(worksheetName, columns, rows.size(),
                            [&rows](qsizetype row, int column) {
                                const QStringList& cells = rows.at(row);
                                return column < cells.size() ? cells.at(column) : QString();
                            });
}

files::WriteResult writeSpreadsheet(const QString& path, const QString& worksheetName,
                                    const QList<SheetColumn>& columns, qsizetype rowCount,
                                    const CellText& cell) {
    return files::replaceFile(path, spreadsheetBytes(worksheetName, columns, rowCount, cell));
}

files::WriteResult writeSpreadsheet(const QString& path, const QString& worksheetName,
                                    const QList<SheetColumn>& columns,
                                    const QList<QStringList>& rows) {
    return files::replaceFile(path, spreadsheetBytes(worksheetName, columns, rows));
}

const QList<FieldColumn>& clientColumns() {
    static const QList<FieldColumn> columns = {
        {u"Cliente"_s, u"Cognome e nome Cliente"_s, 250, 250},
        {u"DataNasc"_s, u"Data di nascita"_s, 120, 200},
        {u"ComuneNasc"_s, u"Comune / Stato estero di nascita"_s, 250, 250, u"Comune di nascita"_s,
         u"ProvNasc"_s},
        {u"Recapito"_s, u"Recapito preferenziale"_s, 200, 250},
        {u"IndirizzoRes"_s, u"Indirizzo di residenza"_s, 250, 300},
        {u"ComuneRes"_s, u"Comune di residenza"_s, 250, 250, {}, u"ProvRes"_s},
        {u"Estremi"_s, u"Modalit\u00E0 di pagamento"_s, 250, 250},
        {u"TelCasa"_s, u"Tel. casa"_s, 200, 250},
        {u"TelUff"_s, u"Tel. ufficio"_s, 200, 250},
        {u"TelCel"_s, u"Tel. cellulare"_s, 200, 250},
        {u"Fax"_s, u"Fax"_s, 200, 250},
        {u"Email"_s, u"E-mail"_s, 250, 250},
        {u"CodFisc"_s, u"Codice fiscale"_s, 150, 250},
        {u"PartitaIva"_s, u"Partita IVA"_s, 150, 250},
        {u"Carta"_s, u"Carta di credito n."_s, 250, 300},
        {u"ScadeCarta"_s, u"Scadenza"_s, 160, 150},
        {u"Iban"_s, u"IBAN"_s, 250, 300},
        {u"Documento"_s, u"Estremi documento"_s, 280, 280},
        {u"Occupazione"_s, u"Occupazione"_s, 250, 250},
        {u"Civile"_s, u"Stato civile"_s, 250, 250},
        {u"Titoli"_s, u"Titoli e qualifiche"_s, 280, 280},
        {u"Prodotti"_s, u"Prodotti e servizi di interesse"_s, 300, 300},
        {u"Zona"_s, u"Zona di appartenenza"_s, 250, 250},
        {u"Questioni"_s, u"Questioni in sospeso"_s, 300, 300},
        {u"Note"_s, u"Note"_s, 350, 300},
    };
    return columns;
}

QList<SheetColumn> clientExportColumns() {
    return sheetColumns(clientColumns());
}

QString fieldCell(const FieldColumn& column, const records::RecordLayout& layout,
                  const char* record) {
    const QString value = records::readFieldTrimmed(record, layout.field(column.field));
    if (!column.shownAs.isEmpty()) {
        for (const auto& [stored, word] : column.shownAs)
            if (value == stored) return word;
        return {};
    }
    if (column.joined.isEmpty()) return value;
    return value + u' ' + records::readFieldTrimmed(record, layout.field(column.joined));
}

QList<SheetColumn> sheetColumns(const QList<FieldColumn>& columns) {
    QList<SheetColumn> sheet;
    for (const FieldColumn& column : columns)
        sheet.append({column.fileHeading(), column.fileWidth});
    return sheet;
}

} // namespace tavolex::exporting
