// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace moonleaf {

// Everything the calendar shows about one Gregorian date. Texts are VNI; callers convert
// them with VniToUnicode before display. Returned by value; holds nothing of engine state.
struct DayInfo {
    std::u16string WeekdayName;
    double LunarDay = 0;   // 1..30
    double LunarMonth = 0; // 1..12; a leap month carries the number it repeats
    double LunarYear = 0;
    // 1 when the leap facts below place the date in the leap month. They compare Gregorian
    // day and month only, so a few years disagree with the conversion (month 11 of 2034 is
    // marked, leap month 8 of 2052 is not); IsInLeapMonth gives the conversion's answer.
    double IsLeap = 0;
    double HasLeap = 0;   // 1 when the lunar year has a leap month
    double LeapMonth = 0; // 1..12, 0 without leap month
    double LeapStartDay = 0;
    double LeapStartMonth = 0;
    double LeapStartYear = 0;
    double LeapEndDay = 0;
    double LeapEndMonth = 0;
    double LeapEndYear = 0;
    double MonthDays = 0; // 29 or 30
    std::u16string DayCanChi;
    std::int16_t DayBranch = 0; // 0 Tý .. 11 Hợi
    std::u16string MonthCanChi;
    std::u16string YearCanChi;
    std::u16string HourCanChi; // the day's first double-hour (Tý)
    std::u16string TermName;   // solar term in force at the midnight that ends the day
    double TermStartDay = 0;   // Gregorian date of the day during which that term began
    double TermStartMonth = 0;
    double TermStartYear = 0;
    double TermStartLunarDay = 0; // the same day in the lunar calendar
    double TermStartLunarMonth = 0;
    double TermStartLunarYear = 0;

    friend bool operator==(const DayInfo&, const DayInfo&) = default;
};

// The day record of Gregorian date dd/mm/yy at `tz` hours east of UTC (callers pass
// TIMEZONE). Nothing is validated: an impossible date such as 31 February is composed for
// the day DateToJdn gives it, while the leap test compares the dd and mm that were passed.
DayInfo BuildDayInfo(double dd, double mm, double yy, double tz);

namespace plain {
// The same record computed with the plain conversions, without remembered values.
DayInfo BuildDayInfo(double dd, double mm, double yy, double tz);
} // namespace plain

} // namespace moonleaf
