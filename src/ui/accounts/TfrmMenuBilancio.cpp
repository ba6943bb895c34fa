#include "TfrmMenuBilancio.h"

#include "TfrmBilancio.h"
#include "accounts/cashbook.h"
#include "movements/archive.h"
#include "movements/movementrecord.h"
#include "programfolder.h"
#include "records/store.h"
#include "text/casing.h"
#include "ui/common/artwork.h"
#include "ui/common/behaviour.h"
#include "ui/common/clock.h"
#include "ui/common/messages.h"
#include "ui/common/periodbox.h"
#include "ui/common/screens.h"
#include "ui/common/wait.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

QLabel* centred(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

const PeriodBoxDecl kStart{u" Data inizio intervallo: "_s, u"txtGiornoInizio"_s, u"txtMeseInizio"_s,
                           u"lblAnnoInizio"_s, accounts::monthNames()};
const PeriodBoxDecl kEnd{u" Data fine intervallo: "_s, u"txtGiornoFine"_s, u"txtMeseFine"_s,
                         u"lblAnnoFine"_s, accounts::monthNames()};

} // namespace

TfrmMenuBilancio::TfrmMenuBilancio(QWidget* parent)
    : QWidget(parent), m_behaviour(new ScreenBehaviour(this)) {
    setObjectName(u"TfrmMenuBilancio"_s);
    setWindowTitle(u" Tavolex - Primanota e Bilancio"_s);
    setProperty("tavolexMaximised", true);
    setProperty("tavolexMenuScreen", true);
    setAttribute(Qt::WA_StyledBackground);
    applyProgramFormats();

    auto* outer = new QVBoxLayout(this);
    buildHeader(outer);
    outer->addWidget(
        centred(u"Indicare l'intervallo di tempo relativo al periodo da riepilogare."_s, this));
    m_inizio = new PeriodBox(kStart, m_behaviour, this);
    m_fine = new PeriodBox(kEnd, m_behaviour, this);
    auto* periodRow = new QHBoxLayout;
    periodRow->addStretch();
    periodRow->addWidget(m_inizio);
    periodRow->addSpacing(30);
    periodRow->addWidget(m_fine);
    periodRow->addStretch();
    outer->addLayout(periodRow);
    buildCommands(outer);
    outer->addStretch();

    m_checkedViews = HiddenLabels(this, {u"lblDataInizio"_s, u"lblDataFine"_s, u"lblFile"_s});

    m_behaviour->setTypingRules(m_anno, DigitsOnly);
    m_behaviour->setFieldOrder({m_anno, m_tipologia, m_inizio->dayField(), m_inizio->monthField(),
                                m_fine->dayField(), m_fine->monthField(), m_visualizza, m_esci});
    connect(m_anno, &QLineEdit::textChanged, this, &TfrmMenuBilancio::mirrorYear);
    connect(m_anno, &QLineEdit::editingFinished, this, &TfrmMenuBilancio::mirrorYear);
}

void TfrmMenuBilancio::buildHeader(QVBoxLayout* outer) {
    auto* tile = new QLabel(this);
    tile->setPixmap(tilePixmap(u"\u2696"_s, QColor(0x55, 0x6b, 0x2f), QSize(360, 90),
                               u"Primanota e Bilancio"_s));
    outer->addWidget(tile, 0, Qt::AlignHCenter);
    outer->addStretch();
    outer->addWidget(centred(u"Indicare l'anno solare di interesse e una causale."_s, this));
    outer->addWidget(centred(u"Per ottenere lo storico di tutti i movimenti in entrata e in "
                             u"uscita, non indicare nessuna causale."_s,
                             this));

    auto* yearRow = new QHBoxLayout;
    yearRow->addStretch();
    yearRow->addWidget(new QLabel(u"Anno:"_s, this));
    m_anno = new QLineEdit(this);
    m_anno->setObjectName(u"txtAnno"_s);
    m_anno->setMaxLength(4);
    m_anno->setAlignment(Qt::AlignCenter);
    m_anno->setFixedWidth(90);
    yearRow->addWidget(m_anno);
    yearRow->addSpacing(20);
    yearRow->addWidget(new QLabel(u"Causale:"_s, this));
    m_tipologia = new QLineEdit(this);
    m_tipologia->setObjectName(u"txtTipologia"_s);
    m_tipologia->setMaxLength(250);
    m_tipologia->setMinimumWidth(420);
    yearRow->addWidget(m_tipologia);
    yearRow->addStretch();
    outer->addLayout(yearRow);
}

