#include "TfrmNumerazione.h"

#include "ui/common/messages.h"

#include "protocol/numbering.h"
#include "settings/inifile.h"
#include "settings/programsettings.h"
#include "ui/common/behaviour.h"
#include "ui/common/screens.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {
bool underProtocolTag(const QString& tag) {
    return tag == u"protocollo"_s;
}
} // namespace

TfrmNumerazione::TfrmNumerazione(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TfrmNumerazione"_s);
    setWindowTitle(u" Impostazione inizio numerazione"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    applyProgramFormats();
    auto* behaviour = new ScreenBehaviour(this);

    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(u" Inizia numerazione da: "_s, this);
    auto* groupLayout = new QVBoxLayout(group);
    m_inizio = new QLineEdit(u"1"_s, group);
    m_inizio->setObjectName(u"txtInizio"_s);
    m_inizio->setMaxLength(5);
    m_inizio->setAlignment(Qt::AlignCenter);
    QFont bold = m_inizio->font();
    bold.setBold(true);
    m_inizio->setFont(bold);
    m_inizio->setFixedWidth(120);
    groupLayout->addWidget(m_inizio, 0, Qt::AlignHCenter);
    layout->addWidget(group);
    behaviour->addHighlight(m_inizio, u"Inizio"_s);
    behaviour->setTypingRules(m_inizio, DigitsOnly);
    m_inizio->installEventFilter(this);

    m_tipo =
        new QCheckBox(u"Indica l'anno solare dopo il numero progressivo del documento"_s, this);
    m_tipo->setObjectName(u"chkTipo"_s);
    layout->addWidget(m_tipo);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* annulla = new QPushButton(u"Annulla"_s, this);
    annulla->setObjectName(u"btnAnnulla"_s);
    connect(annulla, &QPushButton::clicked, this, &TfrmNumerazione::btnAnnullaClick);
    auto* applica = new QPushButton(u"Applica e chiudi"_s, this);
    applica->setObjectName(u"btnApplica"_s);
    connect(applica, &QPushButton::clicked, this, &TfrmNumerazione::btnApplicaClick);
    buttons->addWidget(annulla);
    buttons->addWidget(applica);
    layout->addLayout(buttons);
    // Enter in the start number moves to "Applica e chiudi".
    behaviour->setEnterNext(m_inizio, applica);

    m_memory = new QLabel(this);
    m_memory->setObjectName(u"lblMemory"_s);
    m_memory->hide();
    setFixedSize(sizeHint().expandedTo(QSize(460, 0)));
}

void TfrmNumerazione::setCallerTag(const QString& tag) {
    m_memory->setText(tag);
}
QString TfrmNumerazione::callerTag() const {
    return m_memory->text();
}

void TfrmNumerazione::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (underProtocolTag(callerTag())) {
        const protocol::NumberingSettings numbering =
            protocol::readNumbering(settings::IniFile(settings::programSettingsPath()));
        m_inizio->setText(numbering.start);
        m_tipo->setChecked(numbering.suffixOn());
    }
    m_inizio->setFocus(Qt::OtherFocusReason);
}

bool TfrmNumerazione::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_inizio && event->type() == QEvent::FocusOut) txtInizioExit();
    return QDialog::eventFilter(watched, event);
}

void TfrmNumerazione::txtInizioExit() {
    m_inizio->setText(protocol::normaliseStartNumber(m_inizio->text()));
}

void TfrmNumerazione::btnApplicaClick() {
    // The start number is normalised on leaving the field; a click that never moved the
    // focus must store the same value.
    txtInizioExit();
    if (underProtocolTag(callerTag())) {
        settings::IniFile ini(settings::programSettingsPath());
        // Settings that were not stored must not look applied: the screen stays open.
        if (const files::WriteResult written =
                protocol::writeNumbering(ini, m_inizio->text(), m_tipo->isChecked());
            !written) {
            msg::archiveAccessError(this, written.cause());
            return;
        }
    }
    accept();
}

void TfrmNumerazione::btnAnnullaClick() {
    reject();
}

} // namespace tavolex::ui
