#include "fieldforms.h"

#include "money/amount.h"
#include "text/casing.h"

#include <algorithm>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

QString amountFormFault(const QString& text, int capacity) {
    const QString trimmed = text::trimmed(text);
    if (trimmed.isEmpty()) return {};
    const std::optional<money::Amount> amount = money::parseAmount(trimmed);
    if (amount && !amount->isNegative() && trimmed.size() > capacity)
        return u"Attenzione: l'importo indicato \u00E8 troppo grande per essere salvato in "
               u"archivio."_s;
    if (amount && !amount->isNegative()) return {};
    return u"Attenzione: l'importo indicato non \u00E8 valido.\n\r\n\r"
           u"Indicare l'importo con le sole cifre e la virgola dei decimali (per esempio "
           u"1234,50)."_s;
}

QString digitsFormFault(const QString& text, const QString& caption) {
    const QString trimmed = text::trimmed(text);
    if (std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return {};
    QString name = text::trimmed(caption);
    if (name.endsWith(u':')) name.chop(1);
    return u"Attenzione: il campo \""_s + name + u"\" pu\u00F2 contenere soltanto cifre."_s;
}

} // namespace tavolex::ui
