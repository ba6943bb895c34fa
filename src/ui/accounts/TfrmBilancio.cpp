#include "TfrmBilancio.h"

#include "help/helptexts.h"
#include "ui/common/artwork.h"
#include "ui/common/messages.h"
#include "ui/common/recordcard.h"
#include "ui/common/report/reportdocument.h"
#include "ui/common/report/reportservice.h"
#include "ui/common/screens.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmBilancio::TfrmBilancio(QWidget* parent)
    : ListScreen(u"TfrmBilancio"_s, u" Tavolex - Primanota e Bilancio"_s, parent) {
    applyProgramFormats();
    showLinesOnly(u"btnEsci"_s, u"Esci"_s);

    auto* heading = new QGridLayout;
    const auto bold = [this](const QString& text, const QString& name = {}) {
        auto* label = new QLabel(text, this);
        if (!name.isEmpty()) label->setObjectName(name);
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        return label;
    };
    heading->addWidget(bold(u"PRIMANOTA E BILANCIO - Causale :"_s), 0, 0);
    m_titTipologia = bold(u"- - -"_s, u"titTipologia"_s);
    heading->addWidget(m_titTipologia, 0, 1);
    heading->addWidget(bold(u"Intervallo selezionato :"_s), 1, 0);
    m_intervallo = bold(QString(), u"lblIntervallo"_s);
    heading->addWidget(m_intervallo, 1, 1);
    heading->setColumnStretch(1, 1);
    QToolButton* guida = makePictureButton(this, u"imgGuida"_s, {}, u"?"_s, toneColour(Tone::Help));
    connect(guida, &QToolButton::clicked, this, &TfrmBilancio::imgGuidaClick);
    heading->addWidget(guida, 0, 2, 2, 1, Qt::AlignTop);
    headerArea()->addLayout(heading);

    auto* totals = new QGridLayout;
    const auto total = [&](int row, const QString& caption, const QString& name) {
        totals->addWidget(bold(caption), row, 0);
        QLabel* value = bold(u"0,00 \u20AC"_s, name);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(180);
        totals->addWidget(value, row, 1);
        return value;
    };
    m_totEntrate = total(0, u"TOTALE ENTRATE :"_s, u"lblTotEntrate"_s);
    m_totUscite = total(1, u"TOTALE USCITE :"_s, u"lblTotUscite"_s);
    m_bilancio = total(2, u"BILANCIO ENTRATE E USCITE :"_s, u"lblBilancio"_s);
    footerArea()->insertLayout(0, totals);

    auto* print = new QPushButton(u"Stampa primanota"_s, this);
    print->setObjectName(u"btnStampa"_s);
    print->setAutoDefault(false);
    connect(print, &QPushButton::clicked, this, &TfrmBilancio::btnStampaClick);
    footerArea()->insertWidget(footerArea()->count() - 1, print);
    resize(1200, 760); // its size when brought back from maximised
}

void TfrmBilancio::setCashBook(const QString& reasonFilter, const QString& startText,
                               const QString& endText, const accounts::CashBook& book) {
    m_filter = reasonFilter;
    m_totals = book.totals;
    m_titTipologia->setText(accounts::filterTitle(reasonFilter));
    m_intervallo->setText(accounts::intervalText(startText, endText));
    setLines(book.lines);
    m_totEntrate->setText(accounts::totalLabel(m_totals.income()));
    m_totUscite->setText(accounts::totalLabel(m_totals.expenses()));
    m_bilancio->setText(accounts::totalLabel(m_totals.balance()));
}

void TfrmBilancio::showEvent(QShowEvent* event) {
    ListScreen::showEvent(event);
    if (event->spontaneous()) return;
    centreOnScreen(this);
    setWindowState(windowState() | Qt::WindowMaximized); // as the charts open
    resetFind();
    findField()->setFocus(Qt::OtherFocusReason);
}

report::ListReport TfrmBilancio::cashBookReport() const {
    report::ListReport printed;
    printed.name = u"Primanota"_s;
    printed.title = accounts::printTitle(m_filter);
    printed.lines = accounts::printLines(lines(), m_intervallo->text(), m_totals);
    return printed;
}

void TfrmBilancio::btnStampaClick() {
    if (lineCount() == 0) {
        msg::warning(this, QString::fromUtf16(accounts::kNothingToPrint));
        return;
    }
    if (!msg::question(this, QString::fromUtf16(accounts::kAskPrint))) return;
    report::print(this, report::ReportDocument::list(cashBookReport()));
}

void TfrmBilancio::imgGuidaClick() {
    const help::HelpText help = help::cashBook();
    showHelp(this, help.title, help.text);
}

} // namespace tavolex::ui
