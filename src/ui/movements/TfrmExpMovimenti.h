#pragma once

#include "ui/common/exportgrid.h"

namespace tavolex::ui {

// " Esporta archivio movimenti in Microsoft Excel": every movement of the open year in a
// grid, exported to "Movimenti.xls".
class TfrmExpMovimenti : public GridScreen {
    Q_OBJECT
public:
    explicit TfrmExpMovimenti(QWidget* parent = nullptr);

    // The yearly archive to show: the one open on the movement card.
    void setArchivePath(const QString& path);

protected:
    void prepare() override;

private:
    QString m_archive;
};

} // namespace tavolex::ui
