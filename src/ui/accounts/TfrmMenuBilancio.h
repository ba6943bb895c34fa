#pragma once

#include "accounts/cashbook.h"
#include "ui/common/hiddenlabels.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace tavolex::ui {

class PeriodBox;
class ScreenBehaviour;

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

    // The period last checked by "Visualizza riepilogo" (its dates as built, even when
    // refused) and the archive it was read from.
    const accounts::PeriodVerdict& checkedPeriod() const { return m_checked; }
    const QString& archivePath() const { return m_archivePath; }

Q_SIGNALS:
    void finished();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildHeader(QVBoxLayout* outer);
    void buildCommands(QVBoxLayout* outer);
    void mirrorYear();
    void setChecked(const accounts::PeriodVerdict& verdict, const QString& archivePath);
    QWidget* fieldFor(accounts::PeriodField field) const;

    ScreenBehaviour* m_behaviour;
    QLineEdit* m_anno = nullptr;
    QLineEdit* m_tipologia = nullptr;
    PeriodBox* m_inizio = nullptr;
    PeriodBox* m_fine = nullptr;
    QLabel* m_attendere = nullptr;
    QPushButton* m_visualizza = nullptr;
    QPushButton* m_esci = nullptr;
    accounts::PeriodVerdict m_checked;
    QString m_archivePath;
    // Views of the checked period: its start, its end and the archive.
    HiddenLabels m_checkedViews;
};

} // namespace tavolex::ui
