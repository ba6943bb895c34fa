#include "exportgrid.h"

#include "files/log.h"

#include "artwork.h"
#include "behaviour.h"
#include "commands.h"
#include "core/programfolder.h"
#include "listscreen.h"
#include "messages.h"
#include "misc.h"
#include "recordcard.h"
#include "records/layout.h"
#include "records/record.h"
#include "records/recordfile.h"
#include "screens.h"
#include "text/win1252.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns().size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if ((role == Qt::DisplayRole || role == Qt::EditRole) && index.isValid())
        return cell(index.row(), index.column());
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section >= 0 &&
        section < columns().size())
        return columns()[section].heading;
    return QAbstractTableModel::headerData(section, orientation, role);
}

RowsGridModel::RowsGridModel(QList<GridColumn> columns, QObject* parent)
    : GridModel(parent), m_columns(std::move(columns)) {}

void RowsGridModel::setRows(QList<QStringList> rows, bool complete) {
    beginResetModel();
    m_rows = std::move(rows);
    m_complete = complete;
    endResetModel();
}

void RowsGridModel::clear() {
    setRows({});
}

QString RowsGridModel::cell(int row, int column) const {
    if (row < 0 || row >= m_rows.size()) return {};
    return m_rows[row].value(column);
}

int RowsGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

RecordGridModel::RecordGridModel(const records::RecordLayout& layout, QList<int> keptFields,
                                 QList<GridColumn> columns, QObject* parent)
    : GridModel(parent), m_layout(layout), m_kept(std::move(keptFields)),
      m_columns(std::move(columns)) {}

GridScreenDecl GridScreenDecl::archiveExport(QString objectName, QString caption,
                                             exporting::ExportTarget target,
                                             QList<exporting::SheetColumn> columns,
                                             help::HelpText (*help)()) {
    GridScreenDecl decl;
    decl.objectName = std::move(objectName);
    decl.caption = std::move(caption);
    decl.initialHint = u"Esportazione archivio in Microsoft Excel."_s;
    decl.size = QSize(1100, 660);
    decl.commands = Commands::Column;
    decl.rowHeight = 21;
    decl.alternatingRows = true;
    decl.centred = true;
    decl.target = target;
    decl.exportColumns = std::move(columns);
    decl.help = help;
    return decl;
}

RecordGridModel* RecordGridModel::byField(const records::RecordLayout& layout,
                                          const QList<exporting::FieldColumn>& columns) {
    QList<int> kept;
    QList<GridColumn> shown = {{u"N."_s, 60, -1}};
    for (const exporting::FieldColumn& column : columns) {
        const int index = layout.indexOf(column.field);
        Q_ASSERT_X(index >= 0, "RecordGridModel::byField", "a column names no record field");
        GridColumn grid{column.header, column.screenWidth, int(kept.size())};
        grid.shownAs = column.shownAs;
        kept.append(index);
        if (!column.joined.isEmpty()) {
            grid.second = int(kept.size());
            kept.append(layout.indexOf(column.joined));
        }
        shown.append(grid);
    }
    return new RecordGridModel(layout, kept, shown);
}

QList<int> RecordGridModel::fieldIndexes(const records::RecordLayout& layout,
                                         std::initializer_list<const char16_t*> names) {
    QList<int> indexes;
    for (const char16_t* name : names)
        indexes << layout.indexOf(QStringView(name));
    return indexes;
}

bool RecordGridModel::fill(const QString& path, const RecordTest& accept, OnFailure onFailure) {
    return read(path, accept, onFailure, false);
}

bool RecordGridModel::append(const QString& path, const RecordTest& accept) {
    return read(path, accept, OnFailure::KeepRowsRead, true);
}

bool RecordGridModel::read(const QString& path, const RecordTest& accept, OnFailure onFailure,
                           bool after) {
    std::vector<const records::FieldSpec*> specs;
    for (int index : std::as_const(m_kept))
        specs.push_back(&m_layout.field(index));
    std::vector<char> text;
    std::vector<qint64> starts;
    std::vector<quint8> lengths;
    std::vector<QByteArray> keys;
    std::vector<qint64> fileStarts = {0};
    std::vector<qint64> order;
    if (after) {
        text = m_text;
        starts = m_starts;
        lengths = m_lengths;
        keys = m_keys;
        fileStarts = m_fileStarts;
        fileStarts.push_back(qint64(starts.size()));
        order = m_order;
    }
    const qint64 first = qint64(starts.size());
    const bool read =
        records::RecordFile::scan(path, m_layout.recordSize(), [&](qint64, const char* record) {
            if (accept && !accept(record)) return true;
            starts.push_back(qint64(text.size()));
            if (m_sortKey) keys.push_back(m_sortKey(record));
            for (const records::FieldSpec* spec : specs) {
                const QByteArrayView kept = records::storedTrimmed(record, *spec);
                text.insert(text.end(), kept.begin(), kept.end());
                lengths.push_back(quint8(kept.size()));
            }
            return true;
        });
    m_complete = read && (!after || m_complete);
    if (!read && onFailure == OnFailure::KeepPrevious) return false;
    if (m_sortKey) {
        // Only this file's rows are sorted; rows of a file read before stay above them.
        order.resize(starts.size());
        const auto added = order.begin() + first;
        std::iota(added, order.end(), first);
        std::stable_sort(added, order.end(),
                         [&keys](qint64 a, qint64 b) { return keys[size_t(a)] < keys[size_t(b)]; });
    }
    beginResetModel();
    m_text = std::move(text);
    m_starts = std::move(starts);
    m_lengths = std::move(lengths);
    m_order = std::move(order);
    m_keys = std::move(keys);
    m_fileStarts = std::move(fileStarts);
    if (!after) m_edits.clear();
    endResetModel();
    return read;
}

