#include "TfrmCopie.h"

#include "backup/backupsettings.h"
#include "backup/restore.h"
#include "backupwork.h"
#include "help/helptexts.h"
#include "programfolder.h"
#include "settings/programsettings.h"
#include "ui/common/behaviour.h"
#include "ui/common/commands.h"
#include "ui/common/filechooser.h"
#include "ui/common/messages.h"
#include "ui/common/recordcard.h"
#include "ui/common/screens.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>
#include <QStorageInfo>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::StringLiterals;

namespace {

const QStringList kHeadings = {u"Data e ora"_s, u"Tipo"_s, u"Dimensione"_s, u"N. file"_s,
                               u"Ultima verifica"_s};

QString kindText(backup::Kind kind) {
    switch (kind) {
    case backup::Kind::Automatic:
        return u"Automatica"_s;
    case backup::Kind::BeforeRestore:
        return u"Prima del ripristino"_s;
    case backup::Kind::Manual:
        break;
    }
    return u"Manuale"_s;
}

// The device of a folder, or of its nearest existing parent when it is not made yet.
QByteArray deviceOf(QString folder) {
    while (!folder.isEmpty() && !QFileInfo::exists(folder)) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder) break;
        folder = parent;
    }
    return QStorageInfo(folder).device();
}

} // namespace

TfrmCopie::TfrmCopie(QWidget* parent) : QWidget(parent) {
    setObjectName(u"TfrmCopie"_s);
    setWindowTitle(u" Tavolex - Copie di sicurezza"_s);
    setAttribute(Qt::WA_StyledBackground);
    resize(900, 600);
    auto* behaviour = new ScreenBehaviour(this);
    auto* outer = new QVBoxLayout(this);

    auto* form = new QGridLayout;
    form->addWidget(new QLabel(u"Cartella delle copie:"_s, this), 0, 0);
    m_folder = new QLineEdit(this);
    m_folder->setObjectName(u"txtCartella"_s);
    form->addWidget(m_folder, 0, 1);
    form->addWidget(makeCommandButton(this, behaviour,
                                      {.control = u"cmdSfoglia"_s,
                                       .caption = u"Sfoglia"_s,
                                       .glyph = u"\u2026"_s,
                                       .hint = u"Sceglie la cartella delle copie di sicurezza."_s,
                                       .action = [this] { cmdSfogliaClick(); }}),
                    0, 2);
    m_sameDisk = new QLabel(u"Attenzione: la cartella delle copie si trova sullo stesso disco "
                            u"degli archivi; una copia sullo stesso disco non protegge da un "
                            u"guasto del disco."_s,
                            this);
    m_sameDisk->setObjectName(u"lblStessoDisco"_s);
    m_sameDisk->setWordWrap(true);
    form->addWidget(m_sameDisk, 1, 1, 1, 2);
    m_automatic = new QCheckBox(u"Copia automatica alla chiusura"_s, this);
    m_automatic->setObjectName(u"chkAutomatica"_s);
    form->addWidget(m_automatic, 2, 1);
    form->addWidget(new QLabel(u"Copie automatiche da conservare:"_s, this), 3, 0);
    m_keep = new QSpinBox(this);
    m_keep->setObjectName(u"txtConserva"_s);
    m_keep->setRange(backup::kMinKeep, backup::kMaxKeep);
    form->addWidget(m_keep, 3, 1, Qt::AlignLeft);
    outer->addLayout(form);

    m_copies = new QTableWidget(0, int(kHeadings.size()), this);
    m_copies->setObjectName(u"grdCopie"_s);
    m_copies->setHorizontalHeaderLabels(kHeadings);
    m_copies->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_copies->setSelectionMode(QAbstractItemView::SingleSelection);
    m_copies->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_copies->verticalHeader()->hide();
    m_copies->horizontalHeader()->setStretchLastSection(true);
    outer->addWidget(m_copies, 1);

    auto* commands = new QHBoxLayout;
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
    for (const Command& command : declared)
        commands->addWidget(makeCommandButton(this, behaviour, command));
    commands->addStretch();
    outer->addLayout(commands);
    outer->addWidget(makeHintBar(this, behaviour, {}));

    connect(m_folder, &QLineEdit::editingFinished, this, [this] {
        settingsChanged();
        refresh();
    });
    connect(m_automatic, &QCheckBox::toggled, this, [this] { settingsChanged(); });
    connect(m_keep, &QSpinBox::valueChanged, this, [this] { settingsChanged(); });
}

