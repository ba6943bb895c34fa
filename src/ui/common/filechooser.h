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
    // Asks for a folder, starting from `start`; empty when cancelled.
    static QString chooseFolder(QWidget* parent, const QString& start);

    using Hook = std::function<QString(QWidget* parent)>;
    static void setHook(Hook hook); // empty restores the dialog
};

} // namespace tavolex::ui