void RecordGridModel::clear() {
    beginResetModel();
    m_text.clear();
    m_starts.clear();
    m_lengths.clear();
    m_order.clear();
    m_keys.clear();
    m_fileStarts = {0};
    m_edits.clear();
    m_complete = true;
    endResetModel();
}

QString RecordGridModel::kept(qint64 stored, int field) const {
    const size_t first = size_t(stored) * size_t(m_kept.size());
    qint64 at = m_starts[size_t(stored)];
    for (int i = 0; i < field; ++i)
        at += m_lengths[first + size_t(i)];
    return text::decode1252(m_text.data() + at, m_lengths[first + size_t(field)]);
}

QString RecordGridModel::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= m_columns.size()) return {};
    const qint64 stored = storedRow(row);
    if (const auto edit = m_edits.constFind({stored, column}); edit != m_edits.cend()) return *edit;
    const GridColumn& c = m_columns[column];
    if (c.first == GridColumn::kSortKey)
        return size_t(stored) < m_keys.size() ? QString::fromLatin1(m_keys[size_t(stored)])
                                              : QString();
    if (c.first < 0) {
        // The row's number in its own file's order.
        const auto file = std::upper_bound(m_fileStarts.begin(), m_fileStarts.end(), stored);
        return QString::number(stored - *(file - 1) + 1);
    }
    if (!c.shownAs.isEmpty()) {
        const QString value = kept(stored, c.first);
        for (const auto& [storedText, word] : c.shownAs)
            if (value == storedText) return word;
        return {};
    }
    if (c.second < 0) return kept(stored, c.first);
    return kept(stored, c.first) + u' ' + kept(stored, c.second);
}

int RecordGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_starts.size());
}

void RecordGridModel::addSortKeyColumn(const QString& heading, int width) {
    beginResetModel();
    m_columns.append({heading, width, GridColumn::kSortKey});
    endResetModel();
}

Qt::ItemFlags RecordGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && m_editable.contains(index.column())) f |= Qt::ItemIsEditable;
    return f;
}

bool RecordGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || !m_editable.contains(index.column()))
        return false;
    m_edits.insert({storedRow(index.row()), index.column()}, value.toString());
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

