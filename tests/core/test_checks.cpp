#include "core/checks/carta.h"
#include "core/checks/codicefiscale.h"
#include "core/checks/iban.h"
#include "core/checks/partitaiva.h"

#include <gtest/gtest.h>
#include <vector>

using namespace tavolex::checks;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kCfLength =
    u"Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."_s;
const QString kCfValid = u"Il codice fiscale digitato è VALIDO."_s;
const QString kCfWrong = u"Attenzione: il codice fiscale digitato è ERRATO."_s;

const QString kIvaLength =
    u"Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."_s;
const QString kIvaWrong = u"Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                          u"Non è quindi possibile fornire informazioni relative all'Ufficio IVA "
                          u"che lo ha rilasciato."_s;
QString ivaValid(const QString& office) {
    return u"Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato rilasciato "
           u"dall'Ufficio IVA del Comune di "_s +
           office + u"."_s;
}

const QString kIbanLength =
    u"Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici."_s;
const QString kIbanValid = u"L'IBAN digitato è VALIDO."_s;
const QString kIbanWrong = u"Attenzione: l'IBAN digitato è ERRATO!"_s;
const QString kIban = u"IT60X0542811101000000123456"_s;

const QString kCardEmpty = u"Attenzione: immettere il numero di carta di credito prima di "
                           u"premere il pulsante di controllo."_s;
const QString kCardWrong =
    u"Attenzione: il numero digitato risulta ERRATO!\r\n\r\nNon è quindi "
    u"possibile fornire informazioni relative al tipo di carta di credito."_s;
QString cardValid(const QString& number, const QString& network) {
    return u"Il numero di carta di credito "_s + number +
           u" risulta valido.\r\n\r\nLa carta di credito è del tipo "_s + network + u"."_s;
}

void expectResult(const CheckResult& r, Verdict verdict, MessageKind kind, const QString& text) {
    EXPECT_EQ(r.verdict, verdict);
    EXPECT_EQ(r.kind, kind);
    EXPECT_EQ(r.message, text);
    EXPECT_EQ(r.keepsOpen(), verdict == Verdict::BadInput);
}

// ---------------------------------------------------------------- tax code

// Codes whose last letter is the check letter of the first fifteen.
const std::vector<QString> kValidCodes = {
    u"RSSMRA85T10A562S"_s,
    u"RSSMRA850100562F"_s, // digits in place of the month and place letters
    u"123456789012345A"_s,
    u"R0SMRA85T10A562A"_s,
};

TEST(CodiceFiscale, ValidCodesAreValido) {
    for (const QString& code : kValidCodes) {
        SCOPED_TRACE(code.toStdString());
        EXPECT_TRUE(codiceFiscaleCheckCharMatches(code));
        expectResult(checkCodiceFiscale(code), Verdict::Valid, MessageKind::Information, kCfValid);
    }
}

TEST(CodiceFiscale, EveryOtherLastLetterIsErrato) {
    for (const QString& code : kValidCodes) {
        for (char16_t c = u'A'; c <= u'Z'; ++c) {
            if (c == code[15]) continue;
            const QString mutated = code.first(15) + QChar(c);
            SCOPED_TRACE(mutated.toStdString());
            EXPECT_FALSE(codiceFiscaleCheckCharMatches(mutated));
            expectResult(checkCodiceFiscale(mutated), Verdict::Wrong, MessageKind::Warning,
                         kCfWrong);
        }
    }
}

TEST(CodiceFiscale, OddAndEvenTablesBothCount) {
    // R -> S in an odd position changes the sum by 4; S -> T in an even one by 1.
    EXPECT_FALSE(codiceFiscaleCheckCharMatches(u"SSSMRA85T10A562S"_s));
    EXPECT_FALSE(codiceFiscaleCheckCharMatches(u"RTSMRA85T10A562S"_s));
    // A digit is worth the same as its letter in both columns: 0 <-> A, 9 <-> J.
    EXPECT_TRUE(codiceFiscaleCheckCharMatches(u"RASMRA85T10A562A"_s));
    EXPECT_EQ(codiceFiscaleCheckChar(u"9SSMRA85T10A562"_s),
              codiceFiscaleCheckChar(u"JSSMRA85T10A562"_s));
    EXPECT_EQ(codiceFiscaleCheckChar(u"R9SMRA85T10A562"_s),
              codiceFiscaleCheckChar(u"RJSMRA85T10A562"_s));
}

TEST(CodiceFiscale, LowerCaseIsJudgedUpperCased) {
    expectResult(checkCodiceFiscale(u"rssmra85t10a562s"_s), Verdict::Valid,
                 MessageKind::Information, kCfValid);
    expectResult(checkCodiceFiscale(u"rssmra85t10a562t"_s), Verdict::Wrong, MessageKind::Warning,
                 kCfWrong);
    // The bare check function has no values for lower case.
    EXPECT_FALSE(codiceFiscaleCheckCharMatches(u"rssmra85t10a562s"_s));
}

