#include "gridmodels.h"

#include "records/layout.h"
#include "records/record.h"
#include "records/store.h"
#include "text/win1252.h"
#include "wait.h"

#include <algorithm>
#include <numeric>

namespace tavolex::ui {

using exporting::CellSource;
using exporting::FieldColumn;
using namespace Qt::Literals::StringLiterals;

namespace {

FieldColumn rowNumberColumn() {
    return {.header = u"N."_s, .screenWidth = 60, .source = CellSource::RowNumber};
}

} // namespace

GridModel::GridModel(QList<FieldColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns)) {}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if ((role == Qt::DisplayRole || role == Qt::EditRole) && index.isValid())
        return cell(index.row(), index.column());
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section >= 0 &&
        section < m_columns.size())
        return m_columns[section].header;
    return QAbstractTableModel::headerData(section, orientation, role);
}

RowsGridModel::RowsGridModel(QList<FieldColumn> columns, QObject* parent)
    : GridModel(std::move(columns), parent) {}

RowsGridModel* RowsGridModel::numbered(const QList<FieldColumn>& columns) {
    QList<FieldColumn> shown = {rowNumberColumn()};
    for (FieldColumn column : columns) {
        column.source = CellSource::Computed;
        shown << column;
    }
    return new RowsGridModel(shown);
}

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

RecordGridModel::RecordGridModel(const records::RecordLayout& layout, QList<FieldColumn> columns,
                                 QObject* parent)
    : GridModel({}, parent), m_layout(layout) {
    for (const FieldColumn& column : columns)
        addColumn(column);
}

RecordGridModel* RecordGridModel::byField(const records::RecordLayout& layout,
                                          const QList<FieldColumn>& columns) {
    return new RecordGridModel(layout, QList{rowNumberColumn()} + columns);
}

RecordGridModel::Kept RecordGridModel::keep(const FieldColumn& column) {
    if (column.source != CellSource::Field) return {};
    const auto add = [this](const QString& name) {
        const int index = m_layout.indexOf(name);
        Q_ASSERT_X(index >= 0, "RecordGridModel", "a column names no record field");
        m_kept.append(index);
        return int(m_kept.size()) - 1;
    };
    Kept where{add(column.field)};
    if (!column.joined.isEmpty()) where.second = add(column.joined);
    return where;
}

void RecordGridModel::addColumn(const FieldColumn& column) {
    // New kept fields change the shape of every stored row: a grid gains columns before
    // its first fill.
    Q_ASSERT(m_starts.empty() || column.source != CellSource::Field);
    beginResetModel();
    m_where.push_back(keep(column));
    m_columns.append(column);
    endResetModel();
}

// What one fill reads, made on a worker thread.
struct RecordGridModel::Scanned {
    bool read = false;
    std::vector<char> text;
    std::vector<qint64> starts;
    std::vector<quint32> ends;
    std::vector<QByteArray> keys;
    std::vector<qint64> order;
};

std::shared_ptr<RecordGridModel::Scanned> RecordGridModel::scan(const records::Archive& archive,
                                                                const RecordTest& accept) const {
    auto scanned = std::make_shared<Scanned>();
    std::vector<const records::FieldSpec*> specs;
    for (int index : m_kept)
        specs.push_back(&m_layout.field(index));
    Scanned& s = *scanned;
    s.read = records::forEachRecord(archive, [&](qint64, const char* record) {
        if (accept && !accept(record)) return true;
        const size_t rowStart = s.text.size();
        s.starts.push_back(qint64(rowStart));
        if (m_sortKey) s.keys.push_back(m_sortKey(record));
        for (const records::FieldSpec* spec : specs) {
            const QByteArrayView kept = records::storedTrimmed(record, *spec);
            s.text.insert(s.text.end(), kept.begin(), kept.end());
            s.ends.push_back(quint32(s.text.size() - rowStart));
        }
        return true;
    });
    if (m_sortKey) {
        s.order.resize(s.starts.size());
        std::iota(s.order.begin(), s.order.end(), qint64(0));
        std::stable_sort(s.order.begin(), s.order.end(), [&s](qint64 a, qint64 b) {
            return s.keys[size_t(a)] < s.keys[size_t(b)];
        });
    }
    return scanned;
}

bool RecordGridModel::fill(const records::Archive& archive, const RecordTest& accept,
                           OnFailure onFailure) {
    // Read on a worker thread: the window keeps painting but takes no input meanwhile.
    const std::shared_ptr<Scanned> scanned = runWaiting<std::shared_ptr<Scanned>>(
        nullptr, [this, &archive, &accept] { return scan(archive, accept); });
    m_complete = scanned->read;
    if (!scanned->read && onFailure == OnFailure::KeepPrevious) return false;
    beginResetModel();
    m_text = std::move(scanned->text);
    m_starts = std::move(scanned->starts);
    m_ends = std::move(scanned->ends);
    m_order = std::move(scanned->order);
    m_keys = std::move(scanned->keys);
    m_fileStarts = {0};
    m_edits.clear();
    endResetModel();
    return scanned->read;
}

