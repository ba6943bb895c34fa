#pragma once

#include <QDate>
#include <QDateTime>
#include <functional>

namespace tavolex::ui {

// Today's date and the current time, replaceable in tests.
class Clock {
public:
    static QDate today();
    static QDateTime now();
    static void setNow(std::function<QDateTime()> now); // empty restores the system clock
};

} // namespace tavolex::ui
