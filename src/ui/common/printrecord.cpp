#include "printrecord.h"

#include "report/reportdocument.h"
#include "report/reportservice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

PrintRecordScreen::PrintRecordScreen(const PrintRecordDecl& decl, QWidget* parent)
    : QDialog(parent) {
    setObjectName(decl.objectName);
    setWindowTitle(decl.caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(decl.text, this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    // Created in their order on screen, which is also the order of Tab.
    auto makeAnnulla = [&] {
        auto* annulla = new QPushButton(u"Annulla"_s, this);
        annulla->setObjectName(u"btnAnnulla"_s);
        connect(annulla, &QPushButton::clicked, this, &PrintRecordScreen::btnAnnullaClick);
        buttons->addWidget(annulla);
    };
    if (decl.cancelFirst) makeAnnulla();
    auto* stampa = new QPushButton(u"Stampa"_s, this);
    stampa->setObjectName(u"btnStampa"_s);
    stampa->setDefault(true);
    connect(stampa, &QPushButton::clicked, this, &PrintRecordScreen::btnStampaClick);
    buttons->addWidget(stampa);
    if (!decl.cancelFirst) makeAnnulla();
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
}

void PrintRecordScreen::setCardReport(report::CardReport report) {
    m_report = std::move(report);
}

void PrintRecordScreen::btnStampaClick() {
    report::print(this, report::ReportDocument::card(m_report));
    accept();
}

void PrintRecordScreen::btnAnnullaClick() {
    reject();
}

} // namespace tavolex::ui
