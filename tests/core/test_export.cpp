#include "export/spreadsheet.h"
#include "text/win1252.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavolex::exporting;
using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray readFile(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// Everything before the heading row, written out piece by piece.
QByteArray expectedPrologue(const QByteArray& worksheet) {
    return "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\""
           " xmlns:x=\"urn:schemas-microsoft-com:office:excel\""
           " xmlns=\"http://www.w3.org/TR/REC-html40\">"
           "<head>"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
           "<!--[if gte mso 9]><xml>"
           "<x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
           "<x:Name>" +
           worksheet +
           "</x:Name>"
           "<x:WorksheetOptions><x:Selected/><x:Panes><x:Pane>"
           "<x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow>"
           "</x:Pane></x:Panes>"
           "<x:ProtectContents>False</x:ProtectContents>"
           "<x:ProtectObjects>False</x:ProtectObjects>"
           "<x:ProtectScenarios>False</x:ProtectScenarios>"
           "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook>"
           "</xml><![endif]-->"
           "</head><body><table x:str>";
}

QByteArray heading(const QByteArray& text, int width) {
    return "<td style=\"text-align: left; font-weight: bold;\" width=" + QByteArray::number(width) +
           ">" + text + "</td>";
}

QByteArray cell(const QByteArray& text) {
    return "<td style=\"text-align: left;\">" + text + "</td>";
}

// The bytes of the single data cell of a one-column sheet.
QByteArray onlyCell(const QString& value) {
    const QByteArray doc = spreadsheetBytes(u"S"_s, {{u"H"_s, 1}}, {{value}});
    const QByteArray open = "<tr><td style=\"text-align: left;\">";
    const qsizetype from = doc.lastIndexOf(open) + open.size();
    return doc.mid(from, doc.lastIndexOf("</td></tr>") - from);
}

} // namespace

TEST(Spreadsheet, WholeFileByteForByte) {
    const QList<SheetColumn> columns = {{u"Cognome e nome Cliente"_s, 250},
                                        {u"Comune di nascita"_s, 250},
                                        {u"Modalit\u00E0 di pagamento"_s, 300}};
    const QList<QStringList> rows = {
        {u"Rossi Mario"_s, u"Roma RM"_s, u"Bonifico"_s},
        {u"  Citt\u00E0 N\u00F2vi  "_s, u"Forl\u00EC "_s, u"\u20AC 10"_s},
    };
    const QByteArray expected =
        expectedPrologue("Riepilogo Clienti") + "<tr>" + heading("Cognome e nome Cliente", 250) +
        heading("Comune di nascita", 250) + heading("Modalit\xE0 di pagamento", 300) + "</tr>" +
        "<tr>" + cell("Rossi Mario") + cell("Roma RM") + cell("Bonifico") + "</tr>" + "<tr>" +
        cell("Citt\xE0 N\xF2vi") + cell("Forl\xEC") + cell("\x80 10") + "</tr>" +
        "</table></body></html>";
    EXPECT_EQ(spreadsheetBytes(u"Riepilogo Clienti"_s, columns, rows), expected);
}

