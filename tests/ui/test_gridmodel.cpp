// The record grid behind every export and summary grid.
#include "records/folderstore.h"
#include "records/layouts.h"
#include "records/record.h"
#include "ui/common/gridmodels.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace tavolex;
using namespace tavolex::ui;
using namespace Qt::Literals::StringLiterals;

namespace {

// A clients' record file at `path`, under any name.
records::FileArchive clientsAt(const QString& path) {
    return records::FileArchive(path, records::clientLayout().recordSize());
}

class GridModelTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(u"Clienti.pro"_s); }

    void writeClients(const QList<QStringList>& rows, bool damageLast = false) {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (qsizetype i = 0; i < rows.size(); ++i) {
            records::Record rec(records::clientLayout());
            rec.setText(u"Cliente", rows[i].value(0));
            rec.setText(u"ComuneRes", rows[i].value(1));
            rec.setText(u"ProvRes", rows[i].value(2));
            rec.setFlag(records::clientLayout().indexOf(u"Ricontatta"), rows[i].value(3) == u"x"_s);
            QByteArray bytes = rec.bytes();
            if (damageLast && i == rows.size() - 1)
                bytes[240] = char(200); // ProvRes length byte far above its capacity of 2
            file.write(bytes);
        }
    }

    // "N.", "Cliente" (retyped when `editableName`) and "Comune" joined with its province.
    RecordGridModel makeModel(bool editableName = false) {
        using exporting::CellSource;
        return RecordGridModel(
            records::clientLayout(),
            {{.header = u"N."_s, .screenWidth = 40, .source = CellSource::RowNumber},
             {.field = u"Cliente"_s, .header = u"Cliente"_s, .editable = editableName},
             {.field = u"ComuneRes"_s, .header = u"Comune"_s, .joined = u"ProvRes"_s}});
    }
};

} // namespace

TEST_F(GridModelTest, RowsInFileOrderWithNumbersAndJoinedColumns) {
    writeClients({{u"Rossi"_s, u"Roma"_s, u"RM"_s},
                  {u"Bianchi"_s, u"Forl\u00EC"_s, QString()},
                  {u" Neri "_s, u"Torino"_s, u"TO"_s}});
    RecordGridModel model = makeModel();
    ASSERT_TRUE(model.fill(clientsAt(path())));
    ASSERT_EQ(model.rowCount(), 3);
    ASSERT_EQ(model.columnCount(), 3);
    const QList<QStringList> expected = {{u"1"_s, u"Rossi"_s, u"Roma RM"_s},
                                         {u"2"_s, u"Bianchi"_s, u"Forl\u00EC "_s},
                                         {u"3"_s, u"Neri"_s, u"Torino TO"_s}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(model.cell(r, c), expected[r][c]) << r << "," << c;
    EXPECT_EQ(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), u"Comune"_s);
}

TEST_F(GridModelTest, FilterDamagedFieldAndMissingFile) {
    writeClients({{u"Rossi"_s, u"Roma"_s, u"RM"_s, u"x"_s},
                  {u"Bianchi"_s, u"Milano"_s, u"MI"_s},
                  {u"Verdi"_s, u"Bari"_s, u"BA"_s, u"x"_s}},
                 true);
    RecordGridModel model = makeModel();
    const auto& flag =
        records::clientLayout().field(records::clientLayout().indexOf(u"Ricontatta"));
    ASSERT_TRUE(model.fill(clientsAt(path()), [&flag](const char* record) {
        return records::readFieldTrimmed(record, flag) == u"S\u00EC"_s;
    }));
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.cell(1, 1), u"Verdi"_s);
    // The over-long length byte reads as the capacity: two characters, never more.
    EXPECT_EQ(model.cell(1, 2), u"Bari BA"_s);

    ASSERT_TRUE(model.fill(clientsAt(dir.filePath(u"nessuno.pro"_s))));
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"nessuno.pro"_s)));
}

TEST_F(GridModelTest, UnreadableArchiveKeepsThePreviousRowsWhenAsked) {
    writeClients({{u"Rossi"_s, u"Roma"_s, u"RM"_s}});
    RecordGridModel model = makeModel();
    ASSERT_TRUE(model.fill(clientsAt(path())));
    const QString folderAsFile = dir.filePath(u"cartella.pro"_s);
    QDir().mkdir(folderAsFile);
    EXPECT_FALSE(model.fill(clientsAt(folderAsFile), {}, RecordGridModel::OnFailure::KeepPrevious));
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.cell(0, 1), u"Rossi"_s);
}

