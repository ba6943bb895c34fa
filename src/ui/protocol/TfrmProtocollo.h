#pragma once

#include "ui/common/recordcard.h"

#include <functional>

namespace tavolex::ui {

// The protocol card over the yearly archive chosen in the year menu (hidden label
// lblFile). Shown by the year menu; closing it returns to the main menu.
class TfrmProtocollo : public RecordCard {
    Q_OBJECT
public:
    explicit TfrmProtocollo(QWidget* parent = nullptr);

    // The year menu points the card at a yearly archive (full path) and names the year.
    void setArchive(const QString& path);
    // Points the card at the archive of a year (as typed in the year menu) and names the
    // year in the caption.
    void openYear(const QString& yearText);
    QString archivePath() const override;

    // The text of the chosen mail-type button, empty when none is chosen.
    QString mailType() const;

    void cmdNuovoClick() override;
    void cmdTrovaClick();
    void cmdRiepilogoClick();
    void cmdStampaClick();
    void cmdEsportaClick();
    void cmdNumerazioneClick();
    void btnSfogliaClick();

    // What "Sfoglia..." asks for a file: the chosen path, empty when cancelled. The
    // default is the open-file dialog dlgFile; tests put a chooser of their own.
    static void
    setFileChooser(std::function<QString(QWidget* parent)> chooser); // empty restores the dialog

protected:
    void prepareShownCard() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void blankCard();
    void rememberPeople();
};

} // namespace tavolex::ui
