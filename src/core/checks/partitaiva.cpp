#include "partitaiva.h"

#include "text/casing.h"

#include <QStringView>
#include <algorithm>
#include <array>

namespace tavolex::checks {

using namespace Qt::Literals::StringLiterals;

namespace {

struct TaxOffice {
    int code;
    QStringView name;
};

// The offices that issue VAT numbers, by the code in characters 8 to 10.
constexpr std::array<TaxOffice, 104> kTaxOffices = {{
    {1, u"Torino"},
    {2, u"Vercelli"},
    {3, u"Novara"},
    {4, u"Cuneo"},
    {5, u"Asti"},
    {6, u"Alessandria"},
    {7, u"Aosta"},
    {8, u"Imperia"},
    {9, u"Savona"},
    {10, u"Genova 1"},
    {11, u"La Spezia"},
    {12, u"Varese"},
    {13, u"Como"},
    {14, u"Sondrio"},
    {15, u"Milano 1"},
    {16, u"Bergamo"},
    {17, u"Brescia 1"},
    {18, u"Pavia"},
    {19, u"Cremona"},
    {20, u"Mantova"},
    {21, u"Bolzano"},
    {22, u"Trento"},
    {23, u"Verona"},
    {24, u"Vicenza"},
    {25, u"Belluno"},
    {26, u"Treviso"},
    {27, u"Venezia"},
    {28, u"Padova"},
    {29, u"Rovigo"},
    {30, u"Udine"},
    {31, u"Gorizia"},
    {32, u"Trieste"},
    {33, u"Piacenza"},
    {34, u"Parma"},
    {35, u"Reggio Emilia"},
    {36, u"Modena"},
    {37, u"Bologna 1"},
    {38, u"Ferrara"},
    {39, u"Ravenna"},
    {40, u"Forlì"},
    {41, u"Pesaro"},
    {42, u"Ancona"},
    {43, u"Macerata"},
    {44, u"Ascoli Piceno"},
    {45, u"Massa Carrara"},
    {46, u"Lucca"},
    {47, u"Pistoia"},
    {48, u"Firenze 1"},
    {49, u"Livorno"},
    {50, u"Pisa"},
    {51, u"Arezzo"},
    {52, u"Siena"},
    {53, u"Grosseto"},
    {54, u"Perugia"},
    {55, u"Terni"},
    {56, u"Viterbo"},
    {57, u"Rieti"},
    {58, u"Roma 1"},
    {59, u"Latina"},
    {60, u"Frosinone"},
    {61, u"Caserta"},
    {62, u"Benevento"},
    {63, u"Napoli 1"},
    {64, u"Avellino"},
    {65, u"Salerno"},
    {66, u"Aquila"},
    {67, u"Teramo"},
    {68, u"Pescara"},
    {69, u"Chieti"},
    {70, u"Campobasso"},
    {71, u"Foggia"},
    {72, u"Bari"},
    {73, u"Taranto"},
    {74, u"Brindisi"},
    {75, u"Lecce"},
    {76, u"Potenza"},
    {77, u"Matera"},
    {78, u"Cosenza"},
    {79, u"Catanzaro"},
    {80, u"Reggio Calabria"},
    {81, u"Trapani"},
    {82, u"Palermo"},
    {83, u"Messina"},
    {84, u"Agrigento"},
    {85, u"Caltanissetta"},
    {86, u"Enna"},
    {87, u"Catania"},
    {88, u"Ragusa"},
    {89, u"Siracusa"},
    {90, u"Sassari"},
    {91, u"Nuoro"},
    {92, u"Cagliari"},
    {93, u"Pordenone"},
    {94, u"Isernia"},
    {95, u"Oristano"},
    {96, u"Monza (Milano 2)"},
    {97, u"Prato (Firenze 2)"},
    {98, u"Brescia 2"},
    {99, u"Chiavari (Genova 2)"},
    {100, u"Roma 2"},
    {101, u"Bologna 2"},
    {102, u"Napoli 2"},
    {120, u"Bologna 2"},
    {121, u"Napoli 2"},
}};

int digitAt(const QString& s, qsizetype i) {
    return s[i].unicode() - u'0';
}

} // namespace

bool partitaIvaValid(const QString& v) {
    if (v.size() != kPartitaIvaLength || !tavolex::text::isDigitsOnly(v)) return false;
    int sum = 0;
    for (qsizetype i = 0; i < kPartitaIvaLength - 1; ++i) {
        const int digit = digitAt(v, i);
        if (i % 2 == 0) {
            sum += digit; // odd position
        } else {
            const int doubled = 2 * digit;
            sum += doubled / 10 + doubled % 10;
        }
    }
    const int check = (sum % 10 == 0) ? 0 : 10 - sum % 10;
    return digitAt(v, kPartitaIvaLength - 1) == check;
}

QString taxOfficeName(const QString& code) {
    if (code.size() != 3 || !tavolex::text::isDigitsOnly(code)) return {};
    const int key = code.toInt();
    const auto* found = std::find_if(kTaxOffices.begin(), kTaxOffices.end(),
                                     [key](const TaxOffice& o) { return o.code == key; });
    return found == kTaxOffices.end() ? QString() : found->name.toString();
}

PartitaIvaResult checkPartitaIva(const QString& input) {
    const QString v = tavolex::text::upperAZ(input);
    PartitaIvaResult r;
    if (v.size() != kPartitaIvaLength) {
        r.verdict = Verdict::BadInput;
        r.kind = MessageKind::Warning;
        r.message = u"Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."_s;
        return r;
    }
    if (!partitaIvaValid(v)) {
        r.verdict = Verdict::Wrong;
        r.kind = MessageKind::Warning;
        r.message = u"Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                    u"Non è quindi possibile fornire informazioni relative all'Ufficio IVA che "
                    u"lo ha rilasciato."_s;
        return r;
    }
    r.verdict = Verdict::Valid;
    r.kind = MessageKind::Information;
    r.officeCode = v.mid(7, 3);
    r.officeName = taxOfficeName(r.officeCode);
    r.message = u"Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                u"E' stato rilasciato dall'Ufficio IVA del Comune di "_s +
                r.officeName + u'.';
    return r;
}

} // namespace tavolex::checks
