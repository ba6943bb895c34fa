#include "TfrmMenuProtocollo.h"

#include "TfrmProtocollo.h"
#include "help/protocolhelp.h"
#include "programfolder.h"
#include "protocol/numbering.h"
#include "ui/common/artwork.h"
#include "ui/common/behaviour.h"
#include "ui/common/clock.h"
#include "ui/common/messages.h"
#include "ui/common/recordcard.h"
#include "ui/common/screens.h"

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

TfrmMenuProtocollo::TfrmMenuProtocollo(QWidget* parent) : QWidget(parent) {
    setObjectName(u"TfrmMenuProtocollo"_s);
    setWindowTitle(u" Tavolex - Protocollo Posta"_s);
    setProperty("tavolexMaximised", true);
    setStyleSheet(u"TfrmMenuProtocollo { background: #f3f6fa; }"_s);
    applyProgramFormats();
    auto* behaviour = new ScreenBehaviour(this);

    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* title = new QLabel(this);
    title->setPixmap(
        tilePixmap(u"\u2709"_s, QColor(0x7a, 0x4e, 0xa8), QSize(360, 90), u"Protocollo Posta"_s));
    top->addStretch();
    top->addWidget(title);
    top->addStretch();
    QToolButton* guida =
        makePictureButton(this, u"imgGuida"_s, {}, u"?"_s, QColor(0x8a, 0x5a, 0xb5));
    connect(guida, &QToolButton::clicked, this, &TfrmMenuProtocollo::imgGuidaClick);
    top->addWidget(guida, 0, Qt::AlignTop);
    outer->addLayout(top);

    outer->addStretch();
    auto* intro = new QLabel(
        u"In questo ambiente \u00E8 possibile protocollare i documenti interni e la posta in "
        u"entrata e in uscita."_s,
        this);
    intro->setAlignment(Qt::AlignCenter);
    intro->setWordWrap(true);
    outer->addWidget(intro);

    auto* box = new QGroupBox(u"Archivio protocollo documenti:"_s, this);
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
    connect(m_open, &QPushButton::clicked, this, &TfrmMenuProtocollo::btnApriPreventiviClick);
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
        makePictureButton(this, u"imgEsci"_s, {}, u"\u23FB"_s, QColor(0xb0, 0x30, 0x30));
    connect(esci, &QToolButton::clicked, this, &TfrmMenuProtocollo::imgEsciClick);
    bottom->addWidget(esci);
    outer->addLayout(bottom);

    m_memory = new QLabel(u"avvio"_s, this);
    m_memory->setObjectName(u"lblMemory"_s);
    m_memory->hide();
}

QString TfrmMenuProtocollo::callerTag() const {
    return m_memory->text();
}

void TfrmMenuProtocollo::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    m_year->setText(Clock::today().toString(u"yyyy"_s));
    m_memory->setText(u"avvio"_s);
    m_year->setFocus(Qt::OtherFocusReason);
}

void TfrmMenuProtocollo::btnApriPreventiviClick() {
    const QString year = m_year->text();
    if (!protocol::isAcceptableYear(year)) {
        msg::warning(this, u"Attenzione: indicare l'anno solare utilizzando quattro cifre."_s);
        m_year->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (auto* card = Screens::find<TfrmProtocollo>(u"TfrmProtocollo"_s)) {
        card->setArchive(programPath(protocol::archiveFileName(year)));
        card->setWindowTitle(protocol::cardCaption(year));
    }
    m_memory->setText(u"protocollo"_s);
    close();
}

void TfrmMenuProtocollo::imgGuidaClick() {
    const help::HelpText help = help::protocolApplication();
    showHelp(this, help.title, help.text);
}

void TfrmMenuProtocollo::imgEsciClick() {
    close();
}

void TfrmMenuProtocollo::closeEvent(QCloseEvent* event) {
    event->accept();
    hide();
    if (callerTag() == u"protocollo"_s)
        Screens::show(u"TfrmProtocollo"_s);
    else // "avvio"
        Screens::show(u"TfrmAvvio"_s);
}

} // namespace tavolex::ui
