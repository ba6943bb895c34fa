#include "TfrmPassword.h"

#include "programfolder.h"
#include "security/passwordstore.h"
#include "text/casing.h"
#include "ui/common/artwork.h"
#include "ui/common/behaviour.h"
#include "ui/common/listscreen.h"
#include "ui/common/messages.h"
#include "ui/common/screens.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmPassword::TfrmPassword(QWidget* parent) : QWidget(parent) {
    setObjectName(u"TfrmPassword"_s);
    setWindowTitle(u" Tavolex - Autenticazione"_s);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* behaviour = new ScreenBehaviour(this);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(20, 16, 20, 16);
    auto* logo = new QLabel(this);
    logo->setPixmap(logoPixmap(QSize(240, 60)));
    grid->addWidget(logo, 0, 0, 1, 3, Qt::AlignCenter);
    auto* prompt = new QLabel(u"Immetti la password e premi OK."_s, this);
    prompt->setObjectName(u"lblRigo05"_s);
    grid->addWidget(prompt, 1, 0, 1, 3);
    m_password = new QLineEdit(this);
    m_password->setObjectName(u"txtPassword"_s);
    m_password->setEchoMode(QLineEdit::Password);
    grid->addWidget(m_password, 2, 0, 1, 3);
    behaviour->addHighlight(m_password, u"Password"_s);
    m_password->installEventFilter(this);
    connect(m_password, &QLineEdit::textChanged, this, &TfrmPassword::updateOk);

    m_ok = new QPushButton(u"OK"_s, this);
    m_ok->setObjectName(u"cmdOK"_s);
    m_ok->setEnabled(false);
    connect(m_ok, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    auto* exit = new QPushButton(u"Esci"_s, this);
    exit->setObjectName(u"cmdEsci"_s);
    connect(exit, &QPushButton::clicked, this, &TfrmPassword::cmdEsciClick);
    auto* change = new QPushButton(u"Cambia password"_s, this);
    change->setObjectName(u"btnCambiaPassword"_s);
    connect(change, &QPushButton::clicked, this, &TfrmPassword::btnCambiaPasswordClick);
    grid->addWidget(change, 3, 0);
    grid->addWidget(m_ok, 3, 1);
    grid->addWidget(exit, 3, 2);

    m_memory = new QLabel(this);
    m_memory->setObjectName(u"lblMemory"_s);
    m_memory->hide();
    setFixedSize(380, 190);
}

void TfrmPassword::updateOk() {
    m_ok->setEnabled(!text::trimmed(m_password->text()).isEmpty());
}

bool TfrmPassword::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_password && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (!text::trimmed(m_password->text()).isEmpty()) cmdOKClick();
            return true;
        }
    }
    if (watched == m_password && event->type() == QEvent::KeyRelease) updateOk();
    return QWidget::eventFilter(watched, event);
}

void TfrmPassword::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Centred by the program itself: without a window manager it would open at the corner.
    if (!event->spontaneous()) centreOnScreen(this);
    m_password->setFocus();
}

void TfrmPassword::closeEvent(QCloseEvent* event) {
    // Closing the password screen before logging in ends the program.
    QWidget::closeEvent(event);
    QApplication::quit();
}

void TfrmPassword::cmdOKClick() {
    security::PasswordStore store(programPath(u"unins000.dll"_s));
    switch (store.login(m_password->text())) {
    case security::PasswordStore::Login::Accepted:
        m_memory->clear();
        Screens::show(u"TfrmAvvio"_s);
        hide();
        return;
    case security::PasswordStore::Login::ReadError:
        msg::plain(
            this,
            u"Attenzione: si \u00E8 verificato un errore durante la procedura di lettura della "
            u"password. Si consiglia di reinstallare il software."_s);
        return;
    case security::PasswordStore::Login::Wrong:
        msg::plain(this, u"Attenzione: password errata."_s);
        m_password->clear();
        m_password->setFocus();
        return;
    }
}

void TfrmPassword::cmdEsciClick() {
    close();
    QApplication::quit();
}

void TfrmPassword::btnCambiaPasswordClick() {
    Screens::show(u"TfrmCambiaPassword"_s);
    hide();
}

void TfrmPassword::resetAndFocus() {
    m_password->clear();
    m_memory->clear();
    show();
    activateWindow();
    m_password->setFocus();
}

} // namespace tavolex::ui