TEST(CodiceFiscale, WrongLengthKeepsTheScreenOpen) {
    for (const QString& code :
         {u""_s, u"RSSMRA85T10A562"_s, u"RSSMRA85T10A562SX"_s, u"RSSMRA85T10A562S "_s}) {
        SCOPED_TRACE(code.toStdString());
        expectResult(checkCodiceFiscale(code), Verdict::BadInput, MessageKind::Warning, kCfLength);
        EXPECT_FALSE(codiceFiscaleCheckCharMatches(code));
    }
}

TEST(CodiceFiscale, CharactersOutsideTheTablesAreErrato) {
    // In "R0SMRA85T10A562A" the '0' in position 2 is worth 0. Characters between '9' and
    // 'A' must not count as 0 too, nor may anything outside 0-9/A-Z be read at all.
    const QString valid = u"R0SMRA85T10A562A"_s;
    const QString outside = u":;<=>?@ -./[]_`{~\u00C8\u00E8\u00FF\u0100"_s;
    for (QChar ch : outside) {
        QString code = valid;
        code[1] = ch;
        SCOPED_TRACE(code.toStdString());
        EXPECT_FALSE(codiceFiscaleCheckChar(code.first(15)).has_value());
        expectResult(checkCodiceFiscale(code), Verdict::Wrong, MessageKind::Warning, kCfWrong);
        // Also as the check character itself.
        QString last = valid;
        last[15] = ch;
        expectResult(checkCodiceFiscale(last), Verdict::Wrong, MessageKind::Warning, kCfWrong);
    }
}

TEST(CodiceFiscale, CheckCharNeedsFifteenCharacters) {
    EXPECT_EQ(codiceFiscaleCheckChar(u"RSSMRA85T10A562"_s), QChar(u'S'));
    EXPECT_FALSE(codiceFiscaleCheckChar(u"RSSMRA85T10A56"_s).has_value());
    EXPECT_FALSE(codiceFiscaleCheckChar(u"RSSMRA85T10A562S"_s).has_value());
}

// ---------------------------------------------------------------- VAT number

TEST(PartitaIva, ValidNumbersNameTheirOffice) {
    struct Case {
        QString number;
        QString office;
    };
    const std::vector<Case> cases = {
        {u"12345670587"_s, u"Roma 1"_s},
        {u"12345671106"_s, u""_s}, // 110 is not in the table
        {u"12345678903"_s, u""_s}, // 890 neither
        {u"00000000000"_s, u""_s}, // nor 000
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number.toStdString());
        EXPECT_TRUE(partitaIvaValid(c.number));
        const PartitaIvaResult r = checkPartitaIva(c.number);
        expectResult(r, Verdict::Valid, MessageKind::Information, ivaValid(c.office));
        EXPECT_EQ(r.officeCode, c.number.mid(7, 3));
        EXPECT_EQ(r.officeName, c.office);
    }
    // An unknown office leaves "Comune di" followed by a blank and the full stop.
    EXPECT_TRUE(checkPartitaIva(u"12345671106"_s).message.endsWith(u"Comune di ."_s));
}

TEST(PartitaIva, EveryOtherCheckDigitIsErrato) {
    for (const QString& valid : {u"12345678903"_s, u"12345670587"_s}) {
        for (char16_t d = u'0'; d <= u'9'; ++d) {
            if (d == valid[10]) continue;
            const QString number = valid.first(10) + QChar(d);
            SCOPED_TRACE(number.toStdString());
            EXPECT_FALSE(partitaIvaValid(number));
            const PartitaIvaResult r = checkPartitaIva(number);
            expectResult(r, Verdict::Wrong, MessageKind::Warning, kIvaWrong);
            EXPECT_TRUE(r.officeName.isEmpty());
        }
    }
}

TEST(PartitaIva, EvenPositionsAreDoubledWithDigitSum) {
    // 9 in position 2 doubles to 18 -> 9; the check digit is then 10 - 9 = 1.
    EXPECT_TRUE(partitaIvaValid(u"09000000001"_s));
    // 9 in position 1 is taken as it is: again 9 -> check digit 1.
    EXPECT_TRUE(partitaIvaValid(u"90000000001"_s));
    // 5 in position 2 doubles to 10 -> 1; check digit 9.
    EXPECT_TRUE(partitaIvaValid(u"05000000009"_s));
}

TEST(PartitaIva, WrongLengthKeepsTheScreenOpen) {
    for (const QString& number : {u""_s, u"1234567890"_s, u"123456789031"_s}) {
        SCOPED_TRACE(number.toStdString());
        expectResult(checkPartitaIva(number), Verdict::BadInput, MessageKind::Warning, kIvaLength);
        EXPECT_FALSE(partitaIvaValid(number));
    }
}

