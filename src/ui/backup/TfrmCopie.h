#pragma once

#include <QWidget>

namespace tavolex::ui {

class CopySettingsForm;
class CopyTable;

// " Tavolex - Copie di sicurezza": where copies of the program folder go, whether one is made
// at closing and how many are kept; the copies found, newest first, to make, verify and
// restore.
class TfrmCopie : public QWidget {
    Q_OBJECT
public:
    explicit TfrmCopie(QWidget* parent = nullptr);

    // Fills the list again from the copies in the chosen folder.
    void refresh();

Q_SIGNALS:
    void finished();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdCreaClick();
    void cmdVerificaClick();
    void cmdRipristinaClick();
    void cmdGuidaClick();

    CopySettingsForm* m_settings;
    CopyTable* m_copies;
};

} // namespace tavolex::ui
