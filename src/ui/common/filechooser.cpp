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
    // "*.*" alone would hide the many files here that have no extension.
    dialog.setNameFilter(u"Tutti i file (*.* *)"_s);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void FileChooser::setHook(Hook newHook) {
    hook() = std::move(newHook);
}

} // namespace tavolex::ui
