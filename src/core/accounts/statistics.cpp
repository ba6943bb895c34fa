#include "statistics.h"

#include "movements/movementrecord.h"
#include "records/record.h"
#include "records/store.h"
#include "text/casing.h"

namespace tavolex::accounts {

using namespace Qt::Literals::StringLiterals;

namespace {

// sum + the amount stored in `field`; false, with sum unchanged, when the text is not an
// amount (or, beyond any real archive, the sum would leave the exact range).
bool addStored(money::Amount* sum, const char* record, const records::FieldSpec& field) {
    const std::optional<money::Amount> amount =
        money::parseAmount(records::readField(record, field));
    if (!amount) return false;
    const std::optional<money::Amount> total = sum->plus(*amount);
    if (!total) return false;
    *sum = *total;
    return true;
}

money::Amount::Units powerOfTen(int n) {
    money::Amount::Units p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

} // namespace

int countedMonth(const char* record, MovementKind kind, const QString& yearText) {
    const movements::MovementFields& f = movements::fields();
    if (!movements::isYes(record, kind == MovementKind::Income ? f.entrata : f.uscita)) return 0;
    const QString data = records::readFieldTrimmed(record, f.data) + QString(10, u' ');
    if (QStringView(data).mid(6, 4) != text::trimmed(yearText)) return 0;
    const QStringView month = QStringView(data).mid(3, 2);
    if (month.size() != 2 || month[0] < u'0' || month[0] > u'1' || month[1] < u'0' ||
        month[1] > u'9')
        return 0;
    const int m = (month[0].unicode() - u'0') * 10 + (month[1].unicode() - u'0');
    return m >= 1 && m <= 12 ? m : 0;
}

bool monthSums(const records::Archive& archive, MovementKind kind, const QString& yearText,
               MonthSums* sums) {
    sums->fill(money::Amount());
    const records::FieldSpec& importo = movements::fields().importo;
    return records::forEachRecord(archive, [&](qint64, const char* record) {
        const int month = countedMonth(record, kind, yearText);
        if (month > 0) addStored(&(*sums)[month - 1], record, importo);
        return true;
    });
}

bool yearBalance(const records::Archive& archive, YearBalance* balance) {
    *balance = YearBalance();
    const movements::MovementFields& f = movements::fields();
    return records::forEachRecord(archive, [&](qint64, const char* record) {
        if (movements::isYes(record, f.entrata)) addStored(&balance->income, record, f.importo);
        if (movements::isYes(record, f.uscita)) addStored(&balance->expenses, record, f.importo);
        return true;
    });
}

money::Amount wholeEuro(const money::Amount& value) {
    // At least one decimal, so that the half can be added exactly.
    const int places = std::max(value.places(), 1);
    const money::Amount::Units scale = powerOfTen(places);
    money::Amount::Units units = value.units() * powerOfTen(places - value.places());
    units += scale / 2;
    // Division truncates toward zero: the integer part, as the rule says, also below zero.
    return money::Amount::fromUnits(units / scale, 0).value();
}

const std::array<ChartPoint, 12>& monthPoints() {
    static const std::array<ChartPoint, 12> points = {{
        {u"Gennaio", 0xFFFF0000},
        {u"Febbraio", 0xFF0000FF},
        {u"Marzo", 0xFFFFE4C4},
        {u"Aprile", 0xFFFF00FF},
        {u"Maggio", 0xFFC0DCC0},
        {u"Giugno", 0xFFFFFF00},
        {u"Luglio", 0xFF00FF00},
        {u"Agosto", 0xFFC0C0C0},
        {u"Settembre", 0xFFF0FBFF},
        {u"Ottobre", 0xFF87CEEB},
        {u"Novembre", 0xFF800000},
        {u"Dicembre", 0xFF008000},
    }};
    return points;
}

const std::array<ChartPoint, 2>& balancePoints() {
    static const std::array<ChartPoint, 2> points = {{
        {u"Entrate", 0xFF008000},
        {u"Uscite", 0xFFFF0000},
    }};
    return points;
}

} // namespace tavolex::accounts
