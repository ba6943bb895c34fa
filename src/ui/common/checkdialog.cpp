#include "checkdialog.h"

#include "behaviour.h"
#include "messages.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

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

} // namespace

CheckDialog::CheckDialog(CheckDialogDecl decl, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_check(std::move(decl.check)), m_limit(decl.field.limit) {
    setObjectName(decl.name);
    setWindowTitle(decl.caption);
    auto* title = new QLabel(decl.title, this);
    title->setObjectName(u"lblTitolo"_s);
    title->setWordWrap(true);

    m_field = new QLineEdit(this);
    m_field->setObjectName(decl.field.name);
    m_field->setMaxLength(m_limit);

    auto* check = new QPushButton(u"Controlla"_s, this);
    check->setObjectName(u"btnControlla"_s);
    connect(check, &QPushButton::clicked, this, &CheckDialog::btnControllaClick);
    auto* close = new QPushButton(u"Chiudi"_s, this);
    close->setObjectName(u"btnChiudi"_s);
    connect(close, &QPushButton::clicked, this, &CheckDialog::btnChiudiClick);

    // Laid out rather than placed, so larger fonts and screen scales still fit; the field
    // keeps room around it for its focus rectangle.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 12, 16, 12);
    column->setSpacing(10);
    column->addWidget(title);
    auto* fieldRow = new QHBoxLayout;
    fieldRow->setContentsMargins(4, 4, 4, 4);
    fieldRow->addWidget(m_field);
    column->addLayout(fieldRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(check);
    buttons->addWidget(close);
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(480);
    title->setMinimumWidth(448);
    column->activate();

    auto* behaviour = new ScreenBehaviour(this);
    // Placed at once: the rectangle is part of the form even before the field has the focus.
    QFrame* highlight = behaviour->addHighlight(m_field, decl.field.stem);
    highlight->setGeometry(m_field->geometry().adjusted(-4, -4, 4, 4));
    highlight->stackUnder(m_field);
    // Enter only moves on: the check runs when "Controlla" is pressed.
    behaviour->setEnterNext(m_field, check);
    if (decl.field.rules != NoRule) behaviour->setTypingRules(m_field, decl.field.rules);

    connect(m_field, &QLineEdit::textEdited, this, &CheckDialog::relaxLimit);
}

void CheckDialog::setInput(const QString& value) {
    m_field->setMaxLength(qMax(m_limit, static_cast<int>(value.size())));
    m_field->setText(value);
}

QString CheckDialog::input() const {
    return m_field->text();
}

void CheckDialog::btnControllaClick() {
    const checks::CheckResult r = m_check(m_field->text());
    showCheckMessage(this, r);
    if (r.keepsOpen()) {
        m_field->setFocus();
        return;
    }
    accept();
}

void CheckDialog::btnChiudiClick() {
    reject();
}

void CheckDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    m_field->setFocus();
}

// An over-long value from a caller can only be shortened: the limit follows it back down.
void CheckDialog::relaxLimit() {
    const int wanted = qMax(m_limit, static_cast<int>(m_field->text().size()));
    if (m_field->maxLength() == wanted) return;
    const int cursor = m_field->cursorPosition();
    m_field->setMaxLength(wanted);
    m_field->setCursorPosition(cursor);
}

} // namespace tavolex::ui
