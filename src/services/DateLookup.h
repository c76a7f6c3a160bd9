// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace moonleaf {

// The rules of the lookup dialog, which turns a Gregorian date picked from three lists
// into its lunar date and names.

// The years the year list offers.
inline constexpr int LOOKUP_FIRST_YEAR = 1900;
inline constexpr int LOOKUP_LAST_YEAR = 2100;

// The number of entries of the day list for `month` (1..12): 31 for months 1, 3, 5, 7, 8,
// 10 and 12; 30 for 4, 6, 9 and 11; for any other month (February) 29 in a leap year, else
// 28. Leap years are those of IsLeapYear.
int DayListLength(double month, bool leapYear);

// The day list after a change of month or year: how many entries it holds and which one is
// selected (0 for day 1).
struct DayListChoice {
    int Entries = 0;
    int Selected = 0;

    friend bool operator==(const DayListChoice&, const DayListChoice&) = default;
};

// The day list for `month` of `year`, keeping `dayToKeep` (the day the list showed, or
// today's day when it showed none) when that day exists in the month and is not day 1. A day
// the month lacks falls back to day 1, not to the month's last day.
DayListChoice DayListFor(double dayToKeep, double month, double year);

// The four result lines of a lookup, in Unicode, named after the labels that show them.
struct LookupLines {
    std::u16string lbDuong; // the Gregorian date asked for
    std::u16string lbAm;    // the lunar date
    std::u16string lbStr;   // the Can Chi names of the day, the lunar month and the year
    std::u16string lbGio;   // the lunar date in short form and the day's first double-hour

    friend bool operator==(const LookupLines&, const LookupLines&) = default;
};

// The lines for the date whose list texts are `dayText`, `monthText`, `yearText` (the texts
// appear in line 1 as they stand; their numbers select the date), with the lunar facts
// computed at the time zone of the calendar.
LookupLines ComposeLookup(const std::u16string& dayText, const std::u16string& monthText,
                          const std::u16string& yearText);

} // namespace moonleaf
