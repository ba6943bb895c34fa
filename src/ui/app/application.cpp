#include "application.h"

#include "TfrmArchivio.h"
#include "TfrmAvvio.h"
#include "TfrmCambiaPassword.h"
#include "TfrmInfo.h"
#include "TfrmPassword.h"
#include "TfrmSplash.h"
#include "TfrmTrovaTutto.h"
#include "backup/backupsettings.h"
#include "backup/restore.h"
#include "files/folderlock.h"
#include "files/log.h"
#include "files/safewrite.h"
#include "programfolder.h"
#include "records/archives.h"
#include "server/connectionsettings.h"
#include "server/serverstore.h"
#include "settings/programsettings.h"
#include "ui/accounts/TfrmBilancio.h"
#include "ui/accounts/TfrmInsoluti.h"
#include "ui/accounts/TfrmMenuBilancio.h"
#include "ui/accounts/TfrmMenuInsoluti.h"
#include "ui/accounts/TfrmMenuStats.h"
#include "ui/accounts/TfrmStats.h"
#include "ui/backup/TfrmCopie.h"
#include "ui/clients/TfrmCarta.h"
#include "ui/clients/TfrmClienti.h"
#include "ui/clients/TfrmCodFisc.h"
#include "ui/clients/TfrmExpClienti.h"
#include "ui/clients/TfrmIban.h"
#include "ui/clients/TfrmPartitaIva.h"
#include "ui/clients/TfrmRicontatta.h"
#include "ui/clients/TfrmTrovaClienti.h"
#include "ui/common/attachments/TfrmAllegaCartella.h"
#include "ui/common/calendario.h"
#include "ui/common/guida.h"
#include "ui/common/messages.h"
#include "ui/common/recordcard.h"
#include "ui/common/screens.h"
#include "ui/common/theme.h"
#include "ui/common/yearmenu.h"
#include "ui/deadlines/TfrmScadenzario.h"
#include "ui/deadlines/confirmationlists.h"
#include "ui/deadlines/duelists.h"
#include "ui/movements/TfrmExpMovimenti.h"
#include "ui/movements/TfrmMenuMovimenti.h"
#include "ui/movements/TfrmMovimenti.h"
#include "ui/movements/TfrmSospesiMov.h"
#include "ui/movements/TfrmStampaMovimento.h"
#include "ui/movements/TfrmTrovaMovimenti.h"
#include "ui/practices/TfrmCartella.h"
#include "ui/practices/TfrmDettagli.h"
#include "ui/practices/TfrmExpPratiche.h"
#include "ui/practices/TfrmPratica.h"
#include "ui/practices/TfrmTrovaPratica.h"
#include "ui/practices/TfrmUrgenti.h"
#include "ui/protocol/TfrmExpProtocollo.h"
#include "ui/protocol/TfrmMenuProtocollo.h"
#include "ui/protocol/TfrmNumerazione.h"
#include "ui/protocol/TfrmProtocollo.h"
#include "ui/protocol/TfrmRiepProtocollo.h"
#include "ui/protocol/TfrmStampaProtocollo.h"
#include "ui/protocol/TfrmTrovaProtocollo.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <csignal>
#include <functional>
#include <memory>
#include <vector>

