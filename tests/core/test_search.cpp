#include "records/layouts.h"
#include "records/record.h"
#include "search/clientlines.h"
#include "search/filters.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace tavolex;
using namespace tavolex::search;
using namespace Qt::Literals::StringLiterals;

namespace {

struct MatchCase {
    const char* what;
    QStringList filters;
    QStringList fields;
    bool listed;
};

// Shared by the text rule and the raw-record rule: both must decide alike.
const std::vector<MatchCase>& matchCases() {
    static const std::vector<MatchCase> cases = {
        {"no filter lists everything", {u""_s, u""_s}, {u"Rossi"_s, u"Roma"_s}, true},
        {"no filter, empty fields", {u""_s, u""_s}, {u""_s, u""_s}, true},
        {"substring", {u"oss"_s, u""_s}, {u"Rossi Mario"_s, u""_s}, true},
        {"upper-case filter", {u"ROSS"_s, u""_s}, {u"rossini anna"_s, u""_s}, true},
        {"upper-case field", {u"ross"_s, u""_s}, {u"ROSSINI ANNA"_s, u""_s}, true},
        {"not found", {u"verdi"_s, u""_s}, {u"Rossi Mario"_s, u""_s}, false},
        {"filter longer than field", {u"rossi mario"_s, u""_s}, {u"Rossi"_s, u""_s}, false},
        {"both filters found", {u"ross"_s, u"rom"_s}, {u"Rossi"_s, u"ROMA"_s}, true},
        {"second filter missing", {u"ross"_s, u"mil"_s}, {u"Rossi"_s, u"Roma"_s}, false},
        {"first filter missing", {u"bian"_s, u"rom"_s}, {u"Rossi"_s, u"Roma"_s}, false},
        {"filter in the wrong field", {u""_s, u"ross"_s}, {u"Rossi"_s, u"Roma"_s}, false},
        {"trailing blank needs a blank", {u"rossi "_s, u""_s}, {u"Rossi"_s, u""_s}, false},
        {"trailing blank found", {u"rossi "_s, u""_s}, {u"Rossi Mario"_s, u""_s}, true},
        {"leading blank needs a blank", {u" 12"_s, u""_s}, {u"Via12"_s, u""_s}, false},
        {"leading blank found", {u" 12"_s, u""_s}, {u"Via 12"_s, u""_s}, true},
        {"mail type ent", {u"ent"_s, u""_s}, {u"In entrata"_s, u""_s}, true},
        {"mail type ent, outgoing", {u"ent"_s, u""_s}, {u"In uscita"_s, u""_s}, false},
        {"mail type in, internal", {u"in"_s, u""_s}, {u"Interna"_s, u""_s}, true},
        {"part of a date", {u"03/2025"_s, u""_s}, {u"15/03/2025"_s, u""_s}, true},
        {"hour prefix", {u"09:"_s, u""_s}, {u"09:45"_s, u""_s}, true},
        {"no wildcard", {u"r*i"_s, u""_s}, {u"Rossi"_s, u""_s}, false},
        {"accent kept", {u"citt\u00E0"_s, u""_s}, {u"Citt\u00E0"_s, u""_s}, true},
        {"no accent folding", {u"citta"_s, u""_s}, {u"Citt\u00E0"_s, u""_s}, false},
        {"accented capital is not folded", {u"\u00E0"_s, u""_s}, {u"\u00C0"_s, u""_s}, false},
        {"euro sign", {u"\u20AC 5"_s, u""_s}, {u"costo \u20AC 50"_s, u""_s}, true},
        // A filter of blanks only is no filter: it neither restricts nor counts as found.
        {"blanks only lists everything", {u"   "_s, u""_s}, {u"Rossi"_s, u"Roma"_s}, true},
        {"blanks only cannot stand in for a failed filter",
         {u"verdi"_s, u"  "_s},
         {u"Rossi"_s, u"Via  Roma"_s},
         false},
        {"control characters only", {u"\t"_s, u"mil"_s}, {u"a\tb"_s, u"Roma"_s}, false},
        {"blanks only beside a found filter", {u"ross"_s, u"  "_s}, {u"Rossi"_s, u"X"_s}, true},
    };
    return cases;
}

} // namespace

TEST(Filters, TextRule) {
    for (const MatchCase& c : matchCases())
        EXPECT_EQ(isListed(c.filters, c.fields), c.listed) << c.what;
}

