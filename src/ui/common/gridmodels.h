#pragma once

#include "export/spreadsheet.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace tavolex::records {
class Archive;
class RecordLayout;
} // namespace tavolex::records

namespace tavolex::ui {

// What a grid screen shows and exports: its declared columns and a text per cell. Whether
// the rows are the whole archive (isComplete) decides whether they may be exported.
class GridModel : public QAbstractTableModel {
public:
    GridModel(QList<exporting::FieldColumn> columns, QObject* parent);

    const QList<exporting::FieldColumn>& columns() const { return m_columns; }
    virtual QString cell(int row, int column) const = 0;
    // Writes the cell as cell() gives it, for the export.
    virtual void writeCell(int row, int column, exporting::CellSink& out) const {
        out.text(cell(row, column));
    }
    virtual void clear() = 0;
    // False after a fill that could not read its archive, until the next fill or clear.
    bool isComplete() const { return m_complete; }
    // For a screen whose archive could not even be opened: the rows (kept or cleared)
    // are not the archive's.
    void markIncomplete() { m_complete = false; }

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    QList<exporting::FieldColumn> m_columns;
    bool m_complete = true;
};

// A read-only grid over rows computed beforehand (cells that are not plain record fields,
// such as a kind written out from a flag): one list of texts per row, in column order.
class RowsGridModel : public GridModel {
public:
    explicit RowsGridModel(QList<exporting::FieldColumn> columns, QObject* parent = nullptr);

    // "N." (the row number, 60 wide) then `columns`, every cell computed.
    static RowsGridModel* numbered(const QList<exporting::FieldColumn>& columns);

    // The rows shown from now on; `complete` false when they are not the whole archive.
    void setRows(QList<QStringList> rows, bool complete = true);
    void clear() override;

    QString cell(int row, int column) const override;
    int rowCount(const QModelIndex& parent = {}) const override;

private:
    QList<QStringList> m_rows;
};

// A grid over the records of an archive. Per row it keeps only the trimmed Windows-1252
// bytes of the fields its columns show, one row after another in a single buffer, and
// decodes a cell only when it is asked for: a hundred thousand records fill in moments and
// cost little more than their shown text. Columns declared editable may be retyped; an edit
// changes what the grid shows and exports, never the archive, and lasts until the next fill.
class RecordGridModel : public GridModel {
public:
    RecordGridModel(const records::RecordLayout& layout, QList<exporting::FieldColumn> columns,
                    QObject* parent = nullptr);

    // A grid declared by record field: "N." (the row number, 60 wide) then `columns`.
    static RecordGridModel* byField(const records::RecordLayout& layout,
                                    const QList<exporting::FieldColumn>& columns);

    using RecordTest = std::function<bool(const char* record)>;
    // What a read failure leaves in the grid.
    enum class OnFailure { KeepRowsRead, KeepPrevious };
    // Lists the records of `path` in file order (only those `accept` lets through, when
    // given). False when the file exists but cannot be read.
    bool fill(const records::Archive& archive, const RecordTest& accept = {},
              OnFailure onFailure = OnFailure::KeepRowsRead);
    // The same once the archive is opened as every action opens it (a missing one is made
    // empty). One that cannot be is a failure: the grid is emptied (kept with KeepPrevious)
    // and incomplete.
    bool fillPrepared(const records::Archive& archive, const RecordTest& accept = {},
                      OnFailure onFailure = OnFailure::KeepRowsRead);
    // Adds the records of another file after the present rows: sorted among themselves, and
    // "N." counting from 1 again in their own file. A read failure keeps the rows read.
    bool append(const records::Archive& archive, const RecordTest& accept = {});
    void clear() override;

    // Rows sorted by a key made from each record (stable: rows with equal keys keep file
    // order). The row number "N." stays the row's place in file order.
    using SortKey = std::function<QByteArray(const char* record)>;
    void setSortKey(SortKey key) { m_sortKey = std::move(key); }
    // A further column (a CellSource::SortKey column shows each row's sort key).
    void addColumn(const exporting::FieldColumn& column);

    QString cell(int row, int column) const override;
    void writeCell(int row, int column, exporting::CellSink& out) const override;

    int rowCount(const QModelIndex& parent = {}) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    // Where a Field column's texts are among the kept fields.
    struct Kept {
        int first = -1;
        int second = -1;
    };
    struct Scanned;
    std::shared_ptr<Scanned> scan(const records::Archive& archive, const RecordTest& accept) const;
    Kept keep(const exporting::FieldColumn& column);
    QByteArrayView keptBytes(qint64 stored, int field) const;
    QString kept(qint64 stored, int field) const;
    qint64 storedRow(int row) const { return m_order.empty() ? row : m_order[size_t(row)]; }

    const records::RecordLayout& m_layout;
    QList<int> m_kept;         // layout field indexes, in the order rows keep them
    std::vector<Kept> m_where; // per column
    std::vector<char> m_text;
    std::vector<qint64> m_starts; // per row, where its text begins in m_text
    std::vector<quint32> m_ends;  // per row and kept field: where its text ends in the row's text
    SortKey m_sortKey;
    std::vector<qint64> m_order;                // shown row -> stored row, when sorted
    std::vector<QByteArray> m_keys;             // per stored row, when sorted
    std::vector<qint64> m_fileStarts = {0};     // the first stored row of each file read
    QHash<QPair<qint64, int>, QString> m_edits; // (stored row, column) -> retyped text
};

} // namespace tavolex::ui
