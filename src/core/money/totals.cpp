#include "totals.h"

#include "text/casing.h"

namespace tavolex::money {

Kind kindOf(const QString& signedAmount) {
    const QString trimmed = text::trimmed(signedAmount);
    if (trimmed.startsWith(u'+')) return Kind::Income;
    if (trimmed.startsWith(u'-')) return Kind::Expense;
    return Kind::Neither;
}

bool Totals::add(const QString& signedAmount) {
    const std::optional<Amount> amount = parseAmount(signedAmount);
    if (!amount) return false;
    const Kind kind = kindOf(signedAmount);
    // Every sum is worked out before any is kept, so a refused amount leaves all three alone.
    const std::optional<Amount> balance = m_balance.plus(*amount);
    std::optional<Amount> income = m_income;
    std::optional<Amount> expenses = m_expenses;
    if (kind == Kind::Income) income = m_income.plus(*amount);
    if (kind == Kind::Expense) expenses = m_expenses.plus(*amount);
    if (!balance || !income || !expenses) return false;
    m_balance = *balance;
    m_income = *income;
    m_expenses = *expenses;
    return true;
}

} // namespace tavolex::money
