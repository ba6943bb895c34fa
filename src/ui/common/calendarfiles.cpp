#include "calendarfiles.h"

#include "help/helptexts.h"
#include "ui/common/behaviour.h"
#include "ui/common/clock.h"
#include "ui/common/messages.h"
#include "ui/common/misc.h"
#include "ui/common/recordcard.h"
#include "ui/common/wait.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

int yearOf(const records::ArchiveId& archive) {
    const int year = calendar::archiveYear(archive);
    return year > 0 ? year : Clock::today().year();
}

calendar::Outcome exportYear(calendar::Kind kind, const records::ArchiveId& archive) {
    const int year = yearOf(archive);
    return calendar::exportCalendar(kind, *records::programArchive(archive), year,
                                    calendar::outputPath(kind, year, calendar::readSettings()));
}

QString failureText(const calendar::Outcome& outcome) {
    if (!outcome.archiveRead) return msg::archiveAccessErrorText();
    return u"Non \u00E8 stato possibile scrivere il file del calendario\r\n%1\r\n\r\n%2"_s.arg(
        QDir::toNativeSeparators(outcome.path), outcome.written.cause());
}

} // namespace

TfrmImpostaCalendario::TfrmImpostaCalendario(calendar::Kind kind, records::ArchiveId archive,
                                             QWidget* parent)
    : QDialog(parent), m_kind(kind), m_archive(std::move(archive)) {
    setObjectName(u"TfrmImpostaCalendario"_s);
    setWindowTitle(u" Calendario"_s);
    setWindowModality(Qt::ApplicationModal);
    auto* column = new QVBoxLayout(this);
    const int year = yearOf(m_archive);
    auto* info = new QLabel(
        (kind == calendar::Kind::Deadlines
             ? u"Le scadenze del %1 saranno scritte nel file %2, da importare nel calendario."_s
             : u"I pagamenti da saldare del %1 saranno scritti nel file %2, da importare nel "
               u"calendario."_s)
            .arg(year)
            .arg(calendar::fileName(kind, year)),
        this);
    info->setObjectName(u"lblInfo"_s);
    info->setWordWrap(true);
    column->addWidget(info);

    const calendar::Settings settings = calendar::readSettings();
    auto* grid = new QGridLayout;
    auto* folderLabel = new QLabel(u"Cartella (vuota: la cartella del programma):"_s, this);
    grid->addWidget(folderLabel, 0, 0, 1, 2);
    m_folder = new QLineEdit(settings.folder, this);
    m_folder->setObjectName(u"txtCartella"_s);
    folderLabel->setBuddy(m_folder);
    grid->addWidget(m_folder, 1, 0);
    auto* browse = new QPushButton(u"Sfoglia..."_s, this);
    browse->setObjectName(u"btnCartella"_s);
    connect(browse, &QPushButton::clicked, this, &TfrmImpostaCalendario::btnCartellaClick);
    grid->addWidget(browse, 1, 1);
    m_keep = new QCheckBox(u"Aggiorna il file a ogni salvataggio di una scheda"_s, this);
    m_keep->setObjectName(u"chkAggiorna"_s);
    m_keep->setChecked(settings.keepCurrent);
    grid->addWidget(m_keep, 2, 0, 1, 2);
    column->addLayout(grid);

    m_wait = new QLabel(u"Attendere: scrittura del calendario in corso..."_s, this);
    m_wait->setObjectName(u"lblAttendere"_s);
    m_wait->hide();
    column->addWidget(m_wait);

    auto* buttons = new QHBoxLayout;
    auto* guida = new QPushButton(u"Guida"_s, this);
    guida->setObjectName(u"btnGuida"_s);
    connect(guida, &QPushButton::clicked, this, [this] {
        const help::HelpText h = help::calendarFiles();
        showHelp(this, h.title, h.text);
    });
    buttons->addWidget(guida);
    buttons->addStretch();
    auto* exportButton = new QPushButton(u"Esporta"_s, this);
    exportButton->setObjectName(u"btnEsporta"_s);
    exportButton->setDefault(true);
    connect(exportButton, &QPushButton::clicked, this, &TfrmImpostaCalendario::btnEsportaClick);
    buttons->addWidget(exportButton);
    auto* close = new QPushButton(u"Chiudi"_s, this);
    close->setObjectName(u"btnChiudi"_s);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(close);
    column->addLayout(buttons);
    setMinimumWidth(520);

    // Enter only moves on, as on every screen: the folder to the check box, the check box to
    // "Esporta", which Enter then presses. The dialog's default button would otherwise take
    // Enter in either field as an export.
    auto* behaviour = new ScreenBehaviour(this);
    behaviour->setEnterNext(m_folder, m_keep);
    behaviour->setEnterNext(m_keep, exportButton);
}

