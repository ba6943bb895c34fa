#pragma once

#include <QTableWidget>

namespace tavolex::ui {

// The list grdCopie of the backup screen: the copies found in a folder, newest first, with
// their kind, size, number of files and last verification.
class CopyTable : public QTableWidget {
    Q_OBJECT
public:
    explicit CopyTable(QWidget* parent);

    // Fills the list again from the copies in `folder`, the first one selected.
    void showCopies(const QString& folder);
    // The path of the selected copy, empty when none is.
    QString selectedCopy() const;
};

} // namespace tavolex::ui
