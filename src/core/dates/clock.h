#pragma once

#include <QDate>
#include <QDateTime>
#include <functional>

namespace tavolex::dates {

// Today's date and the current time for every rule that depends on them (imminent deadlines,
// dates proposed by "Nuovo", print footers), replaceable so that tests can fix the day.
class Clock {
public:
    static QDate today();
    static QDateTime now();
    static void setNow(std::function<QDateTime()> now); // empty restores the system clock
};

} // namespace tavolex::dates
