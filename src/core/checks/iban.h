#pragma once

#include "checkresult.h"

#include <QString>

namespace tavolex::checks {

inline constexpr int kIbanLength = 27;

// Remainder modulo 97 of an IBAN read as a number: blanks removed, upper-cased, the first
// "IBAN" dropped, the first four characters moved to the end and every letter A-Z
// replaced by 10-35. An IBAN is valid when this is 1. Any other character (punctuation,
// accented letters) gives 0, as does an empty text.
int ibanRemainder(const QString& t);

// "Controlla" of the IBAN screen: only a 27-character (trimmed) input is judged.
CheckResult checkIban(const QString& input);

} // namespace tavolex::checks
