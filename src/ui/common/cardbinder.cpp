#include "cardbinder.h"

#include "behaviour.h"
#include "cardform.h"
#include "dates/datetext.h"
#include "fieldforms.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QMetaProperty>

namespace tavolex::ui {

namespace {

QString boundText(const QWidget* control) {
    if (!control) return {};
    const QMetaProperty user = control->metaObject()->userProperty();
    const QVariant value = user.isValid() ? user.read(control) : control->property("text");
    if (value.typeId() == QMetaType::Bool)
        return QString::fromUtf16(value.toBool() ? records::kYes : records::kNo);
    return value.toString();
}

// A line shows every loaded text from its first character (setControlText).
void setBoundText(QWidget* control, const QString& value) {
    if (!control) return;
    const QMetaProperty user = control->metaObject()->userProperty();
    if (user.isValid() && user.typeId() == QMetaType::Bool) {
        if (const auto flag = records::flagValue(value)) user.write(control, *flag);
        return;
    }
    setControlText(control, value);
}

void checkCaption(QButtonGroup* group, const QString& caption) {
    for (QAbstractButton* button : group->buttons()) {
        if (button->text() == caption) {
            button->setChecked(true);
            return;
        }
    }
}

// An exclusive group never lets its last checked button go: it is opened for the change.
template <typename Change> void changeFreely(QButtonGroup* group, Change change) {
    group->setExclusive(false);
    change();
    group->setExclusive(true);
}

} // namespace

CardBinder::CardBinder(const RecordCardDecl& decl, const CardForm& form)
    : m_decl(decl), m_form(form) {}

QString CardBinder::text(const QString& control) const {
    if (QButtonGroup* group = m_form.choice(control))
        return group->checkedButton() ? group->checkedButton()->text() : QString();
    return boundText(m_form.control(control));
}

void CardBinder::setText(const QString& control, const QString& value) {
    if (QButtonGroup* group = m_form.choice(control))
        checkCaption(group, value);
    else
        setBoundText(m_form.control(control), value);
}

void CardBinder::clearPickSelections() {
    for (const CardField& field : m_decl.fields) {
        auto* pick = qobject_cast<QComboBox*>(m_form.control(field.control));
        if (field.kind != FieldKind::Pick || !pick) continue;
        const QString shown = pick->currentText();
        pick->setCurrentIndex(-1);
        pick->setEditText(shown);
    }
}

void CardBinder::storeInto(records::Record& record) const {
    for (const CardField& field : m_decl.fields) {
        if (field.kind == FieldKind::Choice) {
            for (const ChoiceOption& option : field.options)
                if (!option.field.isEmpty())
                    record.setText(option.field, boundText(m_form.control(option.control)));
        }
        if (!field.field.isEmpty()) record.setText(field.field, text(field.control));
    }
}

void CardBinder::loadFrom(const records::Record& record) {
    for (const CardField& field : m_decl.fields) {
        if (field.kind == FieldKind::Choice && !field.options.value(0).field.isEmpty()) {
            // Each flag checks or unchecks its button ("No" on every flag leaves none checked);
            // a damaged flag leaves its button as it was.
            changeFreely(m_form.choice(field.control), [&] {
                for (const ChoiceOption& option : field.options)
                    setBoundText(m_form.control(option.control), record.text(option.field));
            });
        }
        if (!field.field.isEmpty()) setText(field.control, record.text(field.field));
    }
}

// Controls bound to a field; unbound hidden labels hold the card's own state.
void CardBinder::clear() {
    for (const CardField& field : m_decl.fields) {
        if (field.kept) continue;
        QWidget* control = m_form.control(field.control);
        if (QButtonGroup* group = m_form.choice(field.control)) {
            changeFreely(group, [group] {
                for (QAbstractButton* button : group->buttons())
                    button->setChecked(false);
            });
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            combo->setCurrentIndex(-1);
            setControlText(combo, field.initial);
        } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
            check->setChecked(false);
        } else if (!field.field.isEmpty()) {
            setBoundText(control, field.initial);
        }
        if (!field.initial.isEmpty()) setText(field.control, field.initial);
    }
}

void CardBinder::fillToday(bool onShow, const QDate& today) {
    for (const CardField& field : m_decl.fields)
        if (field.today == FillToday::OnShowAndNew || (!onShow && field.today == FillToday::OnNew))
            setText(field.control, dates::formatDate(today));
}

// The forms the typing rules promise, checked before the card's own checks normalise them.
std::optional<CardBinder::FormFault> CardBinder::typedFormFault() const {
    for (const CardField& field : m_decl.fields) {
        const QString fault =
            field.kind == FieldKind::Amount
                ? amountFormFault(text(field.control), boundCapacity(m_decl, field))
            : (field.rules & CountDigits) == CountDigits
                ? digitsFormFault(text(field.control), field.label)
                : QString();
        if (!fault.isEmpty()) return FormFault{field.control, fault};
    }
    return std::nullopt;
}

} // namespace tavolex::ui
