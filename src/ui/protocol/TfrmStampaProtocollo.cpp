#include "TfrmStampaProtocollo.h"

#include "text/casing.h"
#include "ui/common/clock.h"
#include "ui/common/report/reportdocument.h"
#include "ui/common/report/reportservice.h"
#include "ui/common/screens.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmStampaProtocollo::TfrmStampaProtocollo(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TfrmStampaProtocollo"_s);
    setWindowTitle(u" Stampa scheda"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"Stampa della scheda di protocollo visualizzata."_s, this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* stampa = new QPushButton(u"Stampa"_s, this);
    stampa->setObjectName(u"btnStampa"_s);
    stampa->setDefault(true);
    connect(stampa, &QPushButton::clicked, this, &TfrmStampaProtocollo::btnStampaClick);
    auto* annulla = new QPushButton(u"Annulla"_s, this);
    annulla->setObjectName(u"btnAnnulla"_s);
    connect(annulla, &QPushButton::clicked, this, &TfrmStampaProtocollo::btnAnnullaClick);
    buttons->addWidget(stampa);
    buttons->addWidget(annulla);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
}

void TfrmStampaProtocollo::setSource(QWidget* card) {
    m_source = card;
}

QWidget* TfrmStampaProtocollo::source() const {
    return m_source ? m_source.data() : Screens::get(u"TfrmProtocollo"_s);
}

report::CardReport TfrmStampaProtocollo::cardReport() const {
    QWidget* card = source();
    auto value = [card](const char16_t* name) {
        const auto* edit = card ? card->findChild<QLineEdit*>(QString::fromUtf16(name)) : nullptr;
        return edit ? text::trimmed(edit->text()) : QString();
    };
    report::CardReport r;
    r.title = u"SCHEDA PROTOCOLLO DOCUMENTO"_s;
    r.rows = {
        {u"Protocollo n."_s, value(u"txtNumero")},
        {u"Data registrazione:"_s, value(u"txtDataReg")},
        {u"Ufficio:"_s, value(u"txtUfficio")},
        {u"Operatore:"_s, value(u"txtOperatore")},
        {u"Categoria:"_s, value(u"txtCategoria")},
        {u"Collocazione cartaceo:"_s, value(u"txtCollocazione")},
        {u"Oggetto:"_s, value(u"txtOggetto")},
        {u"Data spedizione:"_s, value(u"txtDataSpe")},
        {u"Data ricezione:"_s, value(u"txtDataRic")},
        {u"Formato:"_s, value(u"txtFormato") + u"  -  N. pagine: "_s + value(u"txtPagine")},
        {u"Riferimenti:"_s, value(u"txtRiferimenti")},
        {u"Mittente:"_s, value(u"txtMittente")},
        {u"Recapito mittente:"_s, value(u"txtRecapitoMit")},
        {u"Destinatario:"_s, value(u"txtDestinatario")},
        {u"Recapito destinatario:"_s, value(u"txtRecapitoDes")},
        {u"Note:"_s, value(u"txtNote")},
    };
    r.footer = report::cardFooter(Clock::now());
    return r;
}

void TfrmStampaProtocollo::btnStampaClick() {
    report::print(this, report::ReportDocument::card(cardReport()));
    accept();
}

void TfrmStampaProtocollo::btnAnnullaClick() {
    reject();
}

} // namespace tavolex::ui
