#pragma once

#include <QString>

namespace tavolex::ui {

// What Save checks again of a field with typing rules, whatever way its text came in (typed,
// pasted, loaded from a damaged record): an amount must be a number, and not a negative one,
// before it is normalised; a count of days must hold digits only. Empty when the text is
// sound (an empty field is the required checks' business); otherwise the warning to show.
// `caption` is the field's caption, as "Avvisa n." or "Partita IVA:".
// An amount longer than `capacity`, the characters its record field holds, is refused too.
QString amountFormFault(const QString& text, int capacity);
QString digitsFormFault(const QString& text, const QString& caption);

} // namespace tavolex::ui
