#include "clock.h"

namespace tavolex::dates {

namespace {
std::function<QDateTime()>& source() {
    static std::function<QDateTime()> now;
    return now;
}
} // namespace

QDateTime Clock::now() {
    return source() ? source()() : QDateTime::currentDateTime();
}

QDate Clock::today() {
    return now().date();
}

void Clock::setNow(std::function<QDateTime()> now) {
    source() = std::move(now);
}

} // namespace tavolex::dates
