#include "yearmenu.h"

#include "artwork.h"
#include "behaviour.h"
#include "recordcard.h"
#include "screens.h" // applyProgramFormats

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

YearMenu::YearMenu(const YearMenuDecl& decl, QWidget* parent) : QWidget(parent), m_decl(decl) {
    setObjectName(decl.objectName);
    setWindowTitle(decl.caption);
    setProperty("tavolexMaximised", true);
    setProperty("tavolexMenuScreen", true);
    setAttribute(Qt::WA_StyledBackground);
    applyProgramFormats();
    auto* behaviour = new ScreenBehaviour(this);

    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* title = new QLabel(this);
    title->setPixmap(tilePixmap(decl.tileGlyph, decl.tileColour, QSize(360, 90), decl.tileText));
    top->addStretch();
    top->addWidget(title);
    top->addStretch();
    QToolButton* guida =
        makePictureButton(this, u"imgGuida"_s, {}, u"?"_s, QColor(0x8a, 0x5a, 0xb5));
    connect(guida, &QToolButton::clicked, this, &YearMenu::imgGuidaClick);
    top->addWidget(guida, 0, Qt::AlignTop);
    outer->addLayout(top);

    outer->addStretch();
    auto* intro = new QLabel(decl.intro, this);
    intro->setAlignment(Qt::AlignCenter);
    intro->setWordWrap(true);
    outer->addWidget(intro);

    m_boxes = new YearBoxes(decl.boxes, behaviour, this, decl.isAcceptableYear);
    connect(m_boxes, &YearBoxes::yearChosen, this, [this](int box, const QString& year) {
        Q_EMIT yearChosen(box, year);
        if (m_decl.cardName.isEmpty()) return;
        m_memory->setText(m_decl.openTag);
        close();
    });
    outer->addWidget(m_boxes);
    outer->addStretch();

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    QToolButton* esci =
        makePictureButton(this, u"imgEsci"_s, {}, u"\u2716"_s, QColor(0xb0, 0x30, 0x30));
    connect(esci, &QToolButton::clicked, this, &YearMenu::imgEsciClick);
    bottom->addWidget(esci);
    outer->addLayout(bottom);

    m_memory = new QLabel(u"avvio"_s, this);
    m_memory->setObjectName(u"lblMemory"_s);
    m_memory->hide();
}

QString YearMenu::callerTag() const {
    return m_memory->text();
}

void YearMenu::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    m_memory->setText(u"avvio"_s);
    m_boxes->reset();
}

void YearMenu::btnApriPreventiviClick() {
    m_boxes->choose(0);
}

void YearMenu::imgGuidaClick() {
    if (!m_decl.help) return;
    const help::HelpText help = m_decl.help();
    showHelp(this, help.title, help.text);
}

void YearMenu::imgEsciClick() {
    close();
}

void YearMenu::closeEvent(QCloseEvent* event) {
    event->accept();
    hide();
    if (callerTag() == m_decl.openTag)
        Q_EMIT cardRequested();
    else // "avvio"
        Q_EMIT finished();
}

} // namespace tavolex::ui
