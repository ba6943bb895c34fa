#include "foundrecordsmodel.h"

namespace tavolex::ui {

using namespace Qt::StringLiterals;

int FoundRecordsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_hits.size());
}

int FoundRecordsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 5;
}

QVariant FoundRecordsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const search::Hit& hit = m_hits[std::size_t(index.row())];
    if (role == Qt::TextAlignmentRole && (index.column() == 1 || index.column() == 2))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
    case 0:
        return search::archiveTitle(hit.kind);
    case 1:
        return hit.year ? QString::number(hit.year) : QString();
    case 2:
        return QString::number(hit.record);
    case 3:
        return hit.label;
    default:
        return hit.context;
    }
}

QVariant FoundRecordsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const QStringList headings = {u"Archivio"_s, u"Anno"_s, u"N."_s, u"Campo"_s, u"Testo"_s};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return headings.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void FoundRecordsModel::append(std::vector<search::Hit>&& hits) {
    if (hits.empty()) return;
    beginInsertRows({}, rowCount(), rowCount() + int(hits.size()) - 1);
    std::move(hits.begin(), hits.end(), std::back_inserter(m_hits));
    endInsertRows();
}

void FoundRecordsModel::clear() {
    beginResetModel();
    m_hits.clear();
    endResetModel();
}

const search::Hit* FoundRecordsModel::hit(int row) const {
    return row >= 0 && row < rowCount() ? &m_hits[std::size_t(row)] : nullptr;
}

} // namespace tavolex::ui