// A summary sorted by a key keeps each row's place in the file as its N.; retyped cells
// change what the grid shows (and exports) until the next fill, and only in editable
// columns.
TEST_F(GridModelTest, SortedByKeyKeepsFileOrderNumbersAndEditsLastUntilTheNextFill) {
    writeClients({{u"Rossi"_s, u"Roma"_s, u"RM"_s},
                  {u"Bianchi"_s, u"Milano"_s, u"MI"_s},
                  {u"Neri"_s, u"Bari"_s, u"BA"_s},
                  {u"Verdi"_s, u"Milano"_s, u"MI"_s}});
    RecordGridModel model = makeModel(true);
    const auto& town = records::clientLayout().field(records::clientLayout().indexOf(u"ComuneRes"));
    model.setSortKey(
        [&town](const char* record) { return records::readFieldTrimmed(record, town).toUtf8(); });
    ASSERT_TRUE(model.fill(clientsAt(path())));
    const QList<QStringList> expected = {{u"3"_s, u"Neri"_s},
                                         {u"2"_s, u"Bianchi"_s}, // Milano twice: file order
                                         {u"4"_s, u"Verdi"_s},
                                         {u"1"_s, u"Rossi"_s}};
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(model.cell(r, 0), expected[r][0]) << r;
        EXPECT_EQ(model.cell(r, 1), expected[r][1]) << r;
    }

    EXPECT_TRUE(model.flags(model.index(1, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(model.index(1, 2)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.setData(model.index(1, 1), u"Bianchi Srl"_s, Qt::EditRole));
    EXPECT_FALSE(model.setData(model.index(1, 2), u"Como"_s, Qt::EditRole));
    EXPECT_EQ(model.cell(1, 1), u"Bianchi Srl"_s);
    EXPECT_EQ(model.cell(1, 2), u"Milano MI"_s);
    EXPECT_EQ(model.cell(2, 1), u"Verdi"_s);

    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("Srl")); // the archive is never touched
    ASSERT_TRUE(model.fill(clientsAt(path())));
    EXPECT_EQ(model.cell(1, 1), u"Bianchi"_s);
}

// Every grid model keeps Qt's model contract through fills, sorting, edits, a sort-key
// column added late, failures and clearing: the tester checks each change as it happens
// and fails the test on the first breach.
TEST_F(GridModelTest, RecordGridHonoursTheModelContract) {
    writeClients({{u"Rossi"_s, u"Roma"_s, u"RM"_s},
                  {u"Bianchi"_s, u"Milano"_s, u"MI"_s},
                  {u"Neri"_s, u"Bari"_s, u"BA"_s}});
    RecordGridModel model = makeModel(true);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const auto& town = records::clientLayout().field(records::clientLayout().indexOf(u"ComuneRes"));
    model.setSortKey(
        [&town](const char* record) { return records::readFieldTrimmed(record, town).toUtf8(); });
    model.addColumn({.header = u"Chiave"_s,
                     .screenWidth = 80,
                     .source = exporting::CellSource::SortKey,
                     .editable = true});
    ASSERT_TRUE(model.fill(clientsAt(path())));
    ASSERT_EQ(model.columnCount(), 4);
    EXPECT_EQ(model.cell(0, 3), u"Bari"_s);
    EXPECT_EQ(model.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), u"Chiave"_s);
    EXPECT_TRUE(model.setData(model.index(0, 3), u"zzz"_s, Qt::EditRole));
    EXPECT_TRUE(model.setData(model.index(2, 1), u"Rossi Spa"_s, Qt::EditRole));
    EXPECT_FALSE(model.setData(model.index(2, 0), u"9"_s, Qt::EditRole));
    EXPECT_EQ(model.data(model.index(2, 1), Qt::DisplayRole).toString(), u"Rossi Spa"_s);
    EXPECT_FALSE(model.data(model.index(2, 1), Qt::ToolTipRole).isValid());
    QDir().mkdir(dir.filePath(u"cartella.pro"_s));
    EXPECT_FALSE(model.fill(clientsAt(dir.filePath(u"cartella.pro"_s))));
    EXPECT_FALSE(model.isComplete());
    model.clear();
    EXPECT_TRUE(model.isComplete());
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(GridModelTest, ComputedRowsHonourTheModelContract) {
    std::unique_ptr<RowsGridModel> model(RowsGridModel::numbered(
        {{.header = u"Tipo"_s, .screenWidth = 100, .fileWidth = 120}, {.header = u"Importo"_s}}));
    QAbstractItemModelTester tester(model.get(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(model->columnCount(), 3);
    EXPECT_EQ(model->columns()[0].source, exporting::CellSource::RowNumber);
    EXPECT_EQ(model->columns()[1].source, exporting::CellSource::Computed);
    model->setRows({{u"1"_s, u"Entrata"_s, u"10,00"_s}, {u"2"_s, u"Uscita"_s}});
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->cell(1, 2), QString()); // a short row shows empty cells
    EXPECT_EQ(model->cell(5, 0), QString());
    EXPECT_FALSE(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->setData(model->index(0, 1), u"x"_s, Qt::EditRole));
    model->setRows({}, false);
    EXPECT_FALSE(model->isComplete());
    model->clear();
    EXPECT_TRUE(model->isComplete());
}
