#pragma once

#include "checkresult.h"

#include <QString>

namespace tavolex::checks {

inline constexpr int kPartitaIvaLength = 11;

// True for exactly 11 digits whose last is the check digit of the first ten.
bool partitaIvaValid(const QString& v);

// Name of the tax office with this three-digit code ("058" -> "Roma 1"); empty when the
// code is not in the table.
QString taxOfficeName(const QString& code);

struct PartitaIvaResult : CheckResult {
    QString officeCode; // characters 8 to 10 of a valid number
    QString officeName; // may be empty for a code outside the table
};

// "Controlla" of the VAT-number screen.
PartitaIvaResult checkPartitaIva(const QString& input);

} // namespace tavolex::checks
