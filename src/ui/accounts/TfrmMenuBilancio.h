#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavolex::ui {

// " Tavolex - Primanota e Bilancio": the period screen. The year, an optional reason filter
// and two days of that year chosen from drop-down lists; "Visualizza riepilogo" checks them,
// reads the cash book of the interval (showing the wait label meanwhile) and opens it in
// TfrmBilancio. "Esci" or closing the window hands back to the main menu (finished).
class TfrmMenuBilancio : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMenuBilancio(QWidget* parent = nullptr);

    void btnVisualizzaClick();
    void btnEsciClick();

Q_SIGNALS:
    void finished();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* dropDown(const QString& name, const QStringList& items);
    void mirrorYear();
    QWidget* fieldFor(int periodField) const;

    QLineEdit* m_anno;
    QLineEdit* m_tipologia;
    QComboBox* m_giornoInizio;
    QComboBox* m_meseInizio;
    QComboBox* m_giornoFine;
    QComboBox* m_meseFine;
    QLabel* m_annoInizio;
    QLabel* m_annoFine;
    QLabel* m_dataInizio;
    QLabel* m_dataFine;
    QLabel* m_file;
    QLabel* m_attendere;
    QPushButton* m_visualizza;
};

} // namespace tavolex::ui
