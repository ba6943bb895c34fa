#pragma once

#include "ui/common/exportgrid.h"

namespace tavolex::ui {

// " Esporta protocollo posta in Microsoft Excel": the whole yearly archive in a grid,
// exported to "Protocollo.xls" (worksheet "Protocollo Posta").
class TfrmExpProtocollo : public GridScreen {
    Q_OBJECT
public:
    explicit TfrmExpProtocollo(QWidget* parent = nullptr);

    // The yearly archive to read; by default the one open on the protocol card.
    void setArchivePath(const QString& path);
    QString archivePath() const;

protected:
    void prepare() override;

private:
    QString m_archive;
};

} // namespace tavolex::ui
