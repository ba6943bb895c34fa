#pragma once

#include "dates/clock.h"

namespace tavolex::ui {

// Screens read today's date and the time from the one clock of the core rules, so that a
// test that fixes the day fixes it for both.
using dates::Clock;

} // namespace tavolex::ui
