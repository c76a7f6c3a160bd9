// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CalDate.h"

#include <optional>

namespace moonleaf::cli {

// The leap month of lunar year `year` as the conversions give it (the month whose day 1
// converts back with the leap flag), or 0 when the year has none.
int LeapMonthOf(int year);

// The Gregorian date of lunar day/month/year, in the leap month of that number when `leap`,
// or nothing when that lunar date does not exist (day 30 of a 29-day month, a leap month the
// year lacks): the date must convert back to the same lunar day, month, year and leap flag.
std::optional<CalDate> ExistingLunarDate(int day, int month, int year, bool leap);

// A date that comes back every lunar year, such as a death anniversary (giỗ): day 1..30 of
// month 1..12, in the leap month of that number when `leap`.
struct LunarAnniversary {
    int day = 1;
    int month = 1;
    bool leap = false;

    friend bool operator==(const LunarAnniversary&, const LunarAnniversary&) = default;
};

// Where an anniversary falls in one lunar year.
struct AnniversaryDate {
    CalDate solar;     // the Gregorian date
    int lunarDay = 0;  // the lunar day it is kept on (29 when day 30 does not exist)
    bool leap = false; // kept in the leap month
};

// The day on which `anniversary` is kept in lunar year `year`, whose leap month is
// `leapMonth` (LeapMonthOf(year), given by the caller, who places many dates in one year).
// A date in a leap month falls in the leap month when the year has that leap month and in
// the ordinary month of the same number otherwise; day 30 falls on day 29 when the month has
// 29 days that year.
AnniversaryDate AnniversaryIn(const LunarAnniversary& anniversary, int year, int leapMonth);

} // namespace moonleaf::cli
