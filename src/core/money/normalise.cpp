#include "normalise.h"

namespace tavolex::money {

using namespace Qt::Literals::StringLiterals;

namespace {

// The program writes numbers with up to 15 significant digits.
constexpr int kWrittenDigits = 15;
// Whatever the rounding, an amount field always shows at least two decimals.
constexpr int kShownDecimals = 2;

QString normalised(const QString& text, int places) {
    const std::optional<Amount> parsed = parseAmount(text);
    if (!parsed) return u"0,00"_s;
    const std::optional<Amount> written =
        parsed->roundedTo(places).roundedToSignificant(kWrittenDigits);
    // A parsed amount is far too small for its carry to leave the range.
    if (!written) return u"0,00"_s;
    return written->toText(kShownDecimals);
}

} // namespace

QString normalisedMovementAmount(const QString& text) {
    return normalised(text, 2);
}

QString normalisedDeadlineAmount(const QString& text) {
    return normalised(text, 4);
}

QString totalText(const Amount& total) {
    return total.toText(kShownDecimals);
}

} // namespace tavolex::money
