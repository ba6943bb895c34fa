#include "codicefiscale.h"

#include "text/casing.h"

#include <array>

namespace tavolex::checks {

using namespace Qt::Literals::StringLiterals;

namespace {

// Values of a character in an odd (1st, 3rd, ...) position. A digit is worth the same
// as the letter at its index (0 as A, 1 as B, ...).
constexpr std::array<int, 26> kOddValues = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                            20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};

// Index of a character in the tables (0-9 for digits, 0-25 for A-Z), none otherwise.
std::optional<int> tableIndex(QChar ch) {
    if (ch >= u'0' && ch <= u'9') return ch.unicode() - u'0';
    if (ch >= u'A' && ch <= u'Z') return ch.unicode() - u'A';
    return std::nullopt;
}

} // namespace

std::optional<QChar> codiceFiscaleCheckChar(const QString& first15) {
    if (first15.size() != kCodiceFiscaleLength - 1) return std::nullopt;
    int sum = 0;
    for (qsizetype i = 0; i < first15.size(); ++i) {
        const std::optional<int> index = tableIndex(first15[i]);
        if (!index) return std::nullopt;
        // Position i + 1 is odd when i is even; in even positions the value is the index.
        sum += (i % 2 == 0) ? kOddValues[static_cast<std::size_t>(*index)] : *index;
    }
    return QChar(u'A' + sum % 26);
}

bool codiceFiscaleCheckCharMatches(const QString& code) {
    if (code.size() != kCodiceFiscaleLength) return false;
    const std::optional<QChar> expected = codiceFiscaleCheckChar(code.first(15));
    return expected && *expected == code[15];
}

CheckResult checkCodiceFiscale(const QString& input) {
    const QString code = tavolex::text::upperAZ(input);
    if (code.size() != kCodiceFiscaleLength)
        return {
            Verdict::BadInput, MessageKind::Warning,
            u"Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."_s};
    if (codiceFiscaleCheckCharMatches(code))
        return {Verdict::Valid, MessageKind::Information,
                u"Il codice fiscale digitato è VALIDO."_s};
    return {Verdict::Wrong, MessageKind::Warning,
            u"Attenzione: il codice fiscale digitato è ERRATO."_s};
}

} // namespace tavolex::checks