TEST(Filters, RecordRuleAgreesWithTextRule) {
    const records::RecordLayout& layout = records::clientLayout();
    for (const MatchCase& c : matchCases()) {
        records::Record record(layout);
        record.setText(u"Cliente", c.fields[0]);
        record.setText(u"Note", c.fields[1]);
        const RecordFilter filter(layout,
                                  {{c.filters[0], u"Cliente"_s}, {c.filters[1], u"Note"_s}});
        EXPECT_EQ(filter.matches(record.bytes()), c.listed) << c.what;
    }
}

TEST(Filters, ActiveFilters) {
    const FilterSet set({u"a"_s, u"  "_s, u""_s, u" b "_s, u"\t\r\n"_s});
    EXPECT_EQ(set.size(), 5);
    EXPECT_EQ(set.activeCount(), 2);
    EXPECT_EQ(set.active(), (std::vector<int>{0, 3}));
    EXPECT_TRUE(set.found(0, u"xAx"));
    EXPECT_FALSE(set.found(1, u"x  x")); // inactive: never found
    EXPECT_FALSE(set.found(2, u"anything"));
    EXPECT_TRUE(set.found(3, u"a b c")); // matched as typed, blanks included
    EXPECT_FALSE(set.found(3, u"abc"));
}

TEST(Filters, OnlyFieldsOfActiveFiltersAreRead) {
    const FilterSet set({u""_s, u"ross"_s, u" "_s, u"rom"_s});
    std::vector<int> asked;
    const bool listed = set.matches([&asked](int i) {
        asked.push_back(i);
        return i == 1 ? u"Rossi"_s : u"Roma"_s;
    });
    EXPECT_TRUE(listed);
    EXPECT_EQ(asked, (std::vector<int>{1, 3}));
}

TEST(Filters, MissingFieldTextIsEmpty) {
    EXPECT_FALSE(isListed({u""_s, u"x"_s}, {u"x"_s}));
    EXPECT_TRUE(isListed({u"x"_s, u""_s}, {u"x"_s}));
}

TEST(RecordFilter, ReadsOnlyTheStoredTextOfTheField) {
    const records::RecordLayout& layout = records::clientLayout();
    const records::FieldSpec& zona = layout.field(layout.indexOf(u"Zona"));
    QByteArray bytes(layout.recordSize(), '\0');
    // Length 3 "Sud", then leftovers of a longer earlier text that must not be searched.
    bytes.replace(zona.offset, 10, QByteArray("\x03SudOvest!", 10));
    const auto found = [&](const QString& text) {
        return RecordFilter(layout, {{text, u"Zona"_s}}).matches(bytes);
    };
    EXPECT_TRUE(found(u"sud"_s));
    EXPECT_FALSE(found(u"ovest"_s));
    EXPECT_FALSE(found(u"sudo"_s));

    // A damaged length byte above the capacity reads as the capacity.
    bytes[zona.offset] = char(0xFF);
    bytes.replace(zona.offset + 1, zona.capacity, QByteArray(zona.capacity, 'z'));
    bytes[zona.offset + zona.capacity + 1] = 'Q'; // first byte of the next field
    EXPECT_TRUE(found(QString(zona.capacity, u'z')));
    EXPECT_FALSE(found(u"zq"_s));
}

TEST(RecordFilter, TextOutsideTheCodePageIsNeverFound) {
    const records::RecordLayout& layout = records::clientLayout();
    records::Record record(layout);
    record.setText(u"Note", u"prezzo ? da definire"_s);
    EXPECT_FALSE(RecordFilter(layout, {{u"\u4E2D"_s, u"Note"_s}}).matches(record.bytes()));
    EXPECT_FALSE(isListed({u"\u4E2D"_s}, {record.text(u"Note")}));
    EXPECT_TRUE(RecordFilter(layout, {{u"?"_s, u"Note"_s}}).matches(record.bytes()));
}

TEST(RecordFilter, UnknownFieldIsRefused) {
    EXPECT_THROW(RecordFilter(records::clientLayout(), {{u""_s, u"Nessuno"_s}}), std::out_of_range);
}