TEST(Spreadsheet, ValuesAreTrimmedEncodedAndEscaped) {
    struct Case {
        QString value;
        QByteArray written;
    };
    const std::vector<Case> cases = {
        {u"  Mario  "_s, "Mario"},
        {u"\tMario\r\n"_s, "Mario"},
        {u"Roma "_s, "Roma"}, // a composed cell whose second part is empty
        {u"   "_s, ""},
        {u""_s, ""},
        {u"a  b"_s, "a  b"},
        {u"Rossi & Figli"_s, "Rossi &amp; Figli"},
        {u"<b>x</b>"_s, "&lt;b&gt;x&lt;/b&gt;"},
        {u"&amp;"_s, "&amp;amp;"},
        {u"riga 1\r\nriga 2\nriga 3"_s, "riga 1  riga 2 riga 3"},
        {u"\u00E0\u00E8\u00E9\u00EC\u00F2\u00F9 \u00C0"_s, "\xE0\xE8\xE9\xEC\xF2\xF9 \xC0"},
        {u"\u20AC \u201Cq\u201D \u2026"_s, "\x80 \x93q\x94 \x85"},
        {u"\u4E2D\u0141"_s, "??"}, // outside Windows-1252
        {u"\"quoted\" 'single'"_s, "\"quoted\" 'single'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(onlyCell(c.value), c.written) << c.value.toStdString();
}

TEST(Spreadsheet, CharacterBeyondTheBasicPlaneIsOneQuestionMark) {
    const QByteArray doc = spreadsheetBytes(u"W"_s, {{u"A"_s, 10}}, {{u"a\U0001F600b"_s}});
    EXPECT_TRUE(doc.contains(">a?b<")) << doc.constData();
}

TEST(Spreadsheet, HeadingsAndWorksheetNameAreEscapedToo) {
    const QByteArray doc = spreadsheetBytes(u"A & B"_s, {{u"<N.>"_s, 60}}, QList<QStringList>());
    EXPECT_TRUE(doc.contains("<x:Name>A &amp; B</x:Name>"));
    EXPECT_TRUE(doc.contains(heading("&lt;N.&gt;", 60)));
}

TEST(Spreadsheet, EveryRowHasOneCellPerHeading) {
    const QList<SheetColumn> columns = {{u"A"_s, 10}, {u"B"_s, 20}};
    const QByteArray doc =
        spreadsheetBytes(u"S"_s, columns, {{u"1"_s}, {u"1"_s, u"2"_s, u"extra"_s}, {}});
    const QByteArray body = "<tr>" + cell("1") + cell("") + "</tr>" + "<tr>" + cell("1") +
                            cell("2") + "</tr>" + "<tr>" + cell("") + cell("") + "</tr>" +
                            "</table></body></html>";
    EXPECT_TRUE(doc.endsWith(body)) << doc.toStdString();
    EXPECT_FALSE(doc.contains("extra"));
}

TEST(Spreadsheet, EmptyArchiveHasTheHeadingRowOnly) {
    const QByteArray doc = spreadsheetBytes(u"Riepilogo Clienti"_s, clientExportColumns(), {});
    EXPECT_EQ(doc.count("<tr>"), 1);
    EXPECT_TRUE(doc.endsWith("</tr></table></body></html>"));
}

TEST(Spreadsheet, CellsAreAskedRowByRow) {
    QList<std::pair<qsizetype, int>> asked;
    const QByteArray doc = spreadsheetBytes(u"S"_s, {{u"A"_s, 1}, {u"B"_s, 1}}, 2,
                                            [&asked](qsizetype row, int column) {
                                                asked.append({row, column});
                                                return u"r%1c%2"_s.arg(row).arg(column);
                                            });
    const QList<std::pair<qsizetype, int>> order = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    EXPECT_EQ(asked, order);
    EXPECT_TRUE(doc.contains(QByteArray("<tr>" + cell("r0c0") + cell("r0c1") + "</tr><tr>" +
                                        cell("r1c0") + cell("r1c1") + "</tr>")));
}

TEST(Spreadsheet, ClientExportColumns) {
    const QList<SheetColumn> columns = clientExportColumns();
    ASSERT_EQ(columns.size(), 25);
    EXPECT_EQ(columns[0].heading, u"Cognome e nome Cliente"_s);
    EXPECT_EQ(columns[0].width, 250);
    EXPECT_EQ(columns[1].width, 200);
    EXPECT_EQ(columns[6].heading, u"Modalit\u00E0 di pagamento"_s);
    EXPECT_EQ(columns[15].heading, u"Scadenza"_s);
    EXPECT_EQ(columns[15].width, 150);
    EXPECT_EQ(columns[24].heading, u"Note"_s);
    EXPECT_EQ(columns[24].width, 300);
}

TEST(Spreadsheet, LargeSheetHasNoLineBreakAndIsWellFormed) {
    QList<SheetColumn> columns;
    for (int c = 0; c < 26; ++c)
        columns.append({u"Col %1"_s.arg(c), 250});
    const qsizetype rows = 2000;
    const QByteArray doc = spreadsheetBytes(u"Grande"_s, columns, rows, [](qsizetype r, int c) {
        return u" Valore \u00E8 %1/%2 "_s.arg(r).arg(c);
    });
    EXPECT_TRUE(doc.startsWith("<html xmlns:o="));
    EXPECT_TRUE(doc.endsWith("</html>"));
    EXPECT_FALSE(doc.contains('\r'));
    EXPECT_FALSE(doc.contains('\n'));
    EXPECT_EQ(doc.count("<tr>"), rows + 1);
    EXPECT_EQ(doc.count("<td "), (rows + 1) * 26);
    EXPECT_TRUE(doc.contains(QByteArray(cell("Valore \xE8 1999/25") + "</tr></table>")));
}

class SpreadsheetFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const QList<SheetColumn> columns = {{u"Cliente"_s, 250}, {u"Note"_s, 300}};
    const QList<QStringList> rows = {{u"Rossi"_s, u"Sal\u00F2"_s}, {u"Bianchi"_s, u""_s}};
};

TEST_F(SpreadsheetFile, WritesTheDocumentAndReplacesAnOlderFile) {
    const QString path = dir.filePath(u"Clienti.xls"_s);
    writeFile(path, QByteArray(100000, 'x')); // longer than the new content
    ASSERT_TRUE(writeSpreadsheet(path, u"Riepilogo Clienti"_s, columns, rows));
    const QByteArray first = readFile(path);
    EXPECT_EQ(first, spreadsheetBytes(u"Riepilogo Clienti"_s, columns, rows));

    ASSERT_TRUE(writeSpreadsheet(path, u"Riepilogo Clienti"_s, columns, rows));
    EXPECT_EQ(readFile(path), first); // unchanged data, identical file
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"Clienti.xls"_s});
}

