#include "statsscreen.h"

#include "statschart.h"
#include "statsprint.h"
#include "ui/common/artwork.h"
#include "ui/common/behaviour.h"
#include "ui/common/commands.h"
#include "ui/common/messages.h"
#include "ui/common/recordcard.h"
#include "ui/common/screens.h"
#include "ui/common/theme.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

StatsScreen::StatsScreen(const StatsScreenDecl& decl, QWidget* parent)
    : QDialog(parent), m_behaviour(new ScreenBehaviour(this)) {
    setObjectName(decl.objectName);
    setWindowTitle(decl.caption);
    setModal(true);
    applyProgramFormats();
    m_behaviour->addHintClearingArea(this);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 10, 12, 6);
    outer->addLayout(body, 1);

    auto* top = new QHBoxLayout;
    auto* texts = new QVBoxLayout;
    m_heading = new QLabel(this);
    m_heading->setObjectName(u"lblTitolo"_s);
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    m_heading->setFont(headingFont);
    texts->addWidget(m_heading);
    texts->addWidget(new QLabel(decl.description, this));
    texts->addWidget(new QLabel(u"Servirsi dei pulsanti in calce per visualizzare il tipo di "
                                u"grafico desiderato e per mandarlo in stampa."_s,
                                this));
    top->addLayout(texts, 1);
    QToolButton* guida = makeCommandButton(
        this, m_behaviour,
        completed({.control = u"cmdGuida"_s,
                   .hint = u"Visualizza la pagina della guida sensibile al contesto."_s,
                   .action = [this] { cmdGuidaClick(); }}));
    top->addWidget(guida, 0, Qt::AlignTop);
    body->addLayout(top);

    m_chart =
        new StatsChart({QString::fromUtf16(decl.texts.title), QString::fromUtf16(decl.texts.legend),
                        QString::fromUtf16(decl.texts.foot)},
                       this);
    body->addWidget(m_chart, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const auto button = [&](const QString& name, const QString& caption, const QString& hint,
                            void (StatsScreen::*click)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, click);
        m_behaviour->setHint(b, hint);
        buttons->addWidget(b);
        return b;
    };
    button(u"btnTorta"_s, u"Visualizza grafico a torta"_s, decl.pieHint,
           &StatsScreen::btnTortaClick);
    button(u"btnBarre"_s, u"Visualizza grafico a barre"_s, decl.barsHint,
           &StatsScreen::btnBarreClick);
    button(u"btnStampa"_s, u"Stampa grafico"_s, u"Stampa il grafico corrente."_s,
           &StatsScreen::btnStampaClick);
    button(u"btnEsci"_s, u"Esci"_s, u"Esci da questo ambiente di lavoro."_s,
           &StatsScreen::btnEsciClick);
    buttons->addStretch();
    body->addLayout(buttons);

    outer->addWidget(makeHintBar(this, m_behaviour, decl.initialHint));
    resize(1100, 760);
}

void StatsScreen::setSource(const records::ArchiveId& archive, const QString& yearText) {
    m_archive = archive;
    m_year = yearText;
}

void StatsScreen::setHeading(const QString& heading) {
    m_heading->setText(heading);
}

void StatsScreen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    setWindowState(windowState() | Qt::WindowMaximized);
    if (m_filled) return;
    m_filled = true;
    m_chart->series()->clear();
    if (m_archive.isValid()) fillSeries();
    m_chart->setKind(StatsSeries::Kind::Bar);
}

void StatsScreen::btnBarreClick() {
    m_chart->setKind(StatsSeries::Kind::Bar);
}

void StatsScreen::btnTortaClick() {
    m_chart->setKind(StatsSeries::Kind::Pie);
}

int StatsScreen::copiesFrom(const QString& answer) {
    return statsprint::copiesFrom(answer);
}

void StatsScreen::btnStampaClick() {
    if (!msg::question(this, u"Si vuole stampare il presente grafico statistico?"_s)) return;
    QInputDialog input(this);
    input.setObjectName(u"dlgCopie"_s);
    input.setInputMode(QInputDialog::TextInput);
    input.setWindowTitle(u"Numero copie da stampare"_s);
    input.setLabelText(u"Copie:"_s);
    input.setTextValue(u"1"_s);
    if (input.exec() != QDialog::Accepted) return;
    QPrinter printer(QPrinter::HighResolution);
    printCopies(printer, copiesFrom(input.textValue()));
}

bool StatsScreen::printCopies(QPrinter& printer, int copies) {
    return statsprint::printCopies(this, *m_chart, printer, copies);
}

void StatsScreen::paintPage(QPainter& painter, const QRectF& page) const {
    statsprint::paintPage(*m_chart, painter, page);
}

void StatsScreen::cmdGuidaClick() {
    const help::HelpText help = help::statistics();
    showHelp(this, help.title, help.text);
}

void StatsScreen::btnEsciClick() {
    reject();
}

} // namespace tavolex::ui
