#include "messages.h"

#include "files/log.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace msg {

namespace {
struct Recorder {
    bool active = false;
    QStringList answers;
    QList<ShownBox> shown;
};
Recorder& recorder() {
    static Recorder r;
    return r;
}

QString withoutMnemonic(QString text) {
    return text.remove(u'&');
}

// Clicks the button whose text (without '&') is `answer`; an empty or unknown answer the
// first button.
void answer(QMessageBox& box, const QString& wanted) {
    const QList<QAbstractButton*> buttons = box.buttons();
    if (buttons.isEmpty()) return;
    QAbstractButton* target = buttons.constFirst();
    for (QAbstractButton* b : buttons)
        if (!wanted.isEmpty() && withoutMnemonic(b->text()) == wanted) target = b;
    target->click();
}

QMessageBox::StandardButton show(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                 const QString& text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, text, buttons, parent);
    box.setWindowModality(Qt::ApplicationModal);
    if (Recorder& r = recorder(); r.active) {
        ShownBox shown{icon, text, {}};
        for (QAbstractButton* b : box.buttons())
            shown.buttons << withoutMnemonic(b->text());
        r.shown << shown;
        // Answered from inside the box's own event loop, once it is showing.
        if (!r.answers.isEmpty())
            QTimer::singleShot(0, &box,
                               [&box, wanted = r.answers.takeFirst()] { answer(box, wanted); });
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
} // namespace

void answerNextBoxes(const QStringList& answers) {
    Recorder& r = recorder();
    r.active = true;
    r.answers = answers;
    r.shown.clear();
}

QList<ShownBox> takeShownBoxes() {
    Recorder& r = recorder();
    const QList<ShownBox> shown = r.shown;
    r = Recorder{};
    return shown;
}

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
