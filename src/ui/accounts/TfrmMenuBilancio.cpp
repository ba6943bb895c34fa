#include "TfrmMenuBilancio.h"

#include "TfrmBilancio.h"
#include "accounts/cashbook.h"
#include "movements/movementrecord.h"
#include "programfolder.h"
#include "records/recordfile.h"
#include "text/casing.h"
#include "ui/common/artwork.h"
#include "ui/common/behaviour.h"
#include "ui/common/clock.h"
#include "ui/common/messages.h"
#include "ui/common/screens.h"
#include "ui/common/wait.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList dayItems() {
    QStringList days;
    for (int d = 1; d <= 31; ++d)
        days << QString::number(d).rightJustified(2, u'0');
    return days;
}

QString comboText(const QComboBox* combo) {
    return combo->currentIndex() < 0 ? QString() : combo->currentText();
}

// Empties a drop-down field: no entry selected, no text.
void empty(QComboBox* combo) {
    combo->setCurrentIndex(-1);
}

} // namespace

TfrmMenuBilancio::TfrmMenuBilancio(QWidget* parent) : QWidget(parent) {
    setObjectName(u"TfrmMenuBilancio"_s);
    setWindowTitle(u" Tavolex - Primanota e Bilancio"_s);
    setProperty("tavolexMaximised", true);
    setProperty("tavolexMenuScreen", true);
    setAttribute(Qt::WA_StyledBackground);
    applyProgramFormats();
    auto* behaviour = new ScreenBehaviour(this);

    auto* outer = new QVBoxLayout(this);
    auto* tile = new QLabel(this);
    tile->setPixmap(tilePixmap(u"\u2696"_s, QColor(0x55, 0x6b, 0x2f), QSize(360, 90),
                               u"Primanota e Bilancio"_s));
    outer->addWidget(tile, 0, Qt::AlignHCenter);
    outer->addStretch();

    const auto centred = [this](const QString& text) {
        auto* label = new QLabel(text, this);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        return label;
    };
    outer->addWidget(centred(u"Indicare l'anno solare di interesse e una causale."_s));
    outer->addWidget(centred(u"Per ottenere lo storico di tutti i movimenti in entrata e in "
                             u"uscita, non indicare nessuna causale."_s));

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

    outer->addWidget(
        centred(u"Indicare l'intervallo di tempo relativo al periodo da riepilogare."_s));

    const QStringList days = dayItems();
    const QStringList& months = accounts::monthNames();
    m_giornoInizio = dropDown(u"txtGiornoInizio"_s, days);
    m_meseInizio = dropDown(u"txtMeseInizio"_s, months);
    m_giornoFine = dropDown(u"txtGiornoFine"_s, days);
    m_meseFine = dropDown(u"txtMeseFine"_s, months);
    m_annoInizio = new QLabel(u"ANNO"_s, this);
    m_annoInizio->setObjectName(u"lblAnnoInizio"_s);
    m_annoFine = new QLabel(u"ANNO"_s, this);
    m_annoFine->setObjectName(u"lblAnnoFine"_s);

    const auto periodBox = [this](const QString& title, QComboBox* day, QComboBox* month,
                                  QLabel* year) {
        auto* box = new QGroupBox(title, this);
        auto* grid = new QGridLayout(box);
        grid->addWidget(new QLabel(u"Giorno:"_s, box), 0, 0);
        grid->addWidget(new QLabel(u"Mese:"_s, box), 0, 1);
        grid->addWidget(day, 1, 0);
        grid->addWidget(month, 1, 1);
        grid->addWidget(year, 1, 2);
        return box;
    };
    auto* periodRow = new QHBoxLayout;
    periodRow->addStretch();
    periodRow->addWidget(
        periodBox(u" Data inizio intervallo: "_s, m_giornoInizio, m_meseInizio, m_annoInizio));
    periodRow->addSpacing(30);
    periodRow->addWidget(
        periodBox(u" Data fine intervallo: "_s, m_giornoFine, m_meseFine, m_annoFine));
    periodRow->addStretch();
    outer->addLayout(periodRow);

    m_attendere = new QLabel(u"Caricamento riepilogo in corso. Attendere..."_s, this);
    m_attendere->setObjectName(u"lblAttendere"_s);
    m_attendere->setProperty("tavolexAlert", true);
    m_attendere->setAlignment(Qt::AlignCenter);
    m_attendere->hide();
    outer->addWidget(m_attendere);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_visualizza = new QPushButton(u"Visualizza riepilogo"_s, this);
    m_visualizza->setObjectName(u"btnVisualizza"_s);
    m_visualizza->setAutoDefault(false);
    connect(m_visualizza, &QPushButton::clicked, this, &TfrmMenuBilancio::btnVisualizzaClick);
    // The wait label shows as soon as the button is pressed, before the click is handled.
    m_visualizza->installEventFilter(this);
    auto* esci = new QPushButton(u"Esci"_s, this);
    esci->setObjectName(u"btnEsci"_s);
    esci->setAutoDefault(false);
    connect(esci, &QPushButton::clicked, this, &TfrmMenuBilancio::btnEsciClick);
    buttons->addWidget(m_visualizza);
    buttons->addWidget(esci);
    buttons->addStretch();
    outer->addLayout(buttons);
    outer->addStretch();

    // The dates built by the checks and the archive: data of the screen, not shown.
    const auto hidden = [this](const QString& name) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->hide();
        return label;
    };
    m_dataInizio = hidden(u"lblDataInizio"_s);
    m_dataFine = hidden(u"lblDataFine"_s);
    m_file = hidden(u"lblFile"_s);

    behaviour->setTypingRules(m_anno, DigitsOnly);
    behaviour->setEnterNext(m_anno, m_tipologia);
    behaviour->setEnterNext(m_tipologia, m_giornoInizio);
    behaviour->setEnterNext(m_giornoInizio, m_meseInizio);
    behaviour->setEnterNext(m_meseInizio, m_giornoFine);
    behaviour->setEnterNext(m_giornoFine, m_meseFine);
    behaviour->setEnterNext(m_meseFine, m_visualizza);
    connect(m_anno, &QLineEdit::textChanged, this, &TfrmMenuBilancio::mirrorYear);
    connect(m_anno, &QLineEdit::editingFinished, this, &TfrmMenuBilancio::mirrorYear);
    setTabOrder(m_anno, m_tipologia);
    setTabOrder(m_tipologia, m_giornoInizio);
    setTabOrder(m_giornoInizio, m_meseInizio);
    setTabOrder(m_meseInizio, m_giornoFine);
    setTabOrder(m_giornoFine, m_meseFine);
    setTabOrder(m_meseFine, m_visualizza);
    setTabOrder(m_visualizza, esci);
}

