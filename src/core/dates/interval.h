#pragma once

#include <QDate>
#include <QString>

namespace tavolex::dates {

// The checks of an interval of days typed or built as two "dd/mm/yyyy" texts, as the period
// summaries make them before listing anything. In order; the first failure wins.
enum class IntervalCheck { Ok, StartMissing, EndMissing, StartInvalid, EndInvalid, Reversed };

struct IntervalVerdict {
    IntervalCheck check = IntervalCheck::Ok;
    QString message;      // empty when Ok
    bool warning = false; // the two "missing" messages are warnings, the others plain messages
    QDate start, end;     // set when Ok

    // Both ends included, whole days; never true for a failed check.
    bool contains(const QDate& date) const {
        return check == IntervalCheck::Ok && date.isValid() && start <= date && date <= end;
    }
};

// The texts are trimmed first, and the messages quote them trimmed. A screen that builds its
// dates from lists (so they are never empty) meets only the last three checks.
IntervalVerdict checkInterval(const QString& startText, const QString& endText);

} // namespace tavolex::dates