TEST(PartitaIva, NonDigitsAreErrato) {
    // Only 0-9 are digits: letters, blanks, punctuation and other scripts' digits are not.
    for (const QString& number : {u"1234567890A"_s, u"1234567890 "_s, u"12345:78903"_s,
                                  u"1234567890\u0663"_s, u"1234567890\uFF13"_s}) {
        SCOPED_TRACE(number.toStdString());
        EXPECT_FALSE(partitaIvaValid(number));
        expectResult(checkPartitaIva(number), Verdict::Wrong, MessageKind::Warning, kIvaWrong);
    }
}

TEST(PartitaIva, TaxOfficeTable) {
    struct Case {
        const char16_t* code;
        const char16_t* name;
    };
    const std::vector<Case> cases = {
        {u"001", u"Torino"},
        {u"010", u"Genova 1"},
        {u"040", u"Forlì"},
        {u"058", u"Roma 1"},
        {u"080", u"Reggio Calabria"},
        {u"096", u"Monza (Milano 2)"},
        {u"097", u"Prato (Firenze 2)"},
        {u"099", u"Chiavari (Genova 2)"},
        {u"100", u"Roma 2"},
        {u"102", u"Napoli 2"},
        {u"120", u"Bologna 2"},
        {u"121", u"Napoli 2"},
        {u"000", u""},
        {u"103", u""},
        {u"119", u""},
        {u"122", u""},
        {u"999", u""},
        {u"58", u""},
        {u"0058", u""},
        {u"05A", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.code).toStdString());
        EXPECT_EQ(taxOfficeName(QString::fromUtf16(c.code)), QString::fromUtf16(c.name));
    }
    int named = 0;
    for (int code = 0; code < 1000; ++code)
        if (!taxOfficeName(u"%1"_s.arg(code, 3, 10, QChar(u'0'))).isEmpty()) ++named;
    EXPECT_EQ(named, 104);
}

// ---------------------------------------------------------------- IBAN

TEST(Iban, Remainder) {
    struct Case {
        QString text;
        int remainder;
    };
    const std::vector<Case> cases = {
        {kIban, 1},
        {u"it60x0542811101000000123456"_s, 1},
        {u"IBAN IT60 X054 2811 1010 0000 0123 456"_s, 1}, // blanks and "IBAN" dropped
        {u"GB82WEST12345698765432"_s, 1},                 // the country is not examined
        {u"IT00X0542811101000000123456"_s, 38},
        {u"IT61X0542811101000000123456"_s, 2},
        {u"12345"_s, 18}, // "5" + "1234"
        {u""_s, 0},
        // Punctuation and accented letters are not skipped: they void the number.
        {u"IT60-X0542811101000000123456"_s, 0},
        {u"IT60X0542811101000000123456."_s, 0},
        {u"\u00C8T60X0542811101000000123456"_s, 0},
        {u"IT60\tX0542811101000000123456"_s, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(ibanRemainder(c.text), c.remainder);
    }
}

TEST(Iban, Verdicts) {
    struct Case {
        QString input;
        Verdict verdict;
        MessageKind kind;
        QString text;
    };
    const std::vector<Case> cases = {
        {kIban, Verdict::Valid, MessageKind::Information, kIbanValid},
        {u"it60x0542811101000000123456"_s, Verdict::Valid, MessageKind::Information, kIbanValid},
        {u"  "_s + kIban + u" "_s, Verdict::Valid, MessageKind::Information, kIbanValid},
        {u"IT61X0542811101000000123456"_s, Verdict::Wrong, MessageKind::Warning, kIbanWrong},
        {u"IT60X0542811101000000123457"_s, Verdict::Wrong, MessageKind::Warning, kIbanWrong},
        {u"IT60X054281110100000-123456"_s, Verdict::Wrong, MessageKind::Warning, kIbanWrong},
        {u"IT60X0542811101000000123456"_s.replace(4, 1, u"\u00C8"_s), Verdict::Wrong,
         MessageKind::Warning, kIbanWrong},
        {u""_s, Verdict::BadInput, MessageKind::Warning, kIbanLength},
        {kIban.first(26), Verdict::BadInput, MessageKind::Warning, kIbanLength},
        {kIban + u"0"_s, Verdict::BadInput, MessageKind::Warning, kIbanLength},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input.toStdString());
        expectResult(checkIban(c.input), c.verdict, c.kind, c.text);
    }
}

// ---------------------------------------------------------------- payment card

