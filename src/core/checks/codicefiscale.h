#pragma once

#include "checkresult.h"

#include <QChar>
#include <QString>
#include <optional>

namespace tavolex::checks {

// The check letter of a personal tax code computed from its first 15 characters.
// Only digits and A-Z have values; any other character (lower case included) gives
// no letter, so such a code can never be judged valid.
std::optional<QChar> codiceFiscaleCheckChar(const QString& first15);

// True when `code` has 16 characters and the 16th is the check letter of the first 15.
bool codiceFiscaleCheckCharMatches(const QString& code);

inline constexpr int kCodiceFiscaleLength = 16;

// "Controlla" of the tax-code screen: the input is upper-cased (a-z only) first.
CheckResult checkCodiceFiscale(const QString& input);

} // namespace tavolex::checks
