#pragma once

#include "commands.h"
#include "export/spreadsheet.h"
#include "help/helptexts.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QHash>
#include <QList>
#include <QSize>
#include <QStringList>
#include <functional>
#include <vector>

class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QTableView;
class QToolButton;

namespace tavolex::records {
class RecordLayout;
}

namespace tavolex::ui {

class ScreenBehaviour;

// One column of a grid: its heading and width, and what it shows: the row number
// (1, 2, 3 ...) when `first` is -1, the row's sort key when it is kSortKey, else kept field
// `first`, joined with a blank to kept field `second` when that is not -1, or, with
// `shownAs`, the word paired with field `first`.
struct GridColumn {
    static constexpr int kSortKey = -2;
    QString heading;
    int width = 0;
    int first = -1;
    int second = -1;
    // Stored texts shown as other words (exporting::FieldColumn::shownAs).
    QList<std::pair<QString, QString>> shownAs;
};

// What a grid screen shows and exports: columns with headings and widths, and a text per
// cell. Whether the rows are the whole archive (isComplete) decides whether they may be
// exported.
class GridModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    virtual const QList<GridColumn>& columns() const = 0;
    virtual QString cell(int row, int column) const = 0;
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
    bool m_complete = true;
};

// A read-only grid over rows computed beforehand (cells that are not plain record fields,
// such as a kind written out from a flag): one list of texts per row, in column order.
class RowsGridModel : public GridModel {
public:
    explicit RowsGridModel(QList<GridColumn> columns, QObject* parent = nullptr);

    // The rows shown from now on; `complete` false when they are not the whole archive.
    void setRows(QList<QStringList> rows, bool complete = true);
    void clear() override;

    const QList<GridColumn>& columns() const override { return m_columns; }
    QString cell(int row, int column) const override;
    int rowCount(const QModelIndex& parent = {}) const override;

private:
    QList<GridColumn> m_columns;
    QList<QStringList> m_rows;
};

// A read-only grid over the records of an archive. Per row it keeps only the trimmed
// Windows-1252 bytes of the fields its columns show, one row after another in a single
// buffer, and decodes a cell only when it is asked for: a hundred thousand records fill
// in moments and cost little more than their shown text.
class RecordGridModel : public GridModel {
public:
    // `keptFields` are field indexes of `layout`; columns refer to them by position.
    RecordGridModel(const records::RecordLayout& layout, QList<int> keptFields,
                    QList<GridColumn> columns, QObject* parent = nullptr);

    // A grid declared by record field: "N." (the row number, 60 wide) then one column per
    // field.
    static RecordGridModel* byField(const records::RecordLayout& layout,
                                    const QList<exporting::FieldColumn>& columns);

    // Field indexes of the named fields, in the given order.
    static QList<int> fieldIndexes(const records::RecordLayout& layout,
                                   std::initializer_list<const char16_t*> names);

    using RecordTest = std::function<bool(const char* record)>;
    // What a read failure leaves in the grid.
    enum class OnFailure { KeepRowsRead, KeepPrevious };
    // Lists the records of `path` in file order (only those `accept` lets through, when
    // given). False when the file exists but cannot be read.
    bool fill(const QString& path, const RecordTest& accept = {},
              OnFailure onFailure = OnFailure::KeepRowsRead);
    // Adds the records of another file after the present rows: sorted among themselves, and
    // "N." counting from 1 again in their own file. A read failure keeps the rows read.
    bool append(const QString& path, const RecordTest& accept = {});
    void clear() override;

    // Rows sorted by a key made from each record (stable: rows with equal keys keep file
    // order). The row number "N." stays the row's place in file order.
    using SortKey = std::function<QByteArray(const char* record)>;
    void setSortKey(SortKey key) { m_sortKey = std::move(key); }
    // A last column showing each row's sort key.
    void addSortKeyColumn(const QString& heading, int width);
    // Columns whose cells the user may retype; an edit changes what the grid shows and
    // exports, never the archive, and lasts until the next fill.
    void setEditableColumns(QList<int> columns) { m_editable = std::move(columns); }

    const QList<GridColumn>& columns() const override { return m_columns; }
    QString cell(int row, int column) const override;

    int rowCount(const QModelIndex& parent = {}) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    QString kept(qint64 stored, int field) const;
    qint64 storedRow(int row) const { return m_order.empty() ? row : m_order[size_t(row)]; }
    bool read(const QString& path, const RecordTest& accept, OnFailure onFailure, bool after);

