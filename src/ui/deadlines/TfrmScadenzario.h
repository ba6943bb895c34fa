#pragma once

#include "ui/common/recordcard.h"

#include <QDate>

namespace tavolex::ui {

class DeadlineStartPanel;
class WarningSound;

// " Tavolex - Scadenze e Appuntamenti": a start panel (panAvvio) that warns of imminent
// deadlines, with a sound, and leads to the due-date lists and to a year's archive; and the
// deadline card (panContainer) over that year's archive.
class TfrmScadenzario : public RecordCard {
    Q_OBJECT
public:
    explicit TfrmScadenzario(QWidget* parent = nullptr);

    // The start panel's check: warns when the current year holds imminent deadlines.
    void checkImminence();
    // "Apri" with an accepted year: the card of that year's archive, cleared.

    void cmdTrovaClick();
    void btnOKClick();
    void btnGiornoClick();
    void btnMeseClick();

protected:
    void built() override;
    void clearOnDuplicate() override;
    void prepareShownCard() override;
    void yearOpened(const QString& yearText) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showStartPanel(bool start);

    DeadlineStartPanel* m_startPanel = nullptr;
    WarningSound* m_sound = nullptr;
    QDate m_calendarDate;
};

} // namespace tavolex::ui
