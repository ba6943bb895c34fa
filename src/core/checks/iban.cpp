#include "iban.h"

#include "text/casing.h"

namespace tavolex::checks {

using namespace Qt::Literals::StringLiterals;

namespace {

// The digit string of an IBAN rearranged for the modulo: letters become two digits each.
// Characters other than digits and A-Z are kept as they are; they fail the modulo.
QString ibanDigits(const QString& t) {
    QString s = tavolex::text::upperAZ(t);
    s.remove(u' ');
    const qsizetype prefix = s.indexOf(u"IBAN"_s);
    if (prefix >= 0) s.remove(prefix, 4);
    s = s.mid(4) + s.left(4);
    QString digits;
    digits.reserve(2 * s.size());
    for (QChar ch : s) {
        if (ch >= u'A' && ch <= u'Z')
            digits += QString::number(ch.unicode() - u'A' + 10);
        else
            digits += ch;
    }
    return digits;
}

} // namespace

int ibanRemainder(const QString& t) {
    const QString digits = ibanDigits(t);
    // Folding digit by digit gives the same remainder as reading the string in pieces of
    // at most nine digits, and never leaves the range of an int.
    int r = 0;
    for (QChar ch : digits) {
        if (ch < u'0' || ch > u'9') return 0;
        r = (r * 10 + (ch.unicode() - u'0')) % 97;
    }
    return r;
}

CheckResult checkIban(const QString& input) {
    const QString t = tavolex::text::trimmed(input);
    if (t.size() != kIbanLength)
        return {Verdict::BadInput, MessageKind::Warning,
                u"Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici."_s};
    if (ibanRemainder(t) == 1)
        return {Verdict::Valid, MessageKind::Information, u"L'IBAN digitato è VALIDO."_s};
    return {Verdict::Wrong, MessageKind::Warning, u"Attenzione: l'IBAN digitato è ERRATO!"_s};
}

} // namespace tavolex::checks
