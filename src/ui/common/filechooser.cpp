#include "filechooser.h"

#include <QFileDialog>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {
FileChooser::Hook& hook() {
    static FileChooser::Hook current;
    return current;
}
} // namespace

QString FileChooser::chooseAttachment(QWidget* parent) {
    if (hook()) return hook()(parent);
    QFileDialog dialog(parent, u"Selezionare il file da allegare:"_s);
    dialog.setObjectName(u"dlgFile"_s);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // The dialog shows the name before the last brackets, "Tutti i file (*.*)", and filters
    // with what they hold: "*", since "*.*" would hide files without an extension.
    dialog.setNameFilter(u"Tutti i file (*.*) (*)"_s);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QString FileChooser::chooseFolder(QWidget* parent, const QString& start) {
    if (hook()) return hook()(parent);
    QFileDialog dialog(parent, u"Selezionare la cartella delle copie di sicurezza:"_s, start);
    dialog.setObjectName(u"dlgCartella"_s);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void FileChooser::setHook(Hook newHook) {
    hook() = std::move(newHook);
}

} // namespace tavolex::ui
