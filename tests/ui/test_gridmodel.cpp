// The record grid behind every export and summary grid.
#include "records/layouts.h"
#include "records/record.h"
#include "ui/common/exportgrid.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavolex;
using namespace tavolex::ui;
using namespace Qt::Literals::StringLiterals;

namespace {

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

    RecordGridModel makeModel() {
        const auto& layout = records::clientLayout();
        return RecordGridModel(
            layout, RecordGridModel::fieldIndexes(layout, {u"Cliente", u"ComuneRes", u"ProvRes"}),
            {{u"N."_s, 40}, {u"Cliente"_s, 200, 0}, {u"Comune"_s, 200, 1, 2}});
    }
};

} // namespace

TEST_F(GridModelTest, RowsInFileOrderWithNumbersAndJoinedColumns) {
    writeClients({{u"Rossi"_s, u"Roma"_s, u"RM"_s},
                  {u"Bianchi"_s, u"Forl\u00EC"_s, QString()},
                  {u" Neri "_s, u"Torino"_s, u"TO"_s}});
    RecordGridModel model = makeModel();
    ASSERT_TRUE(model.fill(path()));
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
    ASSERT_TRUE(model.fill(path(), [&flag](const char* record) {
        return records::readFieldTrimmed(record, flag) == u"S\u00EC"_s;
    }));
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.cell(1, 1), u"Verdi"_s);
    // The over-long length byte reads as the capacity: two characters, never more.
    EXPECT_EQ(model.cell(1, 2), u"Bari BA"_s);

    ASSERT_TRUE(model.fill(dir.filePath(u"nessuno.pro"_s)));
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"nessuno.pro"_s)));
}

TEST_F(GridModelTest, UnreadableArchiveKeepsThePreviousRowsWhenAsked) {
    writeClients({{u"Rossi"_s, u"Roma"_s, u"RM"_s}});
    RecordGridModel model = makeModel();
    ASSERT_TRUE(model.fill(path()));
    const QString folderAsFile = dir.filePath(u"cartella.pro"_s);
    QDir().mkdir(folderAsFile);
    EXPECT_FALSE(model.fill(folderAsFile, {}, RecordGridModel::OnFailure::KeepPrevious));
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
    RecordGridModel model = makeModel();
    const auto& town = records::clientLayout().field(records::clientLayout().indexOf(u"ComuneRes"));
    model.setSortKey(
        [&town](const char* record) { return records::readFieldTrimmed(record, town).toUtf8(); });
    model.setEditableColumns({1});
    ASSERT_TRUE(model.fill(path()));
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
    ASSERT_TRUE(model.fill(path()));
    EXPECT_EQ(model.cell(1, 1), u"Bianchi"_s);
}
