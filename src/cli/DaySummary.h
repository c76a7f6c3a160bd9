// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CalDate.h"

#include <string>

namespace moonleaf::cli {

// The day view of `date` as text for a terminal, laid out like the calendar panel: the
// Gregorian half on top (month names, year, day number, weekday, holiday), the lunar half
// below (Can Chi of hour, day, month and year, lunar month and day, solar term, animal and
// moon). With `color` the day numbers carry the panel's colours as ANSI escapes.
std::string DaySummary(const CalDate& date, bool color);

} // namespace moonleaf::cli
