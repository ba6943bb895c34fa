#include "carta.h"

#include "text/casing.h"

#include <QStringView>
#include <array>

namespace tavolex::checks {

using namespace Qt::Literals::StringLiterals;

namespace {

// Only this many leading characters of a card number are looked at.
constexpr qsizetype kCardPrefix = 20;

struct Network {
    int code;         // cardCheck() result: first digit - 2
    QStringView lead; // first two characters, or empty for any
    QStringView name;
};

constexpr std::array<Network, 11> kNetworks = {{
    {1, u"30", u"Diner's Club / Carte Blanche"},
    {1, u"36", u"Diner's Club / Carte Blanche"},
    {1, u"38", u"Diner's Club / Carte Blanche"},
    {1, u"34", u"American Express"},
    {1, u"37", u"American Express"},
    {1, u"31", u"JCB"},
    {1, u"33", u"JCB"},
    {1, u"35", u"JCB"},
    {2, {}, u"Visa"},
    {3, {}, u"MasterCard"},
    {4, {}, u"Discover"},
}};

QString wrongText() {
    return u"Attenzione: il numero digitato risulta ERRATO!\r\n\r\n"
           u"Non è quindi possibile fornire informazioni relative al tipo di carta di credito."_s;
}

} // namespace

int cardCheck(const QString& n) {
    QString d;
    for (QChar ch : n.left(kCardPrefix))
        if (ch >= u'0' && ch <= u'9') d += ch;
    if (d.isEmpty()) return 0;
    int sum = 0;
    bool doubled = true; // the second-to-last digit is doubled, then every other one
    for (qsizetype i = d.size() - 2; i >= 0; --i, doubled = !doubled) {
        int value = d[i].unicode() - u'0';
        if (doubled) {
            value *= 2;
            if (value >= 10) value -= 9;
        }
        sum += value;
    }
    const int check = (sum % 10 == 0) ? 0 : 10 - sum % 10;
    if (d.back().unicode() - u'0' != check) return 0;
    return (d.front().unicode() - u'0') - 2;
}

QString cardNetwork(int code, const QString& number) {
    for (const Network& n : kNetworks)
        if (n.code == code && (n.lead.isEmpty() || number.startsWith(n.lead)))
            return n.name.toString();
    return {};
}

CartaResult checkCarta(const QString& input) {
    const QString number = tavolex::text::trimmed(input);
    CartaResult r;
    if (number.isEmpty()) {
        r.verdict = Verdict::BadInput;
        r.kind = MessageKind::Warning;
        r.message = u"Attenzione: immettere il numero di carta di credito prima di premere il "
                    u"pulsante di controllo."_s;
        return r;
    }
    r.code = cardCheck(input);
    if (r.code < 1 || r.code > 4) {
        r.verdict = Verdict::Wrong;
        r.kind = MessageKind::Warning;
        r.message = wrongText();
        return r;
    }
    r.verdict = Verdict::Valid;
    r.network = cardNetwork(r.code, number);
    if (r.network.isEmpty())
        return r; // a valid number of an unknown network beginning with 3: no message
    r.kind = MessageKind::Information;
    r.message = u"Il numero di carta di credito "_s + number +
                u" risulta valido.\r\n\r\nLa carta di credito è del tipo "_s + r.network + u'.';
    return r;
}

} // namespace tavolex::checks
