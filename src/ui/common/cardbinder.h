#pragma once

#include "carddecl.h"
#include "records/record.h"

#include <QDate>
#include <QString>

namespace tavolex::ui {

class CardForm;

// Binds the controls of a card form to the fields of its record, as QDataWidgetMapper binds
// them: through each widget's user property (QLineEdit::text, QComboBox::currentText,
// QAbstractButton::checked); a label, which has none, binds its text. A check box stores the
// flag "Sì" or "No"; a Choice stores the caption checked in its one field, or a flag per
// button. Needs no window: the form's widgets are enough, shown or not.
class CardBinder {
public:
    // Both must outlive the binder; the form's controls are looked up at each call.
    CardBinder(const RecordCardDecl& decl, const CardForm& form);

    // A control's text as stored: the text, "Sì"/"No" for a check box, the checked caption
    // of a Choice (empty when none is).
    QString text(const QString& control) const;
    // A stored text back into a control. A flag other than "Sì" or "No" leaves a check box as
    // it was; a text that is none of a Choice's captions leaves its buttons as they were.
    void setText(const QString& control, const QString& value);

    void storeInto(records::Record& record) const;
    void loadFrom(const records::Record& record);

    // Empties every field, check box, choice and hidden label and sets each field's initial
    // text; kept fields keep theirs.
    void clear();
    // Writes `today` (dd/mm/yyyy) into the fields declared to receive it: on showing the card
    // (`onShow`) only those filled at every showing, otherwise at New too.
    void fillToday(bool onShow, const QDate& today);

    // Every Pick keeps its text with nothing selected in its list, as Save and Duplicate leave
    // it: what it shows is then the stored text, not a place in the list.
    void clearPickSelections();

    // The first control whose typed text breaks the form its rules promise (an amount, a
    // count of digits), with the warning to give; empty when every field holds.
    struct FormFault {
        QString control;
        QString message;
    };
    std::optional<FormFault> typedFormFault() const;

private:
    const RecordCardDecl& m_decl;
    const CardForm& m_form;
};

} // namespace tavolex::ui