TEST_F(SpreadsheetFile, CellFunctionOverloadWritesTheSameFile) {
    const QString path = dir.filePath(u"Pratiche.xls"_s);
    ASSERT_TRUE(writeSpreadsheet(path, u"W"_s, columns, rows.size(),
                                 [this](qsizetype r, int c) { return rows[r][c]; }));
    EXPECT_EQ(readFile(path), spreadsheetBytes(u"W"_s, columns, rows));
}

TEST_F(SpreadsheetFile, FailureIsReported) {
    EXPECT_FALSE(writeSpreadsheet(dir.filePath(u"missing/Clienti.xls"_s), u"W"_s, columns, rows));
    EXPECT_FALSE(writeSpreadsheet(dir.path(), u"W"_s, columns, rows)); // a folder
    EXPECT_FALSE(QFile::exists(dir.filePath(u"missing"_s)));
}

TEST_F(SpreadsheetFile, FailedExportLeavesTheOldFileAsItWas) {
    // The name is as long as the file system allows, so no work file can be made beside
    // it: the export fails before anything reaches the old file.
    const QString path = dir.filePath(QString(250, u'a') + u".xls"_s);
    writeFile(path, "previous export");
    EXPECT_FALSE(writeSpreadsheet(path, u"W"_s, columns, rows));
    EXPECT_EQ(readFile(path), QByteArray("previous export"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

// A real spreadsheet program must read the file as one table with the accents intact.
TEST_F(SpreadsheetFile, OpensAsATableInLibreOffice) {
    const QString office = QStandardPaths::findExecutable(u"libreoffice"_s);
    ASSERT_FALSE(office.isEmpty()) << "libreoffice is not installed";
    const QString path = dir.filePath(u"Clienti.xls"_s);
    const QList<QStringList> data = {{u"Citt\u00E0 & Co"_s, u"Forl\u00EC \u20AC 5"_s},
                                     {u"Bianchi"_s, u"<nota>"_s}};
    ASSERT_TRUE(writeSpreadsheet(path, u"Riepilogo Clienti"_s, columns, data));

    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(office,
                  {u"-env:UserInstallation=file://"_s + dir.filePath(u"profile"_s), u"--headless"_s,
                   u"--convert-to"_s, u"csv:Text - txt - csv (StarCalc):44,34,76"_s, u"--outdir"_s,
                   dir.filePath(u"out"_s), path});
    ASSERT_TRUE(process.waitForFinished(300000));
    const QByteArray csv = readFile(dir.filePath(u"out/Clienti.csv"_s));
    const QString text = QString::fromUtf8(csv).replace(u"\r\n"_s, u"\n"_s);
    EXPECT_EQ(text, u"Cliente,Note\nCitt\u00E0 & Co,Forl\u00EC \u20AC 5\nBianchi,<nota>\n"_s);
}

// Stored Windows-1252 bytes written as they are give the very file their decoded text gives:
// every byte value, blanks and control characters at both ends, the escaped characters and
// line breaks.
TEST(Spreadsheet, StoredBytesWriteAsTheirTextWould) {
    QByteArray every;
    for (int b = 1; b < 256; ++b)
        every.append(char(b));
    const QList<QByteArray> values = {every, " \t a&b<c>d\r\ne \x01", "Citt\xE0 \x80 \x81\x8D\x9F",
                                      "", "   "};
    const QList<SheetColumn> columns = {{u"A"_s, 10}};
    const auto asText = spreadsheetBytes(u"S"_s, columns, values.size(),
                                         [&values](qsizetype row, int, CellSink& out) {
                                             out.text(tavolex::text::decode1252(values[row]));
                                         });
    const auto asBytes = spreadsheetBytes(
        u"S"_s, columns, values.size(),
        [&values](qsizetype row, int, CellSink& out) { out.text1252(values[row]); });
    ASSERT_TRUE(asText && asBytes);
    EXPECT_EQ(*asBytes, *asText);
    EXPECT_TRUE(asBytes->contains(cell("a&amp;b&lt;c&gt;d  e")));
}

// The writer tells how far it is every few thousand rows and once at the end, and gives
// nothing once told to stop, at the first report or the last.
TEST(Spreadsheet, ReportsRowsWrittenAndStopsWhenAsked) {
    const qsizetype rows = 10000;
    const auto cellOf = [](qsizetype, int, CellSink& out) { out.text(u"x"_s); };
    QList<qsizetype> told;
    const auto whole = spreadsheetBytes(u"S"_s, {{u"A"_s, 10}}, rows, cellOf, [&](qsizetype n) {
        told << n;
        return true;
    });
    ASSERT_TRUE(whole.has_value());
    EXPECT_EQ(whole->count("<tr>"), rows + 1);
    EXPECT_EQ(told, (QList<qsizetype>{0, 4096, 8192, rows}));
    for (const qsizetype stopAt : {qsizetype(0), qsizetype(4096), rows}) {
        SCOPED_TRACE(stopAt);
        EXPECT_FALSE(spreadsheetBytes(u"S"_s, {{u"A"_s, 10}}, rows, cellOf, [stopAt](qsizetype n) {
                         return n < stopAt;
                     }).has_value());
    }
}

// Streamed block by block, the file is byte for byte the one built in memory, across
// several blocks and with cells that need escaping and text cells; a device that refuses
// bytes, or a stop, is told apart from a file written whole.
TEST(Spreadsheet, StreamedFileIsTheSameAsTheOneBuiltInMemory) {
    const qsizetype rows = 9000;
    const QList<SheetColumn> columns = {{u"Codice"_s, 80}, {u"Nome & cognome"_s, 200}};
    const auto cellOf = [](qsizetype row, int column, CellSink& out) {
        if (column == 0)
            out.text(QString::number(row).rightJustified(6, u'0'));
        else
            out.text(u" Perr\u00F2 <%1> "_s.arg(row));
    };
    const std::optional<QByteArray> inMemory = spreadsheetBytes(u"Foglio"_s, columns, rows, cellOf);
    ASSERT_TRUE(inMemory.has_value());

    QBuffer streamed;
    ASSERT_TRUE(streamed.open(QIODevice::WriteOnly));
    EXPECT_EQ(writeSpreadsheetTo(streamed, u"Foglio"_s, columns, rows, cellOf),
              SheetStream::Written);
    EXPECT_EQ(streamed.data(), *inMemory);

    QBuffer stopped;
    ASSERT_TRUE(stopped.open(QIODevice::WriteOnly));
    EXPECT_EQ(writeSpreadsheetTo(stopped, u"Foglio"_s, columns, rows, cellOf,
                                 [](qsizetype done) { return done < 4096; }),
              SheetStream::Stopped);

    QBuffer readOnly; // refuses every byte written to it
    ASSERT_TRUE(readOnly.open(QIODevice::ReadOnly));
    EXPECT_EQ(writeSpreadsheetTo(readOnly, u"Foglio"_s, columns, rows, cellOf),
              SheetStream::Failed);
}

// Codes of digits come back as written (leading zeros, every digit); numbers stay numbers.
TEST_F(SpreadsheetFile, CodesOfDigitsStayTextInLibreOffice) {
    const QString office = QStandardPaths::findExecutable(u"libreoffice"_s);
    ASSERT_FALSE(office.isEmpty()) << "libreoffice is not installed";
    const QString path = dir.filePath(u"Codici.xls"_s);
    const QList<QStringList> data = {{u"01234567890"_s, u"00123"_s},
                                     {u"12345678901234567"_s, u"0612345678"_s},
                                     {u"42"_s, u"12,50"_s}};
    ASSERT_TRUE(writeSpreadsheet(path, u"Codici"_s, columns, data));
    EXPECT_TRUE(readFile(path).contains("<td sdnum=\"1040;0;@\" style=\"text-align: left; "
                                        "mso-number-format:\\@;\">00123</td>"));
    QProcess process;
    process.setWorkingDirectory(dir.path());
    // Cells as shown, so that a number would show as Calc formats it.
    process.start(office, {u"-env:UserInstallation=file://"_s + dir.filePath(u"profile"_s),
                           u"--headless"_s, u"--convert-to"_s,
                           u"csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true"_s,
                           u"--outdir"_s, dir.filePath(u"out"_s), path});
    ASSERT_TRUE(process.waitForFinished(300000));
    const QString text =
        QString::fromUtf8(readFile(dir.filePath(u"out/Codici.csv"_s))).replace(u"\r\n"_s, u"\n"_s);
    const QStringList lines = text.split(u'\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[1], u"01234567890,00123"_s);
    EXPECT_EQ(lines[2], u"12345678901234567,0612345678"_s);
    EXPECT_TRUE(lines[3].startsWith(u"42,"_s)) << lines[3].toStdString();
}
