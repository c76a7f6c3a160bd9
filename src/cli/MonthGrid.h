// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CalDate.h"

#include <cstddef>
#include <string>
#include <vector>

namespace moonleaf::cli {

// The first column of a week in the month grid.
enum class WeekStart { Monday, Sunday };

// A named day from one of the calendar's two holiday lists.
struct MonthHoliday {
    std::u16string name; // Unicode, without the trailing blank some names carry
    bool lunar = false;  // from the list keyed by lunar day and month
};

// One day of a Gregorian month with its lunar date.
struct MonthDay {
    CalDate date;
    int weekday = 0; // 0 Sunday .. 6 Saturday
    int lunarDay = 0;
    int lunarMonth = 0;
    int lunarYear = 0;
    bool leap = false; // in a leap month, as the conversions decide it
    // Gregorian list first, then lunar; a lunar day of a leap month is looked up under the
    // number it repeats, as the day view does.
    std::vector<MonthHoliday> holidays;
};

// A lunar month that has at least one day in the Gregorian month.
struct LunarMonthSpan {
    int month = 0;
    int year = 0;
    bool leap = false;
    std::u16string yearCanChi; // Unicode
};

// A Gregorian month as data: its days (the days that exist: October 1582 goes from 4 to 15)
// and the lunar months they fall in, in order.
struct MonthData {
    int year = 0;
    int month = 0;
    std::vector<MonthDay> days;
    std::vector<LunarMonthSpan> lunarMonths;
};

// The month `month` (1..12) of `year` (1..9999). Needs the holiday lists filled.
MonthData ComposeMonth(int year, int month);

// Display width of every line of a month grid: seven cells of six columns.
inline constexpr std::size_t GRID_WIDTH = 42;
// Blank columns between months shown side by side.
inline constexpr std::size_t GRID_GAP = 3;
// Terminal width from which three months go side by side.
inline constexpr std::size_t THREE_MONTHS_WIDTH = 3 * GRID_WIDTH + 2 * GRID_GAP;

struct GridOptions {
    WeekStart weekStart = WeekStart::Monday;
    bool color = false; // ANSI colours instead of the text marks
};

// The grid of one month, without line ends, every line GRID_WIDTH columns wide: the
// Gregorian month and year, the lunar months and Can Chi years covered, the weekday row,
// then two lines per week: the Gregorian day numbers and under each its lunar day ("1/M" on
// the first day of a lunar month, "1/Mn" in a leap month). Without colour a holiday's day
// number is followed by '*' and lunar days 1 and 15 by '+'; with colour Sundays and
// holidays are red, lunar days 1 and 15 bold blue, and the mark columns stay blank.
std::vector<std::string> MonthGridLines(const MonthData& month, const GridOptions& options);

// One line per holiday of the month: "D/M", two blanks and the name, a lunar holiday
// followed by its lunar date. With colour the date is red.
std::vector<std::string> HolidayLines(const MonthData& month, bool color);

// One month, or three (previous, current, next), as the terminal shows them, with line ends:
// the grids side by side when `columns` is at least THREE_MONTHS_WIDTH and below each other
// otherwise (also when `columns` is 0, unknown), and the holidays below the grids.
std::string MonthsText(const std::vector<MonthData>& months, const GridOptions& options,
                       std::size_t columns);

// The months as JSON, with a final line end: one object for one month, an array of objects
// for several.
std::string MonthsJson(const std::vector<MonthData>& months);

} // namespace moonleaf::cli