TEST(ClientSearch, EachFilterComparesItsOwnField) {
    const QStringList& names = clientSearchFields();
    ASSERT_EQ(names.size(), 10);
    const QStringList expected = {u"Cliente"_s,   u"ComuneRes"_s,   u"PartitaIva"_s, u"CodFisc"_s,
                                  u"Documento"_s, u"Occupazione"_s, u"Prodotti"_s,   u"Zona"_s,
                                  u"Questioni"_s, u"Note"_s};
    EXPECT_EQ(names, expected);

    records::Record record(records::clientLayout());
    for (int i = 0; i < names.size(); ++i)
        record.setText(names[i], u"K%1X"_s.arg(i));
    for (int i = 0; i < names.size(); ++i) {
        QStringList filters(10);
        filters[i] = u"k%1x"_s.arg(i);
        EXPECT_TRUE(clientSearchFilter(filters).matches(record.bytes())) << i;
        filters[i] = u"k%1x"_s.arg((i + 1) % 10); // the next field's text
        EXPECT_FALSE(clientSearchFilter(filters).matches(record.bytes())) << i;
    }
    EXPECT_EQ(clientSearchFilter(QStringList(10)).activeCount(), 0);
}

namespace {

records::Record clientRecord() {
    records::Record r(records::clientLayout());
    r.setText(u"Cliente", u"Rossi Mario"_s);
    r.setText(u"Recapito", u"333 1234567"_s);
    r.setText(u"Occupazione", u"Impiegato"_s);
    r.setText(u"Prodotti", u"Assicurazioni"_s);
    r.setText(u"Note", u"Cliente storico"_s);
    r.setText(u"Questioni", u"Richiamare luned\u00EC"_s);
    return r;
}

// Overwrites a field with raw text, blanks around it kept (as a file written elsewhere could).
void setRaw(records::Record& r, const char16_t* name, const QByteArray& text) {
    const records::FieldSpec& f = r.layout().field(r.layout().indexOf(name));
    QByteArray bytes = r.bytes();
    bytes[f.offset] = char(text.size());
    bytes.replace(f.offset + 1, text.size(), text);
    r.setBytes(bytes);
}

} // namespace

TEST(ClientLines, SearchAndRecontactLines) {
    const records::Record r = clientRecord();
    EXPECT_EQ(clientSearchLine(r), u"Rossi Mario               "
                                   u"  Tel. 333 1234567    "
                                   u"  Impiegato                "
                                   u"  Prod. Assicurazioni                 "
                                   u"  Cliente storico"_s);
    EXPECT_EQ(clientRecontactLine(r), u"Rossi Mario               "
                                      u"  Tel. 333 1234567    "
                                      u"  Impiegato                "
                                      u"  Prod. Assicurazioni                 "
                                      u"  Richiamare luned\u00EC"_s);
    EXPECT_EQ(clientSearchLine(r.bytes().constData()), clientSearchLine(r));
}

TEST(ClientLines, FieldsAreTrimmedCutAndPadded) {
    records::Record r(records::clientLayout());
    setRaw(r, u"Cliente", "  Bianchi Giovanni Battista Maria  ");
    setRaw(r, u"Recapito", " 0123456789012345678 ");
    setRaw(r, u"Note", "  nota lunga che non viene tagliata mai, neppure oltre trenta  ");
    EXPECT_EQ(clientSearchLine(r),
              u"Bianchi Giovanni Battista "
              u"  Tel. 012345678901234"
              u"                           "
              u"  Prod.                               "
              u"  nota lunga che non viene tagliata mai, neppure oltre trenta"_s);
    records::Record empty(records::clientLayout());
    EXPECT_EQ(clientRecontactLine(empty), QString(26, u' ') + u"  Tel. "_s + QString(15, u' ') +
                                              u"  "_s + QString(25, u' ') + u"  Prod. "_s +
                                              QString(30, u' ') + u"  "_s);
}

TEST(ClientLines, RecontactFlag) {
    struct Case {
        QByteArray stored;
        bool listed;
    };
    const std::vector<Case> cases = {
        {"S\xEC", true},  {"No", false}, {"", false},   {"Si", false},
        {"s\xEC", false}, {"S", false},  {" S", false},
    };
    for (const Case& c : cases) {
        records::Record r(records::clientLayout());
        setRaw(r, u"Ricontatta", c.stored);
        EXPECT_EQ(isToRecontact(r.bytes().constData()), c.listed) << c.stored.toHex().toStdString();
    }
    records::Record r(records::clientLayout());
    r.setFlag(r.layout().indexOf(u"Ricontatta"), true);
    EXPECT_TRUE(isToRecontact(r.bytes().constData()));
    r.setFlag(r.layout().indexOf(u"Ricontatta"), false);
    EXPECT_FALSE(isToRecontact(r.bytes().constData()));
}
