#include "TfrmScadenzario.h"

#include "confirmationlists.h"
#include "deadlinecard.h"
#include "deadlines/archive.h"
#include "deadlines/rules.h"
#include "duelists.h"
#include "programfolder.h"
#include "records/archives.h"
#include "startpanel.h"
#include "text/casing.h"
#include "ui/common/calendarfiles.h"
#include "ui/common/clock.h"
#include "ui/common/modal.h"
#include "ui/common/sound.h"

#include <QLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmScadenzario::TfrmScadenzario(QWidget* parent)
    : RecordCard(deadlineCardDecl(this), parent), m_sound(new WarningSound(this)),
      m_calendarDate(Clock::today()) {}

void TfrmScadenzario::built() {
    keepCalendarCurrent(this, calendar::Kind::Deadlines);
    m_startPanel = new DeadlineStartPanel(behaviour(), m_calendarDate, this);
    connect(m_startPanel, &DeadlineStartPanel::helpRequested, this, &RecordCard::cmdGuidaClick);
    connect(m_startPanel, &DeadlineStartPanel::exitRequested, this, &QWidget::close);
    connect(m_startPanel, &DeadlineStartPanel::yearChosen, this,
            [this](const QString& year) { openYear(year); });
    connect(m_startPanel, &DeadlineStartPanel::imminentRequested, this,
            &TfrmScadenzario::btnOKClick);
    connect(m_startPanel, &DeadlineStartPanel::dayRequested, this,
            &TfrmScadenzario::btnGiornoClick);
    connect(m_startPanel, &DeadlineStartPanel::monthRequested, this,
            &TfrmScadenzario::btnMeseClick);
    layout()->addWidget(m_startPanel);
    showStartPanel(true);
}

void TfrmScadenzario::showStartPanel(bool start) {
    m_startPanel->setVisible(start);
    cardPanel()->setVisible(!start);
}

void TfrmScadenzario::prepareShownCard() {
    setWindowTitle(u" Tavolex - Scadenze e Appuntamenti"_s);
    showStartPanel(true);
    m_startPanel->resetYear();
    checkImminence();
}

void TfrmScadenzario::checkImminence() {
    ensureBuilt();
    const QDate today = Clock::today();
    const auto archive = records::programArchive(records::ArchiveKind::Deadlines, today.year());
    qint64 imminent = 0;
    // Nothing read (the archive cannot be opened) counts as nothing imminent, without a
    // message. Next year's archive, when it exists, holds the deadlines of early January.
    if (!archive->prepare() || !deadlines::countImminent(*archive, today, &imminent)) imminent = 0;
    qint64 nextYear = 0;
    const auto next = records::programArchive(records::ArchiveKind::Deadlines, today.year() + 1);
    if (next->exists() && deadlines::countImminent(*next, today, &nextYear)) imminent += nextYear;
    m_startPanel->showImminent(imminent > 0);
    if (imminent > 0) m_sound->playOnce(shippedPath(u"Avviso.mp3"_s));
}

void TfrmScadenzario::yearOpened(const QString& yearText) {
    const QString year = text::trimmed(yearText);
    setText(u"lblAnno"_s, year);
    setWindowTitle(u" Tavolex - Scadenze e appuntamenti anno "_s + year);
    showStartPanel(false);
    cmdNuovoClick();
}

void TfrmScadenzario::clearOnDuplicate() {
    for (const QString& name : {u"txtGiorno"_s, u"txtMese"_s})
        setText(name, {});
    setText(u"txtOreApp"_s, u"00"_s);
    setText(u"txtMinutiApp"_s, u"00"_s);
}

void TfrmScadenzario::cmdTrovaClick() {
    TfrmTrovaScadenzario search(this);
    search.setCallerTag(QString::fromUtf16(deadlines::kSearchCardMode));
    search.setArchive(archiveId());
    search.exec();
    if (const auto chosen = search.chosen()) loadFromRecord(chosen->bytes, chosen->position);
}

void TfrmScadenzario::btnOKClick() {
    runModal<TfrmExpImminenti>(this);
}

void TfrmScadenzario::btnGiornoClick() {
    runModal<TfrmExpGiornaliere>(this, [this](TfrmExpGiornaliere& list) {
        list.setCalendarDate(m_startPanel->calendarDate());
    });
}

void TfrmScadenzario::btnMeseClick() {
    runModal<TfrmExpMensili>(
        this, [this](TfrmExpMensili& list) { list.setCalendarDate(m_startPanel->calendarDate()); });
}

void TfrmScadenzario::closeEvent(QCloseEvent* event) {
    m_sound->stop();
    showStartPanel(true);
    RecordCard::closeEvent(event);
}

} // namespace tavolex::ui
