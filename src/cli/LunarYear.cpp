// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/LunarYear.h"

#include "engine/JulianDay.h"
#include "engine/LunarConversion.h"

namespace moonleaf::cli {

int LeapMonthOf(int year) {
    const auto y = static_cast<double>(year);
    for (int m = 1; m <= 12; ++m) {
        const CalDate g = LunarToSolar(1, m, y, 1, TIMEZONE);
        const CalDate back = SolarToLunar(g.Day, g.Month, g.Year, TIMEZONE);
        if (back == CalDate{1, static_cast<double>(m), y} &&
            IsInLeapMonth(g.Day, g.Month, g.Year, TIMEZONE)) {
            return m;
        }
    }
    return 0;
}

std::optional<CalDate> ExistingLunarDate(int day, int month, int year, bool leap) {
    const CalDate lunar{static_cast<double>(day), static_cast<double>(month),
                        static_cast<double>(year)};
    const CalDate solar = LunarToSolar(lunar.Day, lunar.Month, lunar.Year, leap ? 1 : 0, TIMEZONE);
    if (SolarToLunar(solar.Day, solar.Month, solar.Year, TIMEZONE) != lunar ||
        IsInLeapMonth(solar.Day, solar.Month, solar.Year, TIMEZONE) != leap) {
        return std::nullopt;
    }
    return solar;
}

AnniversaryDate AnniversaryIn(const LunarAnniversary& anniversary, int year, int leapMonth) {
    const bool leap = anniversary.leap && leapMonth == anniversary.month;
    int day = anniversary.day;
    if (day == 30 && !ExistingLunarDate(30, anniversary.month, year, leap)) {
        day = 29; // every lunar month has at least 29 days
    }
    const CalDate solar = LunarToSolar(day, anniversary.month, year, leap ? 1 : 0, TIMEZONE);
    return {solar, day, leap};
}

} // namespace moonleaf::cli