bool RecordGridModel::fillPrepared(const records::Archive& archive, const RecordTest& accept,
                                   OnFailure onFailure) {
    if (archive.prepare()) return fill(archive, accept, onFailure);
    if (onFailure == OnFailure::KeepRowsRead) clear();
    markIncomplete();
    return false;
}

bool RecordGridModel::append(const records::Archive& archive, const RecordTest& accept) {
    const std::shared_ptr<Scanned> scanned = runWaiting<std::shared_ptr<Scanned>>(
        nullptr, [this, &archive, &accept] { return scan(archive, accept); });
    m_complete = m_complete && scanned->read;
    const qint64 first = qint64(m_starts.size());
    const qint64 textOffset = qint64(m_text.size());
    beginResetModel();
    m_text.insert(m_text.end(), scanned->text.begin(), scanned->text.end());
    for (const qint64 start : scanned->starts)
        m_starts.push_back(start + textOffset);
    m_ends.insert(m_ends.end(), scanned->ends.begin(), scanned->ends.end());
    m_keys.insert(m_keys.end(), scanned->keys.begin(), scanned->keys.end());
    if (m_sortKey) {
        // Only this file's rows are sorted; rows of a file read before stay above them.
        if (m_order.empty() && first > 0) {
            m_order.resize(size_t(first));
            std::iota(m_order.begin(), m_order.end(), qint64(0));
        }
        for (const qint64 row : scanned->order)
            m_order.push_back(row + first);
    }
    m_fileStarts.push_back(first);
    endResetModel();
    return scanned->read;
}

void RecordGridModel::clear() {
    beginResetModel();
    m_text.clear();
    m_starts.clear();
    m_ends.clear();
    m_order.clear();
    m_keys.clear();
    m_fileStarts = {0};
    m_edits.clear();
    m_complete = true;
    endResetModel();
}

QByteArrayView RecordGridModel::keptBytes(qint64 stored, int field) const {
    // A field's text runs from the end of the one before it to its own end: found at once,
    // whichever the field, so a row of many columns costs no more per cell than one of few.
    const size_t first = size_t(stored) * size_t(m_kept.size());
    const quint32 begin = field == 0 ? 0 : m_ends[first + size_t(field) - 1];
    const quint32 end = m_ends[first + size_t(field)];
    return QByteArrayView(m_text.data() + m_starts[size_t(stored)] + begin, qsizetype(end - begin));
}

QString RecordGridModel::kept(qint64 stored, int field) const {
    const QByteArrayView bytes = keptBytes(stored, field);
    return text::decode1252(bytes.data(), bytes.size());
}

// A plain field goes to the file as the bytes the record stores, never decoded.
void RecordGridModel::writeCell(int row, int column, exporting::CellSink& out) const {
    if (row >= 0 && row < rowCount() && column >= 0 && column < m_columns.size()) {
        const FieldColumn& c = m_columns[column];
        const Kept& where = m_where[size_t(column)];
        const qint64 stored = storedRow(row);
        if (c.source == CellSource::Field && c.shownAs.isEmpty() && where.second < 0 &&
            (!c.editable || !m_edits.contains({stored, column}))) {
            out.text1252(keptBytes(stored, where.first));
            return;
        }
    }
    out.text(cell(row, column));
}

QString RecordGridModel::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= m_columns.size()) return {};
    const qint64 stored = storedRow(row);
    if (const auto edit = m_edits.constFind({stored, column}); edit != m_edits.cend()) return *edit;
    const FieldColumn& c = m_columns[column];
    const Kept& where = m_where[size_t(column)];
    switch (c.source) {
    case CellSource::RowNumber: {
        // The row's number in its own file's order.
        const auto file = std::upper_bound(m_fileStarts.begin(), m_fileStarts.end(), stored);
        return QString::number(stored - *(file - 1) + 1);
    }
    case CellSource::SortKey:
        return size_t(stored) < m_keys.size() ? QString::fromLatin1(m_keys[size_t(stored)])
                                              : QString();
    case CellSource::Computed:
        return {};
    case CellSource::Field:
        break;
    }
    if (!c.shownAs.isEmpty()) {
        const QString value = kept(stored, where.first);
        for (const auto& [storedText, word] : c.shownAs)
            if (value == storedText) return word;
        return {};
    }
    if (where.second < 0) return kept(stored, where.first);
    return kept(stored, where.first) + u' ' + kept(stored, where.second);
}

int RecordGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_starts.size());
}

Qt::ItemFlags RecordGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && m_columns[index.column()].editable) f |= Qt::ItemIsEditable;
    return f;
}

bool RecordGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || !m_columns[index.column()].editable)
        return false;
    m_edits.insert({storedRow(index.row()), index.column()}, value.toString());
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

} // namespace tavolex::ui