TEST(Carta, CheckCodes) {
    struct Case {
        QString number;
        int code;
    };
    const std::vector<Case> cases = {
        {u"4111111111111111"_s, 2},
        {u"4111111111111112"_s, 0},
        {u"5555555555554444"_s, 3},
        {u"6011111111111117"_s, 4},
        {u"378282246310005"_s, 1},
        {u"2223000048400011"_s, 0}, // Luhn passes, but 2 - 2 = 0
        {u"7000000000000005"_s, 5},
        {u"109"_s, -1},
        {u"0"_s, -2},
        {u"4111 1111 1111 1111"_s, 2},
        {u"4111111111111111111599"_s, 2}, // only the first 20 digits count
        {u"4111111111111111111599"_s.first(21), 2},
        {u"41111 11111 11111 11111 5"_s, 0}, // the first 20 characters end before the 5
        {u""_s, 0},
        {u"abc"_s, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number.toStdString());
        EXPECT_EQ(cardCheck(c.number), c.code);
    }
}

TEST(Carta, Verdicts) {
    struct Case {
        QString input;
        Verdict verdict;
        MessageKind kind;
        QString text;
        QString network;
    };
    const QString diners = u"Diner's Club / Carte Blanche"_s;
    const std::vector<Case> cases = {
        {u"4111111111111111"_s, Verdict::Valid, MessageKind::Information,
         cardValid(u"4111111111111111"_s, u"Visa"_s), u"Visa"_s},
        {u"5555555555554444"_s, Verdict::Valid, MessageKind::Information,
         cardValid(u"5555555555554444"_s, u"MasterCard"_s), u"MasterCard"_s},
        {u"6011111111111117"_s, Verdict::Valid, MessageKind::Information,
         cardValid(u"6011111111111117"_s, u"Discover"_s), u"Discover"_s},
        {u"378282246310005"_s, Verdict::Valid, MessageKind::Information,
         cardValid(u"378282246310005"_s, u"American Express"_s), u"American Express"_s},
        {u"30569309025904"_s, Verdict::Valid, MessageKind::Information,
         cardValid(u"30569309025904"_s, diners), diners},
        {u"3530111333300000"_s, Verdict::Valid, MessageKind::Information,
         cardValid(u"3530111333300000"_s, u"JCB"_s), u"JCB"_s},
        // Valid, but no network for 32: no message at all.
        {u"3200000000000002"_s, Verdict::Valid, MessageKind::None, u""_s, u""_s},
        // The trimmed input is shown as typed.
        {u" 4111 1111 1111 1111 "_s, Verdict::Valid, MessageKind::Information,
         cardValid(u"4111 1111 1111 1111"_s, u"Visa"_s), u"Visa"_s},
        {u"4111111111111111111599"_s, Verdict::Valid, MessageKind::Information,
         cardValid(u"4111111111111111111599"_s, u"Visa"_s), u"Visa"_s},
        {u"4111111111111112"_s, Verdict::Wrong, MessageKind::Warning, kCardWrong, u""_s},
        {u"2223000048400011"_s, Verdict::Wrong, MessageKind::Warning, kCardWrong, u""_s},
        {u"7000000000000005"_s, Verdict::Wrong, MessageKind::Warning, kCardWrong, u""_s},
        {u"109"_s, Verdict::Wrong, MessageKind::Warning, kCardWrong, u""_s},
        {u"0"_s, Verdict::Wrong, MessageKind::Warning, kCardWrong, u""_s},
        {u"--"_s, Verdict::Wrong, MessageKind::Warning, kCardWrong, u""_s},
        {u""_s, Verdict::BadInput, MessageKind::Warning, kCardEmpty, u""_s},
        {u"   "_s, Verdict::BadInput, MessageKind::Warning, kCardEmpty, u""_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input.toStdString());
        const CartaResult r = checkCarta(c.input);
        expectResult(r, c.verdict, c.kind, c.text);
        EXPECT_EQ(r.network, c.network);
    }
}

TEST(Carta, NetworkByCodeAndLeadingCharacters) {
    struct Case {
        int code;
        const char16_t* number;
        const char16_t* network;
    };
    const std::vector<Case> cases = {
        {1, u"30", u"Diner's Club / Carte Blanche"},
        {1, u"36", u"Diner's Club / Carte Blanche"},
        {1, u"38", u"Diner's Club / Carte Blanche"},
        {1, u"34", u"American Express"},
        {1, u"37", u"American Express"},
        {1, u"31", u"JCB"},
        {1, u"33", u"JCB"},
        {1, u"35", u"JCB"},
        {1, u"32", u""},
        {1, u"39", u""},
        {1, u"3 7", u""},
        {2, u"4", u"Visa"},
        {3, u"5", u"MasterCard"},
        {4, u"6", u"Discover"},
        {0, u"4", u""},
        {5, u"7", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.number).toStdString());
        EXPECT_EQ(cardNetwork(c.code, QString::fromUtf16(c.number)), QString::fromUtf16(c.network));
    }
}

} // namespace
