#include "TfrmIban.h"

#include "core/checks/iban.h"
#include "core/text/casing.h"
#include "ui/common/messages.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kInputLimit = 27; // characters the user can type

// A caller's value is shown whole even when longer than the typing limit, so the check
// judges what the card holds rather than a cut copy; typing can then only shorten it.
void setWhole(QLineEdit* field, const QString& value) {
    field->setMaxLength(qMax(kInputLimit, static_cast<int>(value.size())));
    field->setText(value);
}

// Lowers the limit back towards kInputLimit as an over-long value is shortened.
void relaxLimit(QLineEdit* field) {
    const int wanted = qMax(kInputLimit, static_cast<int>(field->text().size()));
    if (field->maxLength() == wanted) return;
    const int cursor = field->cursorPosition();
    field->setMaxLength(wanted);
    field->setCursorPosition(cursor);
}

void showCheckMessage(QWidget* parent, const checks::CheckResult& r) {
    switch (r.kind) {
    case checks::MessageKind::Warning:
        msg::warning(parent, r.message);
        break;
    case checks::MessageKind::Information:
        msg::information(parent, r.message);
        break;
    case checks::MessageKind::None:
        break;
    }
}

// Trimmed and upper-cased (a-z only), keeping the cursor on the same character.
void trimAndUpper(QLineEdit* field) {
    const QString text = field->text();
    const QString fixed = text::upperAZ(text::trimmed(text));
    if (fixed == text) return;
    qsizetype lead = 0; // blanks and control characters dropped in front of the cursor
    while (lead < text.size() && text[lead].unicode() <= 32)
        ++lead;
    const qsizetype cursor = field->cursorPosition() - lead;
    field->setText(fixed);
    field->setCursorPosition(static_cast<int>(qBound<qsizetype>(0, cursor, fixed.size())));
}

} // namespace

TfrmIban::TfrmIban(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(u"TfrmIban"_s);
    setWindowTitle(u" Controllo IBAN"_s);
    setFixedSize(480, 140);

    m_title = new QLabel(u"Immettere l'IBAN e premere il pulsante di controllo."_s, this);
    m_title->setObjectName(u"lblTitolo"_s);
    m_title->setWordWrap(true);
    m_title->setGeometry(16, 12, 448, 32);

    const QRect fieldRect(20, 56, 440, 24);
    // Created before the field so that it lies behind it.
    m_highlight = new QFrame(this);
    m_highlight->setObjectName(u"effIban"_s);
    m_highlight->setStyleSheet(
        u"QFrame#effIban { background-color: #ffff00; border: 2px solid "
        u"qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffff00, stop:1 #ffffff); }"_s);
    m_highlight->setGeometry(fieldRect.adjusted(-4, -4, 4, 4));
    m_highlight->hide();

    m_field = new QLineEdit(this);
    m_field->setObjectName(u"txtIban"_s);
    m_field->setMaxLength(kInputLimit);
    m_field->setGeometry(fieldRect);
    m_field->installEventFilter(this);
    connect(m_field, &QLineEdit::textEdited, this, &TfrmIban::applyTypingRule);
    connect(m_field, &QLineEdit::textEdited, this, [this] { relaxLimit(m_field); });

    m_check = new QPushButton(u"Controlla"_s, this);
    m_check->setObjectName(u"btnControlla"_s);
    m_check->setGeometry(272, 98, 92, 28);
    connect(m_check, &QPushButton::clicked, this, &TfrmIban::btnControllaClick);

    m_close = new QPushButton(u"Chiudi"_s, this);
    m_close->setObjectName(u"btnChiudi"_s);
    m_close->setGeometry(372, 98, 92, 28);
    connect(m_close, &QPushButton::clicked, this, &TfrmIban::btnChiudiClick);
}

void TfrmIban::setInput(const QString& iban) {
    setWhole(m_field, iban);
}

QString TfrmIban::input() const {
    return m_field->text();
}

void TfrmIban::btnControllaClick() {
    const checks::CheckResult r = checks::checkIban(m_field->text());
    showCheckMessage(this, r);
    if (r.keepsOpen()) {
        m_field->setFocus();
        return;
    }
    accept();
}

void TfrmIban::btnChiudiClick() {
    reject();
}

void TfrmIban::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    m_field->setFocus();
}

bool TfrmIban::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_field) return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        m_highlight->show();
        break;
    case QEvent::FocusOut:
        m_highlight->hide();
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter only moves on: the check runs when "Controlla" is pressed.
            m_check->setFocus();
            return true;
        }
        break;
    }
    case QEvent::KeyRelease:
        applyTypingRule();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmIban::applyTypingRule() {
    trimAndUpper(m_field);
}

} // namespace tavolex::ui
