#include "TfrmTrovaProtocollo.h"

#include "protocolgrid.h"
#include "records/layouts.h"
#include "records/recordfile.h"
#include "ui/common/behaviour.h"
#include "ui/common/messages.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {
struct FilterField {
    const char16_t* name;
    const char16_t* label;
};
// In the order of protocol::searchFields().
constexpr FilterField kFilters[] = {
    {u"txtNumero", u"N. protocollo:"},
    {u"txtTipologia", u"Tipologia posta (in entrata, in uscita, interna):"},
    {u"txtDataReg", u"Data registrazione (gg/mm/aaaa):"},
    {u"txtOperatore", u"Operatore:"},
    {u"txtCategoria", u"Categoria:"},
    {u"txtOggetto", u"Oggetto:"},
    {u"txtMittente", u"Mittente:"},
    {u"txtDestinatario", u"Destinatario:"},
    {u"txtRiferimenti", u"Riferimenti:"},
    {u"txtNote", u"Note:"},
};
} // namespace

TfrmTrovaProtocollo::TfrmTrovaProtocollo(QWidget* parent)
    : ListScreen(u"TfrmTrovaProtocollo"_s, u" Trova documenti protocollati"_s, parent) {
    // The list pattern's panel is the result panel, shown in place of the filter panel
    // once a search has run.
    m_resultPanel = listPanel();
    m_resultPanel->setObjectName(u"panContainer"_s);
    m_count = new QLabel(m_resultPanel);
    m_count->setObjectName(u"lblTrovate"_s);
    footerArea()->insertWidget(0, m_count);
    addPrintButton(u"Protocollo documenti"_s);

    m_filterPanel = buildFilterPanel();
    screenLayout()->insertWidget(0, m_filterPanel, 1);
    m_resultPanel->hide();
    setFixedSize(1000, 600);
}

QWidget* TfrmTrovaProtocollo::buildFilterPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(u"panAvvio"_s);
    auto* layout = new QVBoxLayout(panel);
    for (
        const QString& text :
        {u"Immettere nei campi prescelti una o pi\u00F9 parole consecutive presenti nelle schede "
         u"da trovare e "
         u"premere il pulsante Cerca."_s,
         u"Lasciare in bianco tutti gli altri campi."_s,
         u"Per ogni ricerca \u00E8 possibile utilizzare uno o pi\u00F9 campi contemporaneamente."_s}) {
        auto* label = new QLabel(text, panel);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto* behaviour = new ScreenBehaviour(this);
    auto* grid = new QGridLayout;
    int row = 0;
    for (const FilterField& f : kFilters) {
        auto* edit = new QLineEdit(panel);
        edit->setObjectName(QString::fromUtf16(f.name));
        grid->addWidget(new QLabel(QString::fromUtf16(f.label), panel), row, 0);
        grid->addWidget(edit, row, 1);
        m_filters << edit;
        ++row;
    }
    // Enter moves through the filters, from the notes back to the number.
    for (qsizetype i = 0; i < m_filters.size(); ++i)
        behaviour->setEnterNext(m_filters[i], m_filters[(i + 1) % m_filters.size()]);
    layout->addLayout(grid);
    layout->addStretch();

    m_wait = new QLabel(u"Ricerca schede in corso. Attendere..."_s, panel);
    m_wait->setObjectName(u"lblAttendere"_s);
    m_wait->hide();
    layout->addWidget(m_wait);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* chiudi = new QPushButton(u"Chiudi"_s, panel);
    chiudi->setObjectName(u"btnAnnulla"_s);
    chiudi->setAutoDefault(false);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    auto* cerca = new QPushButton(u"Cerca"_s, panel);
    cerca->setObjectName(u"btnCerca"_s);
    cerca->setDefault(true);
    connect(cerca, &QPushButton::pressed, m_wait, &QLabel::show);
    connect(cerca, &QPushButton::released, m_wait, &QLabel::hide);
    connect(cerca, &QPushButton::clicked, this, &TfrmTrovaProtocollo::btnCercaClick);
    buttons->addWidget(chiudi);
    buttons->addWidget(cerca);
    layout->addLayout(buttons);
    return panel;
}

void TfrmTrovaProtocollo::setArchivePath(const QString& path) {
    m_archive = path;
}

QString TfrmTrovaProtocollo::archivePath() const {
    return m_archive.isEmpty() ? protocolscreens::currentArchive() : m_archive;
}

void TfrmTrovaProtocollo::btnCercaClick() {
    QStringList filters;
    for (QLineEdit* edit : std::as_const(m_filters))
        filters << edit->text();
    // Opened as every action opens the archive: a missing year is created empty.
    records::RecordFile file(archivePath(), records::protocolLayout().recordSize());
    const bool opened = file.open();
    const bool closed = opened && file.close();
    QStringList found;
    if (!closed || !protocol::searchArchive(archivePath(), filters, &found)) {
        msg::plain(this, msg::archiveAccessErrorText());
        return;
    }
    setLines(found);
    m_count->setText(u"Il presente riepilogo contiene "_s + QString::number(found.size()) +
                     u" schede."_s);
    m_filterPanel->hide();
    m_resultPanel->show();
    resetFind();
    findField()->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaProtocollo::loadEntry(const QString& line) {
    // Any failure just closes the screen.
    std::optional<protocol::FoundRecord> found;
    if (protocol::findByLine(archivePath(), line, &found)) m_chosen = std::move(found);
}

void TfrmTrovaProtocollo::done(int result) {
    m_wait->hide();
    ListScreen::done(result);
}

} // namespace tavolex::ui
