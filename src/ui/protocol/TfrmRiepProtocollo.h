#pragma once

#include "ui/common/exportgrid.h"

class QLineEdit;

namespace tavolex::ui {

// " Riepilogo protocollo per intervallo di tempo": the documents registered between
// two dates, both included, and their export to "Protocollo.xls".
class TfrmRiepProtocollo : public GridScreen {
    Q_OBJECT
public:
    explicit TfrmRiepProtocollo(QWidget* parent = nullptr);

    // The yearly archive to read; by default the one open on the protocol card.
    void setArchivePath(const QString& path);
    QString archivePath() const;

    void cmdTrovaClick();

protected:
    void prepare() override;

private:
    QLineEdit* m_start;
    QLineEdit* m_end;
    QString m_archive;
};

} // namespace tavolex::ui
