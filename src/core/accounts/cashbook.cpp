#include "cashbook.h"

#include "dates/datetext.h"
#include "dates/interval.h"
#include "lists/listline.h"
#include "money/normalise.h"
#include "movements/movementrecord.h"
#include "protocol/numbering.h"
#include "records/layouts.h"
#include "records/record.h"
#include "records/store.h"
#include "search/filters.h"
#include "text/casing.h"

namespace tavolex::accounts {

using namespace Qt::Literals::StringLiterals;

namespace {

PeriodVerdict failed(PeriodVerdict v, PeriodField focus, const QString& message, bool warning) {
    v.ok = false;
    v.focus = focus;
    v.message = message;
    v.warning = warning;
    return v;
}

QString missing(const QString& what) {
    return u"Attenzione: indicare il "_s + what +
           u" intervallo selezionandolo dall'elenco a cascata."_s;
}

// trimmed day + "/" + "01" … "12" + "/" + trimmed year; the month part stays empty for a name
// that is not a month, which makes a date that does not exist.
QString builtDate(const QString& day, const QString& month, const QString& year) {
    const int number = monthNumber(month);
    const QString mm = number > 0 ? QString::number(number).rightJustified(2, u'0') : QString();
    return text::trimmed(day) + u'/' + mm + u'/' + text::trimmed(year);
}

QString padded(const QString& label) {
    return label.leftJustified(30, u' ');
}

} // namespace

PeriodVerdict checkPeriod(const PeriodInput& input) {
    PeriodVerdict v;
    if (!protocol::isAcceptableYear(input.anno))
        return failed(v, PeriodField::Anno, QString::fromUtf16(kYearWarning), true);
    if (text::trimmed(input.giornoInizio).isEmpty())
        return failed(v, PeriodField::GiornoInizio, missing(u"giorno di inizio"_s), true);
    if (text::trimmed(input.meseInizio).isEmpty())
        return failed(v, PeriodField::MeseInizio, missing(u"mese di inizio"_s), true);
    if (text::trimmed(input.giornoFine).isEmpty())
        return failed(v, PeriodField::GiornoFine, missing(u"giorno di fine"_s), true);
    if (text::trimmed(input.meseFine).isEmpty())
        return failed(v, PeriodField::MeseFine, missing(u"mese di fine"_s), true);

    // The dates are built and checked as every period screen checks them; a built text is
    // never empty, so only the last three of those checks can fail here.
    v.startText = builtDate(input.giornoInizio, input.meseInizio, input.anno);
    const dates::IntervalVerdict interval =
        dates::checkInterval(v.startText, builtDate(input.giornoFine, input.meseFine, input.anno));
    if (interval.check == dates::IntervalCheck::StartInvalid)
        return failed(v, PeriodField::GiornoInizio, interval.message, false);
    v.endText = builtDate(input.giornoFine, input.meseFine, input.anno);
    if (interval.check == dates::IntervalCheck::EndInvalid)
        return failed(v, PeriodField::GiornoFine, interval.message, false);
    if (interval.check != dates::IntervalCheck::Ok)
        return failed(v, PeriodField::None, interval.message, false);
    v.start = interval.start;
    v.end = interval.end;
    return v;
}

const QStringList& monthNames() {
    static const QStringList names = {u"Gennaio"_s,   u"Febbraio"_s, u"Marzo"_s,    u"Aprile"_s,
                                      u"Maggio"_s,    u"Giugno"_s,   u"Luglio"_s,   u"Agosto"_s,
                                      u"Settembre"_s, u"Ottobre"_s,  u"Novembre"_s, u"Dicembre"_s};
    return names;
}

int monthNumber(const QString& name) {
    const QString wanted = text::lowerAZ(text::trimmed(name));
    const QStringList& names = monthNames();
    for (qsizetype i = 0; i < names.size(); ++i)
        if (text::lowerAZ(names[i]) == wanted) return int(i) + 1;
    return 0;
}

QString keptDay(const QString& dayText) {
    if (dayText.size() != 2 || !text::isDigitsOnly(dayText)) return {};
    const int day = dayText.toInt();
    return day >= 1 && day <= 31 ? dayText : QString();
}

QString keptMonth(const QString& monthText) {
    return monthNumber(monthText) > 0 ? monthText : QString();
}

QString cashBookLine(const char* record) {
    const movements::MovementFields& f = movements::fields();
    const QString totale = records::readField(record, f.totale);
    QString kind = u"         "_s;
    const money::Kind k = money::kindOf(totale);
    if (k == money::Kind::Income) kind = u"ENTRATA  "_s;
    if (k == money::Kind::Expense) kind = u"USCITA   "_s;
    QString line;
    line.reserve(9 + 40 + 8 + 10 + 6 + 28 + 5 + 28 + 11 + 16);
    line += kind;
    lists::appendColumn(line, {}, records::readField(record, f.causale), 40);
    lists::appendColumn(line, u"  Data: "_s, records::readField(record, f.data), 10);
    lists::appendColumn(line, u"  Da: "_s, records::readField(record, f.pagatore), 28);
    lists::appendColumn(line, u"  A: "_s, records::readField(record, f.beneficiario), 28);
    lists::appendColumn(line, u"  Importo: "_s, totale, -1);
    return line;
}

CashBook readCashBook(const records::Archive& archive, const QDate& start, const QDate& end,
                      const QString& reasonFilter) {
    const movements::MovementFields& f = movements::fields();
    const search::RecordFilter filter(records::movementLayout(), {{reasonFilter, u"Causale"_s}});
    CashBook book;
    const bool read = records::forEachRecord(archive, [&](qint64 k, const char* record) {
        if (!filter.matches(record)) return true;
        const std::optional<QDate> date = dates::parseDate(records::readField(record, f.data));
        if (!date) {
            book.badRecord = k;
            return false;
        }
        if (*date < start || *date > end) return true;
        if (!book.totals.add(records::readField(record, f.totale))) {
            book.badRecord = k;
            return false;
        }
        book.lines << cashBookLine(record);
        return true;
    });
    book.readable = read && book.badRecord == 0;
    return book;
}

QString filterTitle(const QString& reasonFilter) {
    const QString trimmed = text::trimmed(reasonFilter);
    return trimmed.isEmpty() ? u"- - -"_s : trimmed;
}

QString intervalText(const QString& startText, const QString& endText) {
    return u"Dal   "_s + startText + u"   al   "_s + endText;
}

QString totalLabel(const money::Amount& total) {
    return money::totalText(total) + u" \u20AC"_s;
}

QString printTitle(const QString& reasonFilter) {
    return u"PRIMANOTA E BILANCIO - Causale :  "_s + filterTitle(reasonFilter);
}

QStringList printLines(const QStringList& lines, const QString& intervalLabel,
                       const money::Totals& totals) {
    QStringList memo = lines;
    memo << u"- - - - - - - - - - - - - - - -"_s;
    memo << padded(u"INTERVALLO SELEZIONATO :"_s) + text::trimmed(intervalLabel);
    memo << padded(u"TOTALE ENTRATE :"_s) + totalLabel(totals.income());
    memo << padded(u"TOTALE USCITE :"_s) + totalLabel(totals.expenses());
    memo << padded(u"BILANCIO ENTRATE E USCITE :"_s) + totalLabel(totals.balance());
    return memo;
}

} // namespace tavolex::accounts
