// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/DateCode.h"

#include "engine/JulianDay.h"

namespace moonleaf {

std::int32_t DateCode(const CalDate& date) {
    // Two digits of the year: the last two of its decimal writing, also for years before 1.
    const double year = date.Year - 100 * Int(date.Year / 100); // [0, 100)
    return static_cast<std::int32_t>(date.Day) * 10000 +
           static_cast<std::int32_t>(date.Month) * 100 + static_cast<std::int32_t>(year);
}

} // namespace moonleaf
