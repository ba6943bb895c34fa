#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace tavolex::ui {

// " Riepilogo protocollo per intervallo di tempo": the documents registered between
// two dates, both included, and their export to "Protocollo.xls".
class TfrmRiepProtocollo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmRiepProtocollo(QWidget* parent = nullptr);

    // The yearly archive to read; by default the one open on the protocol card.
    void setArchivePath(const QString& path);
    QString archivePath() const;

    void cmdTrovaClick();
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_start;
    QLineEdit* m_end;
    QTableWidget* m_grid;
    QLabel* m_hintBar;
    QString m_archive;
};

} // namespace tavolex::ui