namespace tavolex {

using namespace Qt::Literals::StringLiterals;
using namespace tavolex::ui;

namespace {

template <typename T> QWidget* create() {
    return new T;
}

struct ScreenEntry {
    const char16_t* name;
    std::function<QWidget*()> factory; // empty while the screen's application is not built
};

// The program's screens. The first two are made at start; every other one the first time
// it is shown or asked for.
const std::vector<ScreenEntry>& programScreens() {
    static const std::vector<ScreenEntry> order = {
        {u"TfrmPassword", create<TfrmPassword>},
        {u"TfrmAvvio", create<TfrmAvvio>},
        {u"TfrmCambiaPassword", create<TfrmCambiaPassword>},
        {u"TfrmGuida", create<TfrmGuida>},
        {u"TfrmInfo", create<TfrmInfo>},
        {u"TfrmSplash", create<TfrmSplash>},
        {u"TfrmMenuProtocollo", create<TfrmMenuProtocollo>},
        {u"TfrmProtocollo", create<TfrmProtocollo>},
        {u"TfrmAllegaCartella", create<TfrmAllegaCartella>},
        {u"TfrmCalendario", create<TfrmCalendario>},
        {u"TfrmNumerazione", create<TfrmNumerazione>},
        {u"TfrmExpProtocollo", create<TfrmExpProtocollo>},
        {u"TfrmStampaProtocollo", create<TfrmStampaProtocollo>},
        {u"TfrmTrovaProtocollo", create<TfrmTrovaProtocollo>},
        {u"TfrmRiepProtocollo", create<TfrmRiepProtocollo>},
        {u"TfrmClienti", create<TfrmClienti>},
        {u"TfrmPartitaIva", create<TfrmPartitaIva>},
        {u"TfrmCodFisc", create<TfrmCodFisc>},
        {u"TfrmCarta", create<TfrmCarta>},
        {u"TfrmIban", create<TfrmIban>},
        {u"TfrmRicontatta", create<TfrmRicontatta>},
        {u"TfrmTrovaClienti", create<TfrmTrovaClienti>},
        {u"TfrmExpClienti", create<TfrmExpClienti>},
        {u"TfrmPratica", create<TfrmPratica>},
        {u"TfrmTrovaPratica", create<TfrmTrovaPratica>},
        {u"TfrmUrgenti", create<TfrmUrgenti>},
        {u"TfrmExpPratiche", create<TfrmExpPratiche>},
        {u"TfrmDettagli", create<TfrmDettagli>},
        {u"TfrmCartella", create<TfrmCartella>},
        {u"TfrmScadenzario", create<TfrmScadenzario>},
        {u"TfrmExpImminenti", create<TfrmExpImminenti>},
        {u"TfrmExpGiornaliere", create<TfrmExpGiornaliere>},
        {u"TfrmExpMensili", create<TfrmExpMensili>},
        {u"TfrmExpScadenzario", create<TfrmExpScadenzario>},
        {u"TfrmConfermati", create<TfrmConfermati>},
        {u"TfrmNonConfermati", create<TfrmNonConfermati>},
        {u"TfrmTrovaScadenzario", create<TfrmTrovaScadenzario>},
        {u"TfrmDaConfermare", create<TfrmDaConfermare>},
        {u"TfrmMenuMovimenti", create<TfrmMenuMovimenti>},
        {u"TfrmMovimenti", create<TfrmMovimenti>},
        {u"TfrmExpMovimenti", create<TfrmExpMovimenti>},
        {u"TfrmSospesiMov", create<TfrmSospesiMov>},
        {u"TfrmTrovaMovimenti", create<TfrmTrovaMovimenti>},
        {u"TfrmStampaMovimento", create<TfrmStampaMovimento>},
        {u"TfrmMenuBilancio", create<TfrmMenuBilancio>},
        {u"TfrmBilancio", create<TfrmBilancio>},
        {u"TfrmMenuInsoluti", create<TfrmMenuInsoluti>},
        {u"TfrmInsolutiEnt", create<TfrmInsolutiEnt>},
        {u"TfrmInsolutiUsc", create<TfrmInsolutiUsc>},
        {u"TfrmInsolutiAll", create<TfrmInsolutiAll>},
        {u"TfrmMenuStats", create<TfrmMenuStats>},
        {u"TfrmStatsUscite", create<TfrmStatsUscite>},
        {u"TfrmStatsEntrate", create<TfrmStatsEntrate>},
        {u"TfrmStatsBilancio", create<TfrmStatsBilancio>},
        {u"TfrmCopie", create<TfrmCopie>},
        {u"TfrmTrovaTutto", create<TfrmTrovaTutto>},
        {u"TfrmArchivio", create<TfrmArchivio>},
    };
    return order;
}

// The application's screens: top-level windows without a parent, owned here for the
// whole run and deleted, last created first, when the program stops.
std::vector<std::unique_ptr<QWidget>>& ownedScreens() {
    static std::vector<std::unique_ptr<QWidget>> screens;
    return screens;
}

// The program folder's lock, held from start to exit.
std::unique_ptr<files::FolderLock>& folderLock() {
    static std::unique_ptr<files::FolderLock> lock;
    return lock;
}

// One copy of the program per program folder. False, after telling the user, when another
// copy (here or on another computer sharing the folder) already works on it; nothing in the
// folder is touched then. A folder where no lock can be made (read-only) is not refused
// here: its first action gives the access error.
bool lockProgramFolder() {
    const QString folder = programFolder();
    // A folder not there yet has no other copy in it; the lock needs it to exist.
    if (!QFileInfo::exists(folder)) QDir().mkpath(folder);
    auto lock = std::make_unique<files::FolderLock>(folder);
    if (!lock->tryLock()) {
        qCWarning(lcFiles).noquote() << "program folder" << folder << ":" << lock->errorString();
        if (!lock->heldByAnother()) return true;
        const QString holder = lock->holder();
        msg::warning(nullptr, holder.isEmpty()
                                  ? u"Attenzione: Tavolex \u00E8 gi\u00E0 in uso con questa "
                                    u"cartella di archivi su un altro computer."_s
                                  : u"Attenzione: Tavolex \u00E8 gi\u00E0 in uso con questa "
                                    u"cartella di archivi sul computer %1."_s.arg(holder));
        return false;
    }
    folderLock() = std::move(lock);
    return true;
}

// The property naming the screen a card returns to when it is closed, set while a card was
// opened from another screen rather than from its application's menu.
constexpr char kReturnTo[] = "tavolexReturnTo";

QString cardOf(search::ArchiveKind kind) {
    return QString::fromUtf16(records::archiveEntry(kind).card);
}

// A record found by the search over every archive, shown on its card (for a yearly archive,
// the card of that year); closing the card goes back to the search and its results.
void openFoundRecord(TfrmTrovaTutto* finder, search::ArchiveKind kind, int year, qint64 k) {
    auto* card = Screens::find<RecordCard>(cardOf(kind));
    if (!card) return;
    finder->hide();
    card->setProperty(kReturnTo, finder->objectName());
    Screens::show(card->objectName());
    const records::ArchiveId archive = records::archiveId(kind, year);
    if (archive.entry->isYearly()) card->openYear(archive.year);
    // The card reads the record through its own archive session, with its one error path.
    card->showRecordAt(k);
}

} // namespace

void stopApplication() {
    Screens::clear();
    auto& screens = ownedScreens();
    while (!screens.empty())
        screens.pop_back();
    folderLock().reset();
}

namespace {

// The screens only say that they are done, or what was chosen; here is where that leads.
// Each screen is wired the moment it is made.
void wireScreen(QWidget* screen) {
    const auto showMainMenu = [] { Screens::show(u"TfrmAvvio"_s); };
    if (auto* card = qobject_cast<RecordCard*>(screen))
        QObject::connect(card, &RecordCard::finished, card, [card] {
            const QString back = card->property(kReturnTo).toString();
            card->setProperty(kReturnTo, QVariant());
            Screens::show(back.isEmpty() ? u"TfrmAvvio"_s : back);
        });
    if (auto* menu = qobject_cast<YearMenu*>(screen)) {
        QObject::connect(menu, &YearMenu::finished, menu, showMainMenu);
        QObject::connect(menu, &YearMenu::cardRequested, menu,
                         [name = menu->cardName()] { Screens::show(name); });
        // The year chosen is the one the menu's card opens.
        if (!menu->cardName().isEmpty())
            QObject::connect(menu, &YearMenu::yearChosen, menu,
                             [name = menu->cardName()](int, const QString& year) {
                                 if (auto* card = Screens::find<RecordCard>(name))
                                     card->openYear(year);
                             });
    }
    if (auto* change = qobject_cast<TfrmCambiaPassword*>(screen))
        QObject::connect(change, &TfrmCambiaPassword::finished, change, [] {
            if (auto* password = Screens::find<TfrmPassword>(u"TfrmPassword"_s))
                password->resetAndFocus();
        });
    if (auto* copies = qobject_cast<TfrmCopie*>(screen))
        QObject::connect(copies, &TfrmCopie::finished, copies, showMainMenu);
    if (auto* shared = qobject_cast<TfrmArchivio*>(screen))
        QObject::connect(shared, &TfrmArchivio::finished, shared, showMainMenu);
    if (auto* finder = qobject_cast<TfrmTrovaTutto*>(screen)) {
        QObject::connect(finder, &TfrmTrovaTutto::finished, finder, showMainMenu);
        QObject::connect(finder, &TfrmTrovaTutto::recordRequested, finder,
                         [finder](search::ArchiveKind kind, int year, qint64 k) {
                             openFoundRecord(finder, kind, year, k);
                         });
    }
    if (auto* period = qobject_cast<TfrmMenuBilancio*>(screen))
        QObject::connect(period, &TfrmMenuBilancio::finished, period, showMainMenu);
}

} // namespace

void connectScreens() {
    for (QWidget* screen : QApplication::topLevelWidgets())
        if (Screens::isMade(screen->objectName()) && Screens::get(screen->objectName()) == screen)
            wireScreen(screen);
}

namespace {

// Every screen is owned here from the moment it is made, and wired then.
void registerScreens() {
    Screens::setOnCreated([](QWidget* screen) {
        ownedScreens().emplace_back(screen);
        wireScreen(screen);
    });
    for (const ScreenEntry& entry : programScreens())
        if (entry.factory) Screens::addFactory(QString::fromUtf16(entry.name), entry.factory);
}

// With a connection set, every archive is read and written on that server; the server is first
// reached by the first action, which reports the access error should it not answer.
void useConfiguredStore() {
    const QString connection = server::loadConnection(settings::programSettingsPath());
    if (connection.isEmpty()) return;
    records::setArchiveStore(std::make_unique<server::ServerStore>(connection));
}

} // namespace

bool startApplication() {
    QApplication::setApplicationName(u"Tavolex"_s);
    QApplication::setQuitOnLastWindowClosed(false);
    // A file-size limit makes a write past it fail (EFBIG, reported as the access error)
    // instead of ending the program with SIGXFSZ halfway through a save.
    std::signal(SIGXFSZ, SIG_IGN);
    installItalianTranslations();
    applyProgramFormats();
    applyTheme();
    restrictNewFiles();
    if (!lockProgramFolder()) return false;
    // A restore stopped half-way by a kill or a power cut is finished or undone before
    // anything reads or fills the folder.
    if (backup::recoverRestore(programFolder()) == backup::Recovery::Failed)
        msg::warning(nullptr, u"Attenzione: un ripristino interrotto non \u00E8 stato completato. "
                              u"I file messi da parte sono conservati nelle cartelle nascoste "
                              u"\".ripristino-\" della cartella degli archivi; verificare gli "
                              u"archivi prima di continuare."_s);
    // An installed copy keeps each user's archives in a folder of their own, made at the
    // first start; should that fail, the password check reports the access error.
    if (!prepareProgramFolder())
        qCWarning(lcFiles).noquote() << "cannot prepare the program folder" << programFolder();
    // The leftovers of stopped copies go.
    backup::removeUnfinishedCopies(
        backup::loadSettings(settings::programSettingsPath(), programFolder()).folder);
    // A settings write killed half-way may have left its temporary file behind.
    files::removeLeftoverTemporaries(settings::programSettingsPath());
    files::removeLeftoverTemporaries(programPath(u"unins000.dll"_s));
    useConfiguredStore();
    registerScreens();
    Screens::show(u"TfrmPassword"_s);
    return true;
}

} // namespace tavolex