QComboBox* TfrmMenuBilancio::dropDown(const QString& name, const QStringList& items) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setMaxVisibleItems(12);
    combo->setMinimumWidth(name.contains(u"Mese"_s) ? 140 : 70);
    combo->installEventFilter(this);
    empty(combo);
    return combo;
}

void TfrmMenuBilancio::mirrorYear() {
    const QString year = text::trimmed(m_anno->text());
    m_annoInizio->setText(year);
    m_annoFine->setText(year);
}

bool TfrmMenuBilancio::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_visualizza && event->type() == QEvent::MouseButtonPress) {
        m_attendere->show();
        m_attendere->repaint();
        return false;
    }
    auto* combo = qobject_cast<QComboBox*>(watched);
    if (!combo) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        // The value is chosen from the list: typing, arrows and letters are discarded. Enter
        // moves on; Tab leaves; F4 and Alt+Down open the list.
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool opensList =
            key->key() == Qt::Key_F4 || ((key->modifiers() & Qt::AltModifier) &&
                                         (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up));
        const bool passes = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                            key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        return !(passes || opensList);
    }
    if (event->type() == QEvent::FocusOut) {
        // A text that is not one of the list's is cleared on leaving.
        const QString shown = comboText(combo);
        const bool isDay = combo == m_giornoInizio || combo == m_giornoFine;
        const QString kept = isDay ? accounts::keptDay(shown) : accounts::keptMonth(shown);
        if (kept.isEmpty()) empty(combo);
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmMenuBilancio::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    for (QComboBox* combo : {m_giornoInizio, m_meseInizio, m_giornoFine, m_meseFine})
        empty(combo);
    m_tipologia->clear();
    m_anno->setText(Clock::today().toString(u"yyyy"_s));
    mirrorYear();
    m_attendere->hide();
    m_tipologia->setFocus(Qt::OtherFocusReason);
}

QWidget* TfrmMenuBilancio::fieldFor(int periodField) const {
    switch (accounts::PeriodField(periodField)) {
    case accounts::PeriodField::Anno:
        return m_anno;
    case accounts::PeriodField::GiornoInizio:
        return m_giornoInizio;
    case accounts::PeriodField::MeseInizio:
        return m_meseInizio;
    case accounts::PeriodField::GiornoFine:
        return m_giornoFine;
    case accounts::PeriodField::MeseFine:
        return m_meseFine;
    case accounts::PeriodField::None:
        break;
    }
    return nullptr;
}

void TfrmMenuBilancio::btnVisualizzaClick() {
    m_dataInizio->clear();
    m_dataFine->clear();
    const accounts::PeriodVerdict verdict =
        accounts::checkPeriod({m_anno->text(), comboText(m_giornoInizio), comboText(m_meseInizio),
                               comboText(m_giornoFine), comboText(m_meseFine)});
    m_dataInizio->setText(verdict.startText);
    m_dataFine->setText(verdict.endText);
    if (!verdict.ok) {
        m_attendere->hide();
        if (verdict.warning)
            msg::warning(this, verdict.message);
        else
            msg::plain(this, verdict.message);
        if (QWidget* field = fieldFor(int(verdict.focus))) field->setFocus(Qt::OtherFocusReason);
        return;
    }

    const QString path = programPath(text::trimmed(m_anno->text()) + u".eur"_s);
    m_file->setText(path);
    const QString filter = m_tipologia->text();
    const QDate start = verdict.start;
    const QDate end = verdict.end;
    // The archive is opened as every action opens it (created empty when missing), then read
    // away from the screen, which keeps painting its wait label.
    const accounts::CashBook book =
        runWaiting<accounts::CashBook>(m_attendere, [path, start, end, filter] {
            if (!records::RecordFile::touch(path, movements::recordSize())) {
                accounts::CashBook unreadable;
                unreadable.readable = false;
                return unreadable;
            }
            return accounts::readCashBook(path, start, end, filter);
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
