// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CalDate.h"

#include <string>
#include <string_view>
#include <variant>

namespace moonleaf::cli {

// Years the command-line program accepts.
inline constexpr double MIN_YEAR = 1;
inline constexpr double MAX_YEAR = 9999;

// Why a text is not an accepted date, as one sentence for the error line.
struct DateError {
    std::string message;
};

// Parses YYYY-MM-DD (four-digit year, two-digit month and day) into a date that exists in
// the calendar the engine counts in: the Julian calendar before 15 October 1582 and the
// Gregorian one from then on, so 2023-02-30 and 1582-10-10 are refused.
std::variant<CalDate, DateError> ParseIsoDate(std::string_view text);

// A Gregorian month.
struct YearMonth {
    int year = 0;
    int month = 0;
};

// Parses YYYY-MM (four-digit year 1..9999, two-digit month 01..12).
std::variant<YearMonth, DateError> ParseYearMonth(std::string_view text);

// True when the date exists in the engine's calendar: converting it to a Julian day number
// and back gives the same day, month and year.
bool DateExists(const CalDate& date);

// YYYY-MM-DD with zero padding.
std::string FormatIsoDate(const CalDate& date);

// D/M/Y without padding, e.g. 22/3/2023.
std::string FormatDmy(double day, double month, double year);

} // namespace moonleaf::cli
