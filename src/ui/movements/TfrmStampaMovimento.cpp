#include "TfrmStampaMovimento.h"

#include "ui/common/report/reportdocument.h"
#include "ui/common/report/reportservice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmStampaMovimento::TfrmStampaMovimento(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TfrmStampaMovimento"_s);
    setWindowTitle(u" Stampa scheda corrente"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"Stampa della scheda del movimento visualizzato."_s, this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* annulla = new QPushButton(u"Annulla"_s, this);
    annulla->setObjectName(u"btnAnnulla"_s);
    connect(annulla, &QPushButton::clicked, this, &TfrmStampaMovimento::btnAnnullaClick);
    auto* stampa = new QPushButton(u"Stampa"_s, this);
    stampa->setObjectName(u"btnStampa"_s);
    stampa->setDefault(true);
    connect(stampa, &QPushButton::clicked, this, &TfrmStampaMovimento::btnStampaClick);
    buttons->addWidget(annulla);
    buttons->addWidget(stampa);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
}

void TfrmStampaMovimento::setCardReport(report::CardReport report) {
    m_report = std::move(report);
}

void TfrmStampaMovimento::btnStampaClick() {
    report::print(this, report::ReportDocument::card(m_report));
    accept();
}

void TfrmStampaMovimento::btnAnnullaClick() {
    reject();
}

} // namespace tavolex::ui
