#pragma once

#include <QString>
#include <QWidget>

namespace tavolex::ui {

// The application screens, created once at start and only shown and hidden after.
class Screens {
public:
    static void add(QWidget* screen);
    static QWidget* get(const QString& objectName);
    template <typename T> static T* find(const QString& objectName) {
        return qobject_cast<T*>(get(objectName));
    }
    // Shows a screen as the program shows it: maximised screens maximised.
    static void show(const QString& objectName);
    static void clear();
};

// The program-wide date and number formats: dd/mm/yyyy and a decimal comma.
void applyProgramFormats();

// Standard help texts: title and paragraphs of each screen.
struct HelpText {
    QString title;
    QString text;
};

} // namespace tavolex::ui
