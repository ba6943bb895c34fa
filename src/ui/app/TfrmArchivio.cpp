#include "TfrmArchivio.h"

#include "help/helptexts.h"
#include "programfolder.h"
#include "records/folderstore.h"
#include "server/connectionsettings.h"
#include "server/serversetup.h"
#include "settings/programsettings.h"
#include "ui/common/behaviour.h"
#include "ui/common/commands.h"
#include "ui/common/messages.h"
#include "ui/common/recordcard.h"
#include "ui/common/wait.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::StringLiterals;

namespace {

QString refusalText(server::ConnectionRefusal refusal) {
    switch (refusal) {
    case server::ConnectionRefusal::HoldsPassword:
        return u"Attenzione: la connessione non pu\u00F2 contenere la password, perch\u00E9 le "
               u"impostazioni sono leggibili da chiunque. Togliere la password dalla connessione "
               u"e scriverla nel file .pgpass dell'utente."_s;
    case server::ConnectionRefusal::NotAscii:
        return u"Attenzione: la connessione non pu\u00F2 contenere lettere accentate o altri "
               u"caratteri speciali."_s;
    case server::ConnectionRefusal::Malformed:
        return u"Attenzione: la connessione non \u00E8 scritta correttamente. Esempio: "
               u"host=server dbname=tavolex user=ufficio"_s;
    case server::ConnectionRefusal::None:
        break;
    }
    return {};
}

} // namespace

TfrmArchivio::TfrmArchivio(QWidget* parent) : QWidget(parent) {
    setObjectName(u"TfrmArchivio"_s);
    setWindowTitle(u" Tavolex - Archivio condiviso"_s);
    setAttribute(Qt::WA_StyledBackground);
    resize(760, 260);
    auto* behaviour = new ScreenBehaviour(this);
    auto* outer = new QVBoxLayout(this);

    auto* form = new QGridLayout;
    form->addWidget(new QLabel(u"Connessione al database:"_s, this), 0, 0);
    m_connection = new QLineEdit(this);
    m_connection->setObjectName(u"txtConnessione"_s);
    m_connection->setPlaceholderText(u"vuota: archivi nella cartella del programma"_s);
    form->addWidget(m_connection, 0, 1);
    outer->addLayout(form);

    m_wait = new QLabel(u"Collegamento al database in corso. Attendere..."_s, this);
    m_wait->setObjectName(u"lblAttendere"_s);
    m_wait->setProperty("tavolexAlert", true);
    m_wait->setAlignment(Qt::AlignCenter);
    m_wait->hide();
    outer->addWidget(m_wait);
    outer->addStretch();

    const Command declared[] = {
        {.control = u"cmdProva"_s,
         .caption = u"Prova"_s,
         .glyph = u"\u21C4"_s,
         .hint = u"Prova a collegarsi al database e ne prepara le tabelle."_s,
         .action = [this] { cmdProvaClick(); }},
        {.control = u"cmdCopia"_s,
         .caption = u"Copia sul server"_s,
         .glyph = u"\u21E7"_s,
         .hint = u"Copia gli archivi della cartella del programma nel database vuoto."_s,
         .action = [this] { cmdCopiaClick(); }},
        {.control = u"cmdSalva"_s,
         .hint = u"Registra la connessione; il programma la usa dalla partenza successiva."_s,
         .action = [this] { cmdSalvaClick(); }},
        {.control = u"cmdGuida"_s, .action = [this] { cmdGuidaClick(); }},
        {.control = u"cmdEsci"_s, .action = [this] { close(); }},
    };
    addCommandFoot(outer, this, behaviour, declared);
}

void TfrmArchivio::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    m_connection->setText(server::loadConnection(settings::programSettingsPath()));
    m_wait->hide();
}

void TfrmArchivio::closeEvent(QCloseEvent* event) {
    event->accept();
    hide();
    Q_EMIT finished();
}

QString TfrmArchivio::typedConnection() {
    const QString connection = m_connection->text().trimmed();
    if (connection.isEmpty())
        msg::warning(this, u"Attenzione: scrivere la connessione al database."_s);
    return connection;
}

void TfrmArchivio::cmdProvaClick() {
    const QString connection = typedConnection();
    if (connection.isEmpty()) return;
    m_wait->setText(u"Collegamento al database in corso. Attendere..."_s);
    const QString cause =
        runWaiting<QString>(m_wait, [connection] { return server::checkServer(connection); });
    if (cause.isEmpty()) {
        msg::information(this, u"Il collegamento al database \u00E8 riuscito: gli archivi "
                               u"condivisi sono pronti."_s);
        return;
    }
    msg::warning(this, u"Attenzione: non \u00E8 stato possibile collegarsi al database.\n\r"_s +
                           cause.trimmed());
}

void TfrmArchivio::cmdCopiaClick() {
    const QString connection = typedConnection();
    if (connection.isEmpty()) return;
    if (!msg::question(this, u"Si vogliono copiare tutti gli archivi della cartella del "
                             u"programma nel database?"_s))
        return;
    m_wait->setText(u"Copia degli archivi in corso. Attendere..."_s);
    const server::ServerCopy copied = runWaiting<server::ServerCopy>(m_wait, [connection] {
        return server::copyToEmptyServer(records::FolderStore(programFolder()), connection);
    });
    switch (copied.outcome) {
    case server::ServerCopy::Outcome::Copied:
        msg::information(this, u"Gli archivi sono stati copiati nel database.\n\r\n\r"
                               u"Archivi copiati: %1\n\rSchede copiate: %2"_s.arg(copied.archives)
                                   .arg(copied.records));
        return;
    case server::ServerCopy::Outcome::ServerNotEmpty:
        msg::warning(this, u"Attenzione: il database contiene gi\u00E0 degli archivi; la copia si "
                           u"pu\u00F2 fare soltanto in un database vuoto. Nessun archivio \u00E8 "
                           u"stato copiato."_s);
        return;
    case server::ServerCopy::Outcome::Failed:
        break;
    }
    msg::warning(this, u"Attenzione: la copia non \u00E8 stata possibile; il database \u00E8 "
                       u"rimasto vuoto.\n\r"_s +
                           copied.cause.trimmed());
}

void TfrmArchivio::cmdSalvaClick() {
    const QString connection = m_connection->text().trimmed();
    if (const QString refused = refusalText(server::refusalOf(connection)); !refused.isEmpty()) {
        msg::warning(this, refused);
        return;
    }
    if (!server::saveConnection(settings::programSettingsPath(), connection)) {
        msg::archiveAccessError(this);
        return;
    }
    msg::information(this, connection.isEmpty()
                               ? u"La connessione \u00E8 stata tolta: dalla prossima partenza il "
                                 u"programma usa gli archivi della cartella del programma."_s
                               : u"La connessione \u00E8 stata registrata: il programma la usa "
                                 u"dalla prossima partenza."_s);
}

void TfrmArchivio::cmdGuidaClick() {
    const help::HelpText help = help::sharedArchive();
    showHelp(this, help.title, help.text);
}

} // namespace tavolex::ui
