#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace tavolex::ui {

// The application screens. Each is made once, the first time it is asked for (or shown), and
// only shown and hidden after; a screen never asked for costs nothing at start.
class Screens {
public:
    using Factory = std::function<QWidget*()>;
    // A screen already made (by its owner, who wires it).
    static void add(QWidget* screen);
    // The screen named `objectName` is made by `factory` when first needed.
    static void addFactory(const QString& objectName, Factory factory);
    // Hears each screen the moment it has been made (to own it and wire its signals).
    static void setOnCreated(std::function<void(QWidget*)> onCreated);
    // The names of every screen the program has, made or not yet.
    static QStringList names();
    // Whether the program has such a screen, made or not yet.
    static bool has(const QString& objectName);
    // Whether it has been made already (asking makes nothing).
    static bool isMade(const QString& objectName);
    // The screen, made now if it was not yet; nullptr for a name the program does not have.
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
