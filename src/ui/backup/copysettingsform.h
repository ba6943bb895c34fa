#pragma once

#include <QObject>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace tavolex::ui {

class ScreenBehaviour;

// The settings rows of the backup screen: the folder of the copies with its chooser, the notice
// when that folder is on the archives' disk, the copy at closing and how many are kept. Every
// change the user makes is saved at once in the program settings.
class CopySettingsForm : public QObject {
    Q_OBJECT
public:
    // The rows go into `form`, their controls belong to `screen`.
    CopySettingsForm(QWidget* screen, ScreenBehaviour* behaviour, QGridLayout* form);

    // Shows the saved settings, without saving them back.
    void load();
    // The folder of the copies as typed.
    QString folder() const;
    // Shows or hides the same-disk notice for the folder typed.
    void showFolderNotice();

    void cmdSfogliaClick();

Q_SIGNALS:
    // Another folder was typed or chosen, and saved.
    void folderChanged();

private:
    void save();

    QWidget* m_screen;
    QLineEdit* m_folder;
    QLabel* m_sameDisk;
    QCheckBox* m_automatic;
    QSpinBox* m_keep;
    bool m_loading = false;
};

} // namespace tavolex::ui
