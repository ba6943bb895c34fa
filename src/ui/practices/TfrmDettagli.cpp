#include "TfrmDettagli.h"

#include "text/casing.h"
#include "ui/common/behaviour.h"
#include "ui/common/clock.h"
#include "ui/common/listscreen.h"
#include "ui/common/report/reportdocument.h"
#include "ui/common/report/reportservice.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

QString TfrmDettagli::labelName(int entry) {
    return u"lblDoc%1"_s.arg(entry, 2, 10, QLatin1Char('0'));
}

QString TfrmDettagli::fieldName(int entry) {
    return u"Doc%1"_s.arg(entry, 2, 10, QLatin1Char('0'));
}

TfrmDettagli::TfrmDettagli(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TfrmDettagli"_s);
    setWindowTitle(u" Documenti associati alla pratica"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* behaviour = new ScreenBehaviour(this);
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    // Entries 1-16 down the left column, 17-32 down the right one.
    for (int i = 1; i <= kEntries; ++i) {
        const int column = (i - 1) / 16 * 2, row = (i - 1) % 16;
        auto* number = new QLabel(u"%1."_s.arg(i), this);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* field = new QLineEdit(this);
        field->setObjectName(u"txtDoc"_s + labelName(i).mid(6));
        field->setMaxLength(50);
        field->setMinimumWidth(340);
        grid->addWidget(number, row, column);
        grid->addWidget(field, row, column + 1);
        m_fields << field;
    }
    for (int i = 0; i < kEntries; ++i)
        behaviour->setEnterNext(m_fields[i], m_fields[(i + 1) % kEntries]);

    auto* buttons = new QHBoxLayout;
    outer->addLayout(buttons);
    const std::pair<QString, QString> names[] = {{u"btnAnteprima"_s, u"Anteprima"_s},
                                                 {u"btnStampa"_s, u"Stampa"_s},
                                                 {u"btnChiudi"_s, u"Applica e chiudi"_s},
                                                 {u"btnAnnulla"_s, u"Annulla"_s}};
    QList<QPushButton*> made;
    for (const auto& [name, caption] : names) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        made << button;
    }
    buttons->insertStretch(2);
    connect(made[0], &QPushButton::clicked, this, &TfrmDettagli::btnAnteprimaClick);
    connect(made[1], &QPushButton::clicked, this, &TfrmDettagli::btnStampaClick);
    connect(made[2], &QPushButton::clicked, this, &QDialog::accept);
    connect(made[3], &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(sizeHint());
}

void TfrmDettagli::setEntries(const QStringList& entries) {
    for (int i = 0; i < kEntries; ++i)
        setControlText(m_fields[i], entries.value(i));
}

QStringList TfrmDettagli::entries() const {
    QStringList values;
    for (const QLineEdit* field : m_fields)
        values << text::trimmed(field->text());
    return values;
}

void TfrmDettagli::setPrintedCard(std::function<QString(const QString&)> cardText) {
    m_cardText = std::move(cardText);
}

report::CardReport TfrmDettagli::printedList() const {
    report::CardReport list;
    list.title = u"Elenco documenti associati a pratica"_s;
    const std::pair<QString, QString> header[] = {
        {u"Oggetto pratica:"_s, u"txtOggetto"_s}, {u"Tipologia:"_s, u"txtTipologia"_s},
        {u"Protocollo n."_s, u"txtProtocollo"_s}, {u"Data apertura:"_s, u"txtApertura"_s},
        {u"Stato avanzamento:"_s, u"txtStato"_s}, {u"Consulente o curatore:"_s, u"txtConsulente"_s},
        {u"Cliente:"_s, u"txtCliente"_s},         {u"Recapito preferenziale:"_s, u"txtRecapito"_s}};
    for (const auto& [caption, control] : header)
        list.rows.append({caption, m_cardText ? text::trimmed(m_cardText(control)) : QString()});
    const QStringList typed = entries();
    for (int i = 0; i < kEntries; ++i)
        list.rows.append({u"Documento %1:"_s.arg(i + 1), typed[i]});
    list.footer = report::cardFooter(Clock::now());
    return list;
}

void TfrmDettagli::btnAnteprimaClick() {
    report::preview(this, report::ReportDocument::card(printedList()));
}

void TfrmDettagli::btnStampaClick() {
    report::print(this, report::ReportDocument::card(printedList()));
}

void TfrmDettagli::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(this);
    m_fields.constFirst()->setFocus(Qt::OtherFocusReason);
}

} // namespace tavolex::ui
