#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace tavolex::ui {

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
    void cmdSfogliaClick();
    void cmdCreaClick();
    void cmdVerificaClick();
    void cmdRipristinaClick();
    void cmdGuidaClick();
    void settingsChanged();
    void showFolderNotice();
    QString selectedCopy() const;

    QLineEdit* m_folder;
    QLabel* m_sameDisk;
    QCheckBox* m_automatic;
    QSpinBox* m_keep;
    QTableWidget* m_copies;
    bool m_loading = false;
};

} // namespace tavolex::ui
