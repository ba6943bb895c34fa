#pragma once

#include "search/everywhere.h"

#include <QAbstractTableModel>
#include <vector>

namespace tavolex::ui {

// The records found by the search over every archive, one row each, in the order they were
// found: archive, year, record number, field and the text around the match.
class FoundRecordsModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void append(std::vector<search::Hit>&& hits);
    void clear();
    // The hit of `row`, null outside the rows.
    const search::Hit* hit(int row) const;

private:
    std::vector<search::Hit> m_hits;
};

} // namespace tavolex::ui
