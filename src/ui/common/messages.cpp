#include "messages.h"

#include "files/log.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace msg {

namespace {
QMessageBox::StandardButton show(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                 const QString& text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, text, buttons, parent);
    box.setWindowModality(Qt::ApplicationModal);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
} // namespace

void warning(QWidget* parent, const QString& text) {
    show(parent, QMessageBox::Warning, u"Attenzione"_s, text,
         QMessageBox::Ok | QMessageBox::Cancel);
}

void error(QWidget* parent, const QString& text) {
    show(parent, QMessageBox::Critical, u"Errore"_s, text, QMessageBox::Ok | QMessageBox::Cancel);
}

void information(QWidget* parent, const QString& text) {
    show(parent, QMessageBox::Information, u"Informazione"_s, text,
         QMessageBox::Ok | QMessageBox::Cancel);
}

bool question(QWidget* parent, const QString& text) {
    return show(parent, QMessageBox::Question, u"Conferma"_s, text,
                QMessageBox::Yes | QMessageBox::No) != QMessageBox::No;
}

void plain(QWidget* parent, const QString& text) {
    show(parent, QMessageBox::NoIcon, u"Tavolex"_s, text, QMessageBox::Ok);
}

QString archiveAccessErrorText() {
    return u"Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
           u"Accertarsi di possedere i privilegi di scrittura nella cartella di installazione "
           u"del programma."_s;
}

void archiveAccessError(QWidget* parent, const QString& cause) {
    if (!cause.isEmpty()) qCWarning(lcFiles).noquote() << cause;
    error(parent, archiveAccessErrorText());
}

} // namespace msg

void installItalianTranslations() {
    static bool installed = false;
    if (installed || !qApp) return;
    installed = true;
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::Italian, QLocale::Italy), u"qtbase"_s, u"_"_s,
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace tavolex::ui