void TfrmMenuBilancio::buildCommands(QVBoxLayout* outer) {
    m_attendere = new QLabel(u"Caricamento riepilogo in corso. Attendere..."_s, this);
    m_attendere->setObjectName(u"lblAttendere"_s);
    m_attendere->setProperty("tavolexAlert", true);
    m_attendere->setAlignment(Qt::AlignCenter);
    m_attendere->hide();
    outer->addWidget(m_attendere);

    const auto button = [this](const QString& name, const QString& caption) {
        auto* pushButton = new QPushButton(caption, this);
        pushButton->setObjectName(name);
        pushButton->setAutoDefault(false);
        return pushButton;
    };
    m_visualizza = button(u"btnVisualizza"_s, u"Visualizza riepilogo"_s);
    m_esci = button(u"btnEsci"_s, u"Esci"_s);
    // The wait label shows as soon as the button is pressed, before the click is handled.
    connect(m_visualizza, &QPushButton::pressed, this, [this] {
        m_attendere->show();
        m_attendere->repaint();
    });
    connect(m_visualizza, &QPushButton::clicked, this, &TfrmMenuBilancio::btnVisualizzaClick);
    connect(m_esci, &QPushButton::clicked, this, &TfrmMenuBilancio::btnEsciClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_visualizza);
    buttons->addWidget(m_esci);
    buttons->addStretch();
    outer->addLayout(buttons);
}

void TfrmMenuBilancio::mirrorYear() {
    const QString year = text::trimmed(m_anno->text());
    m_inizio->setYear(year);
    m_fine->setYear(year);
}

void TfrmMenuBilancio::setChecked(const accounts::PeriodVerdict& verdict,
                                  const QString& archivePath) {
    m_checked = verdict;
    m_archivePath = archivePath;
    m_checkedViews.show(0, verdict.startText);
    m_checkedViews.show(1, verdict.endText);
    m_checkedViews.show(2, archivePath);
}

void TfrmMenuBilancio::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    m_inizio->clearChoice();
    m_fine->clearChoice();
    m_tipologia->clear();
    m_anno->setText(Clock::today().toString(u"yyyy"_s));
    mirrorYear();
    m_attendere->hide();
    m_tipologia->setFocus(Qt::OtherFocusReason);
}

QWidget* TfrmMenuBilancio::fieldFor(accounts::PeriodField field) const {
    switch (field) {
    case accounts::PeriodField::Anno:
        return m_anno;
    case accounts::PeriodField::GiornoInizio:
        return m_inizio->dayField();
    case accounts::PeriodField::MeseInizio:
        return m_inizio->monthField();
    case accounts::PeriodField::GiornoFine:
        return m_fine->dayField();
    case accounts::PeriodField::MeseFine:
        return m_fine->monthField();
    case accounts::PeriodField::None:
        break;
    }
    return nullptr;
}

void TfrmMenuBilancio::btnVisualizzaClick() {
    const accounts::PeriodVerdict verdict =
        accounts::checkPeriod({m_anno->text(), m_inizio->dayText(), m_inizio->monthText(),
                               m_fine->dayText(), m_fine->monthText()});
    if (!verdict.ok) {
        setChecked(verdict, m_archivePath);
        m_attendere->hide();
        if (verdict.warning)
            msg::warning(this, verdict.message);
        else
            msg::plain(this, verdict.message);
        if (QWidget* field = fieldFor(verdict.focus)) field->setFocus(Qt::OtherFocusReason);
        return;
    }

    const std::shared_ptr<const records::Archive> archive = records::programArchive(
        records::archiveOfYear(records::ArchiveKind::Movements, m_anno->text()));
    setChecked(verdict, archive->name());
    const QString filter = m_tipologia->text();
    const QDate start = verdict.start;
    const QDate end = verdict.end;
    // The archive is opened as every action opens it (created empty when missing), then read
    // away from the screen, which keeps painting its wait label.
    const accounts::CashBook book =
        runWaiting<accounts::CashBook>(m_attendere, [archive, start, end, filter] {
            if (!archive->prepare()) {
                accounts::CashBook unreadable;
                unreadable.readable = false;
                return unreadable;
            }
            return accounts::readCashBook(*archive, start, end, filter);
        });
    if (!book.readable) {
        m_attendere->hide();
        msg::plain(this, QString::fromUtf16(accounts::kArchiveNotAccessible));
        return;
    }
    TfrmBilancio cashBook(this);
    cashBook.setCashBook(filter, verdict.startText, verdict.endText, book);
    cashBook.exec();
    m_attendere->hide();
}

void TfrmMenuBilancio::btnEsciClick() {
    close();
}

void TfrmMenuBilancio::closeEvent(QCloseEvent* event) {
    event->accept();
    hide();
    Q_EMIT finished();
}

} // namespace tavolex::ui
