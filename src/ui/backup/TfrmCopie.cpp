#include "TfrmCopie.h"

#include "backup/backupsettings.h"
#include "backup/restore.h"
#include "backupwork.h"
#include "copysettingsform.h"
#include "copytable.h"
#include "help/helptexts.h"
#include "ui/common/behaviour.h"
#include "ui/common/commands.h"
#include "ui/common/messages.h"
#include "ui/common/recordcard.h"
#include "ui/common/screens.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::StringLiterals;

TfrmCopie::TfrmCopie(QWidget* parent) : QWidget(parent) {
    setObjectName(u"TfrmCopie"_s);
    setWindowTitle(u" Tavolex - Copie di sicurezza"_s);
    setAttribute(Qt::WA_StyledBackground);
    resize(900, 600);
    auto* behaviour = new ScreenBehaviour(this);
    auto* outer = new QVBoxLayout(this);

    auto* form = new QGridLayout;
    m_settings = new CopySettingsForm(this, behaviour, form);
    outer->addLayout(form);

    m_copies = new CopyTable(this);
    outer->addWidget(m_copies, 1);

    const Command declared[] = {
        {.control = u"cmdCrea"_s,
         .caption = u"Crea copia"_s,
         .glyph = u"+"_s,
         .hint = u"Crea subito una copia di sicurezza di tutti gli archivi."_s,
         .action = [this] { cmdCreaClick(); }},
        {.control = u"cmdVerifica"_s,
         .caption = u"Verifica"_s,
         .glyph = u"\u2713"_s,
         .hint = u"Rilegge la copia selezionata e ne controlla ogni file."_s,
         .action = [this] { cmdVerificaClick(); }},
        {.control = u"cmdRipristina"_s,
         .caption = u"Ripristina"_s,
         .glyph = u"\u21BA"_s,
         .hint = u"Rimette negli archivi i file della copia selezionata."_s,
         .action = [this] { cmdRipristinaClick(); }},
        {.control = u"cmdGuida"_s, .action = [this] { cmdGuidaClick(); }},
        {.control = u"cmdEsci"_s, .action = [this] { close(); }},
    };
    addCommandFoot(outer, this, behaviour, declared);

    connect(m_settings, &CopySettingsForm::folderChanged, this, &TfrmCopie::refresh);
}

void TfrmCopie::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    m_settings->load();
    refresh();
}

void TfrmCopie::closeEvent(QCloseEvent* event) {
    event->accept();
    hide();
    Q_EMIT finished();
}

void TfrmCopie::refresh() {
    m_settings->showFolderNotice();
    m_copies->showCopies(m_settings->folder());
}

void TfrmCopie::cmdCreaClick() {
    const QString folder = m_settings->folder();
    const backup::Outcome made = makeCopyWithProgress(this, folder, backup::Kind::Manual);
    if (made.cancelled) return;
    if (!made.ok) {
        msg::warning(this, u"Attenzione: non \u00E8 stato possibile creare la copia di sicurezza "
                           u"nella cartella\n\r"_s +
                               folder + copyFailureDetail(made));
        return;
    }
    backup::recordVerification(folder, QFileInfo(made.path).fileName(), verificationText(made));
    refresh();
    msg::information(this, u"La copia di sicurezza \u00E8 stata creata:\n\r"_s +
                               QDir::toNativeSeparators(made.path) + u"\n\r\n\rFile copiati: "_s +
                               QString::number(made.files));
}

