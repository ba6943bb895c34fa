#include "TfrmCambiaPassword.h"

#include "programfolder.h"
#include "security/passwordstore.h"
#include "text/casing.h"
#include "ui/common/behaviour.h"
#include "ui/common/listscreen.h"
#include "ui/common/messages.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmCambiaPassword::TfrmCambiaPassword(QWidget* parent) : QWidget(parent) {
    setObjectName(u"TfrmCambiaPassword"_s);
    setWindowTitle(u" Cambia password"_s);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* behaviour = new ScreenBehaviour(this);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto field = [&](const QString& name, const QString& stem, const QString& label) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setEchoMode(QLineEdit::Password);
        form->addRow(label, edit);
        behaviour->addHighlight(edit, stem);
        connect(edit, &QLineEdit::textChanged, this, &TfrmCambiaPassword::updateOk);
        edit->installEventFilter(this);
        return edit;
    };
    m_old = field(u"txtPasswordOld"_s, u"PasswordOld"_s, u"Vecchia password:"_s);
    m_new = field(u"txtPasswordNew"_s, u"PasswordNew"_s, u"Nuova password:"_s);
    m_confirm = field(u"txtConferma"_s, u"Conferma"_s, u"Conferma nuova password:"_s);
    behaviour->setEnterNext(m_old, m_new);
    behaviour->setEnterNext(m_new, m_confirm);
    behaviour->setEnterNext(m_confirm, m_old);
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_ok = new QPushButton(u"OK"_s, this);
    m_ok->setObjectName(u"cmdOK"_s);
    m_ok->setEnabled(false);
    connect(m_ok, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    auto* close = new QPushButton(u"Chiudi"_s, this);
    close->setObjectName(u"cmdEsci"_s);
    connect(close, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdEsciClick);
    buttons->addWidget(m_ok);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    m_memory = new QLabel(this);
    m_memory->setObjectName(u"lblMemory"_s);
    m_memory->hide();
    setFixedSize(420, 170);
}

void TfrmCambiaPassword::updateOk() {
    m_ok->setEnabled(!text::trimmed(m_old->text()).isEmpty() &&
                     !text::trimmed(m_new->text()).isEmpty() &&
                     !text::trimmed(m_confirm->text()).isEmpty());
}

bool TfrmCambiaPassword::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) updateOk();
    return QWidget::eventFilter(watched, event);
}

void TfrmCambiaPassword::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Centred by the program itself: without a window manager it would open at the corner.
    if (!event->spontaneous()) centreOnScreen(this);
    m_old->clear();
    m_new->clear();
    m_confirm->clear();
    m_memory->clear();
    m_old->setFocus();
}

void TfrmCambiaPassword::closeEvent(QCloseEvent* event) {
    event->accept();
    m_memory->clear();
    Q_EMIT finished();
}

void TfrmCambiaPassword::cmdEsciClick() {
    close();
}

void TfrmCambiaPassword::cmdOKClick() {
    security::PasswordStore store(programPath(u"unins000.dll"_s));
    switch (store.change(m_old->text(), m_new->text(), m_confirm->text())) {
    case security::PasswordStore::Change::Done:
        msg::plain(this, u"Modifica della password completata con successo."_s);
        close();
        return;
    case security::PasswordStore::Change::WrongOld:
        msg::plain(this, u"Attenzione: vecchia password errata."_s);
        m_old->clear();
        m_old->setFocus();
        return;
    case security::PasswordStore::Change::NotConfirmed:
        msg::plain(this, u"Attenzione: la nuova password non \u00E8 stata confermata "
                         u"correttamente. E' necessario "
                         u"reinserire entrambi i valori."_s);
        break;
    case security::PasswordStore::Change::NotStorable:
        msg::plain(
            this,
            u"Attenzione: la nuova password non pu\u00F2 essere memorizzata. Usare al massimo 255 "
            u"caratteri, scelti tra lettere, cifre e segni di punteggiatura."_s);
        break;
    case security::PasswordStore::Change::Error:
        msg::plain(
            this,
            u"Attenzione: si \u00E8 verificato un errore durante la procedura di modifica della "
            u"password. Si consiglia di reinstallare il software."_s);
        return;
    }
    m_new->clear();
    m_confirm->clear();
    m_new->setFocus();
}

} // namespace tavolex::ui
