#pragma once

#include "amount.h"

#include <QString>

namespace tavolex::money {

// A movement's signed amount is stored as "+12,50" (income) or "-1234,00" (expense); a
// damaged record may carry neither sign.
enum class Kind { Income, Expense, Neither };
Kind kindOf(const QString& signedAmount); // by its first character after the blanks

// The three running totals of the cash book, exact to the last digit. Expenses add up to a
// negative total; the balance takes every amount, also one with neither sign.
class Totals {
public:
    // False, with the totals unchanged, when the text is not an amount or a total would leave
    // the exact range (then the sums cannot be shown truthfully).
    bool add(const QString& signedAmount);

    const Amount& income() const { return m_income; }
    const Amount& expenses() const { return m_expenses; }
    const Amount& balance() const { return m_balance; }

private:
    Amount m_income;
    Amount m_expenses;
    Amount m_balance;
};

} // namespace tavolex::money
