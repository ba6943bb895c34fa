#pragma once

#include <QDialog>

class QLabel;
class QTableWidget;

namespace tavolex::ui {

// " Esporta protocollo posta in Microsoft Excel": the whole yearly archive in a grid,
// exported to "Protocollo.xls" (worksheet "Protocollo Posta").
class TfrmExpProtocollo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExpProtocollo(QWidget* parent = nullptr);

    // The yearly archive to read; by default the one open on the protocol card.
    void setArchivePath(const QString& path);
    QString archivePath() const;

    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTableWidget* m_grid;
    QLabel* m_hintBar;
    QString m_archive;
};

} // namespace tavolex::ui
