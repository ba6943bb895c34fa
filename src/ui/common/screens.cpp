#include "screens.h"

#include <QHash>
#include <QLocale>
#include <QPointer>

namespace tavolex::ui {

namespace {

struct Registry {
    QHash<QString, Screens::Factory> factories;
    QHash<QString, QPointer<QWidget>> made;
    std::function<void(QWidget*)> onCreated;
};

Registry& registry() {
    static Registry screens;
    return screens;
}

} // namespace

void Screens::add(QWidget* screen) {
    registry().factories.insert(screen->objectName(), {});
    registry().made.insert(screen->objectName(), screen);
}

void Screens::addFactory(const QString& objectName, Factory factory) {
    registry().factories.insert(objectName, std::move(factory));
}

void Screens::setOnCreated(std::function<void(QWidget*)> onCreated) {
    registry().onCreated = std::move(onCreated);
}

QStringList Screens::names() {
    return registry().factories.keys();
}

bool Screens::has(const QString& objectName) {
    return registry().factories.contains(objectName) || isMade(objectName);
}

bool Screens::isMade(const QString& objectName) {
    return !registry().made.value(objectName).isNull();
}

QWidget* Screens::get(const QString& objectName) {
    Registry& screens = registry();
    if (QWidget* screen = screens.made.value(objectName)) return screen;
    const auto factory = screens.factories.constFind(objectName);
    if (factory == screens.factories.cend() || !*factory) return nullptr;
    QWidget* screen = (*factory)();
    screen->setObjectName(objectName);
    screens.made.insert(objectName, screen);
    if (screens.onCreated) screens.onCreated(screen);
    return screen;
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
    registry() = {};
}

void applyProgramFormats() {
    // Italian conventions whatever the desktop's settings: dd/mm/yyyy and a decimal comma.
    QLocale locale(QLocale::Italian, QLocale::Italy);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(locale);
}

} // namespace tavolex::ui
