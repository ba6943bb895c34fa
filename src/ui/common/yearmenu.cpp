#include "yearmenu.h"

#include "artwork.h"
#include "behaviour.h"
#include "clock.h"
#include "messages.h"
#include "recordcard.h"
#include "screens.h" // applyProgramFormats

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

    auto* box = new QGroupBox(decl.boxTitle, this);
    auto* row = new QHBoxLayout(box);
    row->addWidget(new QLabel(u"Anno:"_s, box));
    m_year = new QLineEdit(box);
    m_year->setObjectName(u"txtAnnoPreventivi"_s);
    m_year->setMaxLength(4);
    m_year->setAlignment(Qt::AlignCenter);
    QFont bold = m_year->font();
    bold.setBold(true);
    m_year->setFont(bold);
    m_year->setFixedWidth(90);
    row->addWidget(m_year);
    m_open = new QPushButton(u"Apri"_s, box);
    m_open->setObjectName(u"btnApriPreventivi"_s);
    connect(m_open, &QPushButton::clicked, this, &YearMenu::btnApriPreventiviClick);
    row->addWidget(m_open);
    auto* centre = new QHBoxLayout;
    centre->addStretch();
    centre->addWidget(box);
    centre->addStretch();
    outer->addLayout(centre);
    outer->addStretch();
    behaviour->setTypingRules(m_year, DigitsOnly);
    behaviour->setEnterNext(m_year, m_open);

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
    m_year->setText(Clock::today().toString(u"yyyy"_s));
    m_memory->setText(u"avvio"_s);
    m_year->setFocus(Qt::OtherFocusReason);
}

void YearMenu::btnApriPreventiviClick() {
    const QString year = m_year->text();
    const bool acceptable =
        m_decl.isAcceptableYear ? m_decl.isAcceptableYear(year) : year.size() == 4;
    if (!acceptable) {
        msg::warning(this, u"Attenzione: indicare l'anno solare utilizzando quattro cifre."_s);
        m_year->setFocus(Qt::OtherFocusReason);
        return;
    }
    Q_EMIT yearChosen(year);
    m_memory->setText(m_decl.openTag);
    close();
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