void TfrmCopie::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    const backup::Settings settings =
        backup::loadSettings(settings::programSettingsPath(), programFolder());
    m_loading = true;
    m_folder->setText(QDir::toNativeSeparators(settings.folder));
    m_automatic->setChecked(settings.automatic);
    m_keep->setValue(settings.keep);
    m_loading = false;
    refresh();
}

void TfrmCopie::closeEvent(QCloseEvent* event) {
    event->accept();
    hide();
    Q_EMIT finished();
}

void TfrmCopie::settingsChanged() {
    if (m_loading) return;
    backup::Settings settings;
    settings.folder = m_folder->text().trimmed();
    if (settings.folder.isEmpty()) settings.folder = backup::defaultFolder(programFolder());
    settings.automatic = m_automatic->isChecked();
    settings.keep = m_keep->value();
    if (!backup::saveSettings(settings::programSettingsPath(), settings))
        msg::archiveAccessError(this);
}

void TfrmCopie::showFolderNotice() {
    const QString folder = m_folder->text().trimmed();
    m_sameDisk->setVisible(!folder.isEmpty() && deviceOf(folder) == deviceOf(programFolder()));
}

void TfrmCopie::refresh() {
    showFolderNotice();
    const QString folder = m_folder->text().trimmed();
    const QList<backup::FoundCopy> copies = backup::findCopies(folder);
    m_copies->setRowCount(int(copies.size()));
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    for (int row = 0; row < copies.size(); ++row) {
        const backup::FoundCopy& copy = copies[row];
        const QString name = QFileInfo(copy.path).fileName();
        const std::optional<int> files = backup::countFiles(copy.path);
        const QStringList cells = {
            copy.made.toString(u"dd/MM/yyyy HH:mm:ss"_s), kindText(copy.kind),
            italian.formattedDataSize(copy.size, 1, QLocale::DataSizeTraditionalFormat),
            files ? QString::number(*files) : u"illeggibile"_s,
            backup::lastVerification(folder, name)};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setData(Qt::UserRole, copy.path);
            m_copies->setItem(row, column, item);
        }
    }
    m_copies->resizeColumnsToContents();
    if (!copies.isEmpty()) m_copies->selectRow(0);
}

QString TfrmCopie::selectedCopy() const {
    const QList<QTableWidgetItem*> chosen = m_copies->selectedItems();
    return chosen.isEmpty() ? QString() : chosen.first()->data(Qt::UserRole).toString();
}

void TfrmCopie::cmdSfogliaClick() {
    const QString chosen = FileChooser::chooseFolder(this, m_folder->text().trimmed());
    if (chosen.isEmpty()) return;
    m_folder->setText(QDir::toNativeSeparators(chosen));
    settingsChanged();
    refresh();
}

void TfrmCopie::cmdCreaClick() {
    const QString folder = m_folder->text().trimmed();
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
    const QString copy = selectedCopy();
    if (copy.isEmpty()) {
        msg::warning(this, u"Attenzione: selezionare nell'elenco la copia da verificare."_s);
        return;
    }
    const backup::Outcome checked = verifyWithProgress(this, copy);
    if (checked.cancelled) return;
    const QString folder = m_folder->text().trimmed();
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
    const QString copy = selectedCopy();
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
    const QString folder = m_folder->text().trimmed();
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
