#include "provinces.h"

namespace tavolex::places {

using namespace Qt::Literals::StringLiterals;

const QStringList& provinceCodes() {
    static const QStringList codes = {
        u"AG"_s, u"AL"_s, u"AN"_s, u"AO"_s, u"AP"_s, u"AQ"_s, u"AR"_s, u"AT"_s, u"AV"_s, u"BA"_s,
        u"BG"_s, u"BI"_s, u"BL"_s, u"BN"_s, u"BO"_s, u"BR"_s, u"BS"_s, u"BT"_s, u"BZ"_s, u"CA"_s,
        u"CB"_s, u"CE"_s, u"CH"_s, u"CI"_s, u"CL"_s, u"CN"_s, u"CO"_s, u"CR"_s, u"CS"_s, u"CT"_s,
        u"CZ"_s, u"EE"_s, u"EN"_s, u"FC"_s, u"FE"_s, u"FG"_s, u"FI"_s, u"FM"_s, u"FO"_s, u"FR"_s,
        u"GE"_s, u"GO"_s, u"GR"_s, u"IM"_s, u"IS"_s, u"KR"_s, u"LC"_s, u"LE"_s, u"LI"_s, u"LO"_s,
        u"LT"_s, u"LU"_s, u"MB"_s, u"MC"_s, u"MD"_s, u"ME"_s, u"MI"_s, u"MN"_s, u"MO"_s, u"MS"_s,
        u"MT"_s, u"NA"_s, u"NO"_s, u"NU"_s, u"OG"_s, u"OR"_s, u"OT"_s, u"PA"_s, u"PC"_s, u"PD"_s,
        u"PE"_s, u"PG"_s, u"PI"_s, u"PN"_s, u"PO"_s, u"PR"_s, u"PT"_s, u"PU"_s, u"PV"_s, u"PZ"_s,
        u"RA"_s, u"RC"_s, u"RE"_s, u"RG"_s, u"RI"_s, u"RM"_s, u"RN"_s, u"RO"_s, u"SA"_s, u"SI"_s,
        u"SO"_s, u"SP"_s, u"SR"_s, u"SS"_s, u"SV"_s, u"TA"_s, u"TE"_s, u"TN"_s, u"TO"_s, u"TP"_s,
        u"TR"_s, u"TS"_s, u"TV"_s, u"UD"_s, u"VA"_s, u"VB"_s, u"VC"_s, u"VE"_s, u"VI"_s, u"VR"_s,
        u"VT"_s, u"VV"_s,
    };
    return codes;
}

qsizetype provinceIndex(QStringView code) {
    return provinceCodes().indexOf(code);
}

} // namespace tavolex::places