GridScreen::GridScreen(const GridScreenDecl& decl, GridModel* model, QWidget* parent)
    : QDialog(parent), m_decl(decl), m_model(model), m_behaviour(new ScreenBehaviour(this)) {
    m_model->setParent(this);
    setObjectName(decl.objectName);
    setWindowTitle(decl.caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    applyProgramFormats();
    m_behaviour->addHintClearingArea(this);

    m_grid = new QTableView(this);
    m_grid->setObjectName(u"grdRecords"_s);
    m_grid->setModel(m_model);
    // Only the cells a model marks editable can be retyped.
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_grid->setAlternatingRowColors(decl.alternatingRows);
    m_grid->setWordWrap(false);
    if (decl.selectRows) m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->verticalHeader()->hide();
    if (decl.rowHeight > 0) {
        m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        m_grid->verticalHeader()->setDefaultSectionSize(decl.rowHeight);
        m_grid->verticalHeader()->setMinimumSectionSize(decl.rowHeight);
    }
    for (int c = 0; c < m_model->columns().size(); ++c)
        m_grid->setColumnWidth(c, m_model->columns()[c].width);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_header = new QHBoxLayout;
    m_header->setContentsMargins(0, 0, 0, 0);
    if (decl.commands == GridScreenDecl::Commands::Column) {
        outer->setSpacing(0);
        auto* body = new QHBoxLayout;
        body->setContentsMargins(10, 10, 10, 10);
        outer->addLayout(body, 1);
        auto* left = new QVBoxLayout;
        left->setContentsMargins(0, 0, 0, 0);
        left->addLayout(m_header);
        left->addWidget(m_grid, 1);
        body->addLayout(left, 1);
        auto* column = new QVBoxLayout;
        column->setContentsMargins(0, 0, 0, 0);
        column->addStretch();
        body->addLayout(column);
        m_commandLayout = column;
    } else {
        auto* body = new QVBoxLayout;
        body->setContentsMargins(10, 10, 10, 6);
        outer->addLayout(body, 1);
        auto* top = new QHBoxLayout;
        top->addLayout(m_header);
        top->addStretch();
        auto* row = new QHBoxLayout;
        row->setContentsMargins(0, 0, 0, 0);
        top->addLayout(row);
        body->addLayout(top);
        body->addWidget(m_grid, 1);
        m_commandLayout = row;
    }

    const Command standards[] = {
        {.control = u"cmdEsporta"_s,
         .hint = decl.exportHint,
         .action = [this] { cmdEsportaClick(); }},
        {.control = u"cmdGuida"_s,
         .hint = u"Visualizza la pagina della guida sensibile al contesto."_s,
         .action = [this] { cmdGuidaClick(); }},
        {.control = u"cmdEsci"_s,
         .hint = u"Esci da questo ambiente di lavoro."_s,
         .action = [this] { cmdEsciClick(); }},
    };
    for (const Command& standard : standards) {
        QToolButton* button = makeCommand(completed(standard));
        // The column keeps its stretch at the bottom.
        m_commandLayout->insertWidget(
            m_commandLayout->count() - (decl.commands == GridScreenDecl::Commands::Column), button);
        m_commandOrder << button;
    }

    m_hintBar = makeHintBar(this, m_behaviour, decl.initialHint);
    outer->addWidget(m_hintBar);

    setFixedSize(decl.size);
    orderTabs();
}

// Tab follows the screen: the row of header controls and buttons, then the grid; or the
// grid, then the column of buttons.
void GridScreen::orderTabs() {
    QList<QWidget*> order = m_headerOrder;
    if (m_decl.commands == GridScreenDecl::Commands::Column) order << m_grid;
    for (QToolButton* button : std::as_const(m_commandOrder))
        order << button;
    if (m_decl.commands == GridScreenDecl::Commands::Row) order << m_grid;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QToolButton* GridScreen::makeCommand(const Command& command) {
    QToolButton* button = makeCommandButton(this, m_behaviour, command);
    if (m_decl.commands == GridScreenDecl::Commands::Column) button->setMinimumWidth(130);
    return button;
}

QToolButton* GridScreen::addCommand(const Command& command) {
    QToolButton* button = makeCommand(command);
    m_commandLayout->insertWidget(m_customCommands, button);
    m_commandOrder.insert(m_customCommands++, button);
    orderTabs();
    return button;
}

void GridScreen::addHeaderWidget(QWidget* widget) {
    m_header->insertWidget(m_headerWidgets++, widget);
    m_headerOrder << widget;
    orderTabs();
}

int GridScreen::rowCount() const {
    return m_model->rowCount();
}

QString GridScreen::cellText(int row, int column) const {
    return m_model->cell(row, column);
}

void GridScreen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_decl.centred) centreOnScreen(this);
    if (event->spontaneous() && !m_decl.refillOnEveryShow) return;
    prepare();
}

files::WriteResult GridScreen::writeExport(const QString& path) const {
    // A grid that could not read its archive is not the archive: exporting it would
    // replace a good file with a partial or empty table.
    if (!m_model->isComplete())
        return files::WriteResult::failure(u"the archive could not be read"_s);
    return exporting::writeSpreadsheet(
        path, QString::fromUtf16(m_decl.target.worksheetName), m_decl.exportColumns,
        m_model->rowCount(),
        [this](qsizetype row, int column) { return m_model->cell(int(row), column + 1); });
}

void GridScreen::cmdEsportaClick() {
    if (!msg::question(this, QString::fromUtf16(exporting::kAskExport))) return;
    // The grid is not the archive's: the cause is the archive, not the spreadsheet file.
    if (!m_model->isComplete()) return msg::archiveAccessError(this);
    const QString path = programPath(QString::fromUtf16(m_decl.target.fileName));
    if (const files::WriteResult written = writeExport(path); !written) {
        qCWarning(lcFiles).noquote() << written.cause();
        msg::plain(this, QString::fromUtf16(exporting::kExportFailed));
        return;
    }
    if (msg::question(this, m_decl.askOpenExport)) TMisc::Open(u'"' + path + u'"');
}

void GridScreen::cmdGuidaClick() {
    if (!m_decl.help) return;
    const help::HelpText help = m_decl.help();
    showHelp(this, help.title, help.text);
}

void GridScreen::cmdEsciClick() {
    reject();
}

} // namespace tavolex::ui
