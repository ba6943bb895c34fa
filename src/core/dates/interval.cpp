#include "interval.h"

#include "datetext.h"
#include "text/casing.h"

#include <optional>

namespace tavolex::dates {

using namespace Qt::Literals::StringLiterals;

namespace {

// The line breaks of the plain messages: LF CR LF CR.
QString breaks() {
    return u"\n\r\n\r"_s;
}

IntervalVerdict failed(IntervalCheck check, const QString& message) {
    IntervalVerdict v;
    v.check = check;
    v.message = message;
    v.warning = check == IntervalCheck::StartMissing || check == IntervalCheck::EndMissing;
    return v;
}

QString missing(const QString& which) {
    return u"Attenzione: per visualizzare il riepilogo \u00E8 necessario indicare la data di "_s +
           which + u" intervallo."_s;
}

QString notADay(const QString& date, const QString& which) {
    return u"Attenzione: la data "_s + date + u" di "_s + which + u" intervallo non esiste."_s +
           breaks() +
           u"Per poter visualizzare il riepilogo \u00E8 necessario indicare una data valida."_s;
}

QString reversed(const QString& start, const QString& end) {
    return u"Attenzione: la data di fine intervallo ("_s + end +
           u") non pu\u00F2 essere anteriore a quella di inizio intervallo ("_s + start + u")."_s +
           breaks() +
           u"Per poter visualizzare il riepilogo \u00E8 necessario indicare un intervallo di "
           u"tempo valido."_s;
}

} // namespace

IntervalVerdict checkInterval(const QString& startText, const QString& endText) {
    const QString start = text::trimmed(startText);
    const QString end = text::trimmed(endText);
    if (start.isEmpty()) return failed(IntervalCheck::StartMissing, missing(u"inizio"_s));
    if (end.isEmpty()) return failed(IntervalCheck::EndMissing, missing(u"fine"_s));
    const std::optional<QDate> first = parseDate(start);
    if (!first) return failed(IntervalCheck::StartInvalid, notADay(start, u"inizio"_s));
    const std::optional<QDate> last = parseDate(end);
    if (!last) return failed(IntervalCheck::EndInvalid, notADay(end, u"fine"_s));
    if (*first > *last) return failed(IntervalCheck::Reversed, reversed(start, end));
    IntervalVerdict v;
    v.start = *first;
    v.end = *last;
    return v;
}

} // namespace tavolex::dates