void TfrmImpostaCalendario::btnCartellaClick() {
    const QString chosen =
        QFileDialog::getExistingDirectory(this, u"Cartella del calendario"_s, m_folder->text());
    if (!chosen.isEmpty()) m_folder->setText(QDir::toNativeSeparators(chosen));
}

bool TfrmImpostaCalendario::saveSettings() {
    const QString folder = m_folder->text().trimmed();
    if (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        msg::warning(this, u"Attenzione: la cartella indicata non esiste:\r\n%1"_s.arg(folder));
        m_folder->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const files::WriteResult saved = calendar::writeSettings({m_keep->isChecked(), folder});
    if (!saved) {
        msg::error(this, u"Non \u00E8 stato possibile salvare le impostazioni del calendario."
                         u"\r\n\r\n%1"_s.arg(saved.cause()));
        return false;
    }
    return true;
}

void TfrmImpostaCalendario::btnEsportaClick() {
    if (!saveSettings()) return;
    const calendar::Kind kind = m_kind;
    const records::ArchiveId archive = m_archive;
    const calendar::Outcome outcome = runWaiting<calendar::Outcome>(
        m_wait, [kind, archive] { return exportYear(kind, archive); });
    if (!outcome.ok()) {
        msg::error(this, failureText(outcome));
        return;
    }
    QString text = u"Il file del calendario\r\n%1\r\ncontiene %2 %3."_s
                       .arg(QDir::toNativeSeparators(outcome.path))
                       .arg(outcome.events)
                       .arg(outcome.events == 1 ? u"evento"_s : u"eventi"_s);
    if (outcome.skipped > 0)
        text += u"\r\n%1 %2 con data, ora o preavviso illeggibili non %3 stat%4 esportat%4."_s
                    .arg(outcome.skipped)
                    .arg(outcome.skipped == 1 ? u"scheda"_s : u"schede"_s)
                    .arg(outcome.skipped == 1 ? u"\u00E8"_s : u"sono"_s)
                    .arg(outcome.skipped == 1 ? u"a"_s : u"e"_s);
    text += u"\r\n\r\nSi vuole aprirlo con il calendario?"_s;
    if (msg::question(this, text)) TMisc::Open(outcome.path);
    accept();
}

void runCalendarCommand(QWidget* parent, calendar::Kind kind, const records::ArchiveId& archive) {
    TfrmImpostaCalendario screen(kind, archive, parent);
    screen.exec();
}

void keepCalendarCurrent(RecordCard* card, calendar::Kind kind) {
    // Once a record is written; a save that failed left the archive, and so the file, as
    // they were.
    QObject::connect(card, &RecordCard::saved, card, [card, kind] {
        if (!calendar::readSettings().keepCurrent) return;
        const records::ArchiveId archive = card->archiveId();
        if (!archive.isValid()) return;
        const calendar::Outcome outcome = runWaiting<calendar::Outcome>(
            nullptr, [kind, archive] { return exportYear(kind, archive); });
        if (!outcome.ok())
            msg::warning(card, u"Attenzione: il calendario non \u00E8 stato aggiornato.\r\n\r\n"_s +
                                   failureText(outcome));
    });
}

} // namespace tavolex::ui
