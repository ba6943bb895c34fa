#pragma once

#include "checkresult.h"

#include <QString>

namespace tavolex::checks {

// Luhn check of a card number: the digits among the first 20 characters of `n` are
// tested; returns 0 for a wrong (or empty) number, otherwise the first digit minus 2.
int cardCheck(const QString& n);

// The network shown for a valid card: by the code of cardCheck and, for code 1 (numbers
// beginning with 3), by the first two characters of the number. Empty when none.
QString cardNetwork(int code, const QString& number);

struct CartaResult : CheckResult {
    int code = 0;    // cardCheck() of the input
    QString network; // empty unless a network is shown
};

// "Controlla" of the card screen. A valid number beginning with 3 whose network is not
// known closes the screen without any message (kind None).
CartaResult checkCarta(const QString& input);

} // namespace tavolex::checks
