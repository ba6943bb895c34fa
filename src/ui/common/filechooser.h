#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tavolex::ui {

// The platform's file-open dialog, replaceable in tests.
class FileChooser {
public:
    // Asks for an existing file to attach; empty when cancelled.
    static QString chooseAttachment(QWidget* parent);

    using Hook = std::function<QString(QWidget* parent)>;
    static void setHook(Hook hook); // empty restores the dialog
};

} // namespace tavolex::ui