    const records::RecordLayout& m_layout;
    QList<int> m_kept;
    QList<GridColumn> m_columns;
    std::vector<char> m_text;
    std::vector<qint64> m_starts;  // per row, where its text begins in m_text
    std::vector<quint8> m_lengths; // per row and kept field (no field holds more than 255)
    SortKey m_sortKey;
    std::vector<qint64> m_order;            // shown row -> stored row, when sorted
    std::vector<QByteArray> m_keys;         // per stored row, when sorted
    std::vector<qint64> m_fileStarts = {0}; // the first stored row of each file read
    QList<int> m_editable;
    QHash<QPair<qint64, int>, QString> m_edits; // (stored row, column) -> retyped text
};

// What a grid-with-export screen declares; the pattern builds the rest.
struct GridScreenDecl {
    QString objectName;
    QString caption;
    QString initialHint; // what the hint bar panInfo starts with
    QSize size;
    // The picture buttons in a column right of the grid, or in a row above it (after the
    // screen's own header controls).
    enum class Commands { Column, Row } commands = Commands::Row;
    // Rows of a fixed height (0: the style's) in alternating colours; whole-row selection.
    int rowHeight = 0;
    bool alternatingRows = false;
    bool selectRows = false;
    // Each showing centres the screen; spontaneous showings (a window brought back) also
    // refill the grid.
    bool centred = false;
    bool refillOnEveryShow = false;
    // The export: file and worksheet, and the worksheet's columns, which are the grid's
    // columns from the second on (the row number is not exported).
    exporting::ExportTarget target{};
    QList<exporting::SheetColumn> exportColumns;
    // The hint of cmdEsporta and the question asked once the file is written.
    QString exportHint = QStringLiteral("Esporta l'archivio in formato Microsoft Excel.");
    QString askOpenExport = QString::fromUtf16(exporting::kAskOpenExport);
    help::HelpText (*help)() = nullptr;

    // The export screen of a whole archive: a column of buttons beside rows of 21 pixels in
    // alternating colours, centred, starting with "Esportazione archivio in Microsoft Excel.".
    static GridScreenDecl archiveExport(QString objectName, QString caption,
                                        exporting::ExportTarget target,
                                        QList<exporting::SheetColumn> columns,
                                        help::HelpText (*help)());
};

// The grid-with-export pattern: a read-only grid grdRecords over a RecordGridModel, the
// picture buttons cmdEsporta, cmdGuida and cmdEsci with their hints, the hint bar
// panInfo, and the export (the two questions, the failure message, opening the file).
class GridScreen : public QDialog {
    Q_OBJECT
public:
    int rowCount() const;
    // The text of a grid cell, as shown.
    QString cellText(int row, int column) const;

    // Asks, writes the target in the program folder and offers to open it.
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

    // Writes the grid to `path` as the export does, without any question. Fails, leaving
    // any earlier file as it was, when the grid's last fill could not read its archive.
    files::WriteResult writeExport(const QString& path) const;

protected:
    // The model is taken over by the screen.
    GridScreen(const GridScreenDecl& decl, GridModel* model, QWidget* parent);

    // Prepares the screen each time it is shown (the grid, the header fields).
    virtual void prepare() {}

    // A picture button before the standard ones, with its hint and action.
    QToolButton* addCommand(const Command& command);
    // A control of the screen's own before the picture buttons (row) or above the grid.
    void addHeaderWidget(QWidget* widget);

    GridModel* gridModel() const { return m_model; }
    // The model of a screen built over the records of an archive (else null).
    RecordGridModel* model() const { return dynamic_cast<RecordGridModel*>(m_model); }
    QTableView* grid() const { return m_grid; }
    ScreenBehaviour* behaviour() const { return m_behaviour; }

    void showEvent(QShowEvent* event) override;

private:
    void orderTabs();
    QToolButton* makeCommand(const Command& command);

    GridScreenDecl m_decl;
    GridModel* m_model;
    ScreenBehaviour* m_behaviour;
    QTableView* m_grid;
    QLabel* m_hintBar;
    QBoxLayout* m_commandLayout;
    QHBoxLayout* m_header;
    QList<QWidget*> m_headerOrder;
    QList<QToolButton*> m_commandOrder;
    int m_customCommands = 0;
    int m_headerWidgets = 0;
};

} // namespace tavolex::ui
