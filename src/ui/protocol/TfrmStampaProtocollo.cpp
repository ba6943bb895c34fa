#include "TfrmStampaProtocollo.h"

#include "ui/common/report/reportdocument.h"
#include "ui/common/report/reportservice.h"

#include <QHBoxLayout>
#include <QLabel>
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

void TfrmStampaProtocollo::setCardReport(report::CardReport report) {
    m_report = std::move(report);
}

void TfrmStampaProtocollo::btnStampaClick() {
    report::print(this, report::ReportDocument::card(m_report));
    accept();
}

void TfrmStampaProtocollo::btnAnnullaClick() {
    reject();
}

} // namespace tavolex::ui
