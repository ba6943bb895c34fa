#include "TfrmTrovaClienti.h"

#include "core/programfolder.h"
#include "records/layouts.h"
#include "records/recordfile.h"
#include "search/clientlines.h"
#include "ui/common/behaviour.h"
#include "ui/common/messages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

struct FilterDecl {
    const char16_t* control;
    const char16_t* label;
};

// In panel order, which is also the order of search::clientSearchFields() and of Enter.
constexpr FilterDecl kFilters[] = {
    {u"txtCliente", u"Cognome e nome Cliente:"},
    {u"txtComuneRes", u"Comune di residenza:"},
    {u"txtPartitaIva", u"Partita IVA:"},
    {u"txtCodFisc", u"Codice fiscale:"},
    {u"txtDocumento", u"Estremi documento:"},
    {u"txtOccupazione", u"Occupazione:"},
    {u"txtProdotti", u"Prodotti e servizi di interesse:"},
    {u"txtZona", u"Zona di appartenenza:"},
    {u"txtQuestioni", u"Questioni in sospeso:"},
    {u"txtNote", u"Note:"},
};

} // namespace

TfrmTrovaClienti::TfrmTrovaClienti(QWidget* parent)
    : ListScreen(u"TfrmTrovaClienti"_s, u" Trova Clienti in archivio"_s, parent),
      m_behaviour(new ScreenBehaviour(this)) {
    m_filterPanel = buildFilterPanel();
    screenLayout()->insertWidget(0, m_filterPanel);

    m_found = new QLabel(listPanel());
    m_found->setObjectName(u"lblTrovate"_s);
    QFont bold = m_found->font();
    bold.setBold(true);
    m_found->setFont(bold);
    headerArea()->addWidget(m_found);
    addPrintButton(u"Riepilogo Clienti"_s);

    listPanel()->hide();
    setFixedSize(1000, 640);
}

QWidget* TfrmTrovaClienti::buildFilterPanel() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    for (const char16_t* line : {u"Immettere nei campi prescelti una o pi\u00F9 parole consecutive "
                                 u"presenti nelle schede da trovare e "
                                 u"premere il pulsante Cerca.",
                                 u"Lasciare in bianco tutti gli altri campi.",
                                 u"Per ogni ricerca \u00E8 possibile utilizzare uno o pi\u00F9 "
                                 u"campi contemporaneamente."}) {
        auto* label = new QLabel(QString::fromUtf16(line), panel);
        label->setWordWrap(true);
        layout->addWidget(label);
    }

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    int i = 0;
    for (const FilterDecl& decl : kFilters) {
        auto* label = new QLabel(QString::fromUtf16(decl.label), panel);
        auto* field = new QLineEdit(panel);
        field->setObjectName(QString::fromUtf16(decl.control));
        grid->addWidget(label, i, 0);
        grid->addWidget(field, i, 1);
        m_behaviour->addHighlight(field, field->objectName().mid(3));
        m_filters << field;
        ++i;
    }
    for (qsizetype k = 0; k < m_filters.size(); ++k)
        m_behaviour->setEnterNext(m_filters[k], m_filters[(k + 1) % m_filters.size()]);
    layout->addLayout(grid);
    layout->addStretch();

    m_waiting = new QLabel(u"Ricerca schede in corso. Attendere..."_s, panel);
    m_waiting->setObjectName(u"lblAttendere"_s);
    m_waiting->setStyleSheet(u"QLabel { color: #b22222; font-weight: bold; }"_s);
    m_waiting->hide();
    layout->addWidget(m_waiting);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_cerca = new QPushButton(u"Cerca"_s, panel);
    m_cerca->setObjectName(u"btnCerca"_s);
    connect(m_cerca, &QPushButton::pressed, this, &TfrmTrovaClienti::btnCercaMouseDown);
    connect(m_cerca, &QPushButton::clicked, this, &TfrmTrovaClienti::btnCercaClick);
    auto* annulla = new QPushButton(u"Chiudi"_s, panel);
    annulla->setObjectName(u"btnAnnulla"_s);
    annulla->setAutoDefault(false);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(m_cerca);
    buttons->addWidget(annulla);
    layout->addLayout(buttons);
    return panel;
}

bool TfrmTrovaClienti::isKnownCallerTag(const QString& tag) {
    return tag == u"clienti"_s || tag == u"pratica"_s || tag == u"movimenti_pagatore"_s ||
           tag == u"movimenti_beneficiario"_s;
}

void TfrmTrovaClienti::showEvent(QShowEvent* event) {
    ListScreen::showEvent(event);
    centreOnScreen(this);
    FormShow();
}

void TfrmTrovaClienti::FormShow() {
    listPanel()->hide();
    m_filterPanel->show();
    resetFind();
    m_filters.first()->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaClienti::btnCercaMouseDown() {
    m_waiting->show();
    m_waiting->repaint();
}

void TfrmTrovaClienti::btnCercaClick() {
    QStringList texts;
    for (const QLineEdit* field : std::as_const(m_filters))
        texts << field->text();
    const search::RecordFilter filter = search::clientSearchFilter(texts);

    QStringList lines;
    const bool read = records::RecordFile::scan(programPath(records::clientLayout().archiveName()),
                                                records::clientLayout().recordSize(),
                                                [&](qint64, const char* record) {
                                                    if (filter.matches(record))
                                                        lines << search::clientSearchLine(record);
                                                    return true;
                                                });
    m_waiting->hide();
    if (!read) {
        msg::plain(this, msg::archiveAccessErrorText());
        return;
    }
    setLines(lines);
    m_found->setText(u"Il presente riepilogo contiene %1 schede."_s.arg(lines.size()));
    m_filterPanel->hide();
    listPanel()->show();
    resetFind();
    findField()->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaClienti::loadEntry(const QString& line) {
    m_chosen.reset();
    if (!isKnownCallerTag(callerTag())) return;
    const records::RecordLayout& layout = records::clientLayout();
    m_chosen = lastRecordWithLine(
        programPath(layout.archiveName()), layout.recordSize(),
        [](const char* record) { return search::clientSearchLine(record); }, line);
}

void TfrmTrovaClienti::done(int result) {
    m_waiting->hide();
    ListScreen::done(result);
}

} // namespace tavolex::ui
