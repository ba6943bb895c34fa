#pragma once

class QWidget;

namespace tavolex::ui {

// Creates a dialog over `parent`, lets `prepare` set it up, shows it modally and discards
// it: the one way a screen opens a dialog that hands nothing back.
template <typename Dialog, typename Prepare> int runModal(QWidget* parent, Prepare&& prepare) {
    Dialog dialog(parent);
    prepare(dialog);
    return dialog.exec();
}

template <typename Dialog> int runModal(QWidget* parent) {
    Dialog dialog(parent);
    return dialog.exec();
}

} // namespace tavolex::ui
