#include "screens.h"

#include <QHash>
#include <QLocale>
#include <QPointer>

namespace tavolex::ui {

namespace {
QHash<QString, QPointer<QWidget>>& registry() {
    static QHash<QString, QPointer<QWidget>> screens;
    return screens;
}
} // namespace

void Screens::add(QWidget* screen) {
    registry().insert(screen->objectName(), screen);
}

QWidget* Screens::get(const QString& objectName) {
    return registry().value(objectName);
}

void Screens::show(const QString& objectName) {
    if (QWidget* screen = get(objectName)) {
        if (screen->property("tavolexMaximised").toBool())
            screen->showMaximized();
        else
            screen->show();
        screen->raise();
        screen->activateWindow();
    }
}

void Screens::clear() {
    registry().clear();
}

void applyProgramFormats() {
    // Italian conventions whatever the desktop's settings: dd/mm/yyyy and a decimal comma.
    QLocale locale(QLocale::Italian, QLocale::Italy);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(locale);
}

} // namespace tavolex::ui