void TfrmCopie::cmdVerificaClick() {
    const QString copy = m_copies->selectedCopy();
    if (copy.isEmpty()) {
        msg::warning(this, u"Attenzione: selezionare nell'elenco la copia da verificare."_s);
        return;
    }
    const backup::Outcome checked = verifyWithProgress(this, copy);
    if (checked.cancelled) return;
    const QString folder = m_settings->folder();
    const QString name = QFileInfo(copy).fileName();
    backup::recordVerification(folder, name, verificationText(checked));
    refresh();
    if (checked.ok) {
        msg::information(this, u"La copia \u00E8 integra: tutti i "_s +
                                   QString::number(checked.files) +
                                   u" file corrispondono alle impronte registrate."_s);
        return;
    }
    if (checked.refusal == backup::Refusal::NotACopy) {
        msg::warning(this, u"Attenzione: il file non \u00E8 una copia di sicurezza completa di "
                           u"Tavolex e non pu\u00F2 essere ripristinato."_s);
        return;
    }
    msg::warning(this, checked.damaged.isEmpty()
                           ? u"Attenzione: la copia \u00E8 danneggiata e non pu\u00F2 essere "
                             u"letta."_s
                           : u"Attenzione: la copia \u00E8 danneggiata. File non integri:\n\r"_s +
                                 checked.damaged.join(u"\n\r"_s));
}

void TfrmCopie::cmdRipristinaClick() {
    const QString copy = m_copies->selectedCopy();
    if (copy.isEmpty()) {
        msg::warning(this, u"Attenzione: selezionare nell'elenco la copia da ripristinare."_s);
        return;
    }
    // The shell's own windows (main menu, password, credits) hold no archive open.
    static const QStringList shell = {u"TfrmAvvio"_s, u"TfrmPassword"_s, u"TfrmCambiaPassword"_s,
                                      u"TfrmSplash"_s, u"TfrmInfo"_s};
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible() && !shell.contains(window->objectName()) &&
            Screens::isMade(window->objectName())) {
            msg::warning(this, u"Attenzione: chiudere tutte le applicazioni prima di ripristinare "
                               u"una copia di sicurezza."_s);
            return;
        }
    }
    const std::optional<backup::CopyName> name =
        backup::parseCopyFileName(QFileInfo(copy).fileName());
    const QString when = name ? name->made.toString(u"dd/MM/yyyy"_s) + u" alle ore "_s +
                                    name->made.toString(u"HH:mm:ss"_s)
                              : QFileInfo(copy).fileName();
    if (!msg::question(this, u"Si vogliono sostituire gli archivi attuali con quelli della copia "
                             u"del "_s +
                                 when + u"?"_s))
        return;
    const backup::Outcome checked = verifyWithProgress(this, copy);
    if (checked.cancelled) return;
    if (!checked.ok) {
        msg::warning(this, u"Attenzione: la copia \u00E8 danneggiata o non \u00E8 una copia di "
                           u"Tavolex; gli archivi non sono stati modificati."_s);
        return;
    }
    const QString folder = m_settings->folder();
    const backup::Outcome saved = makeCopyWithProgress(this, folder, backup::Kind::BeforeRestore);
    if (!saved.ok) {
        if (!saved.cancelled)
            msg::warning(this, u"Attenzione: non \u00E8 stato possibile salvare lo stato attuale "
                               u"degli archivi; il ripristino non \u00E8 stato eseguito."_s +
                                   copyFailureDetail(saved));
        return;
    }
    backup::recordVerification(folder, QFileInfo(saved.path).fileName(), verificationText(saved));
    const backup::Outcome restored = restoreWithProgress(this, copy);
    refresh();
    if (restored.cancelled) return;
    if (!restored.ok) {
        msg::warning(this, u"Attenzione: il ripristino non \u00E8 stato possibile; gli archivi "
                           u"sono rimasti come erano."_s);
        return;
    }
    msg::information(this, u"Gli archivi sono stati ripristinati dalla copia del "_s + when +
                               u".\n\r\n\rLo stato precedente \u00E8 conservato nella copia\n\r"_s +
                               QDir::toNativeSeparators(saved.path));
}

void TfrmCopie::cmdGuidaClick() {
    const help::HelpText help = help::backupCopies();
    showHelp(this, help.title, help.text);
}

} // namespace tavolex::ui
