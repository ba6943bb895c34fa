#pragma once

#include "amount.h"

#include <QString>

namespace tavolex::money {

// The amount of a movement as the card writes it when the field is left and at Save: rounded
// half up to two decimals, always with "," and exactly two decimals ("5" → "5,00",
// "0,125" → "0,13", ",5" → "0,50"). Empty, blank or not a number ("," or "1,2,3") gives
// "0,00". The program writes at most 15 significant digits, so longer values lose their last
// digits (half away from zero) but never turn into an exponent.
QString normalisedMovementAmount(const QString& text);

// The amount of a deadline: rounded half up to four decimals, then its shortest form, padded
// to at least two decimals ("12" → "12,00", "0,123" stays, "7,12345" → "7,1235"). Empty or not
// a number gives "0,00"; 15 significant digits at most, as above.
QString normalisedDeadlineAmount(const QString& text);

// A total of the cash book as shown: the exact sum in its shortest form with at least two
// decimals ("1500,00", "-12,50", "0,00"). Nothing is rounded and every digit is kept.
QString totalText(const Amount& total);

} // namespace tavolex::money
