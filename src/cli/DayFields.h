// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CalDate.h"

#include <array>
#include <ostream>
#include <string>
#include <string_view>

namespace moonleaf::cli {

// Column names of the day table, in order; the JSON form of a day uses them as keys.
inline constexpr std::array<std::string_view, 26> DAY_COLUMNS{
    "date",           "jdn",         "weekday",      "lunar_day",  "lunar_month",
    "lunar_year",     "is_leap",     "has_leap",     "leap_month", "leap_start",
    "leap_end",       "month_days",  "day_canchi",   "day_branch", "month_canchi",
    "year_canchi",    "hour_canchi", "term_name",    "term_start", "term_start_lunar",
    "term_label",     "month_label", "moon_picture", "holiday",    "day_color",
    "lunar_day_color"};

// Receives the fields of one day in column order.
class FieldSink {
public:
    FieldSink() = default;
    FieldSink(const FieldSink&) = delete;
    FieldSink& operator=(const FieldSink&) = delete;
    virtual ~FieldSink() = default;

    // A whole number.
    virtual void Number(std::string_view key, double value) = 0;
    // A text, given in UTF-16 (converted texts) ...
    virtual void Text(std::string_view key, std::u16string_view value) = 0;
    // ... or in ASCII (dates, colour names).
    virtual void Ascii(std::string_view key, std::string_view value) = 0;
};

// Computes every field of the day table for `date` and hands them to `sink` in column order.
void VisitDayFields(const CalDate& date, FieldSink& sink);

// The header line of the day table, with its line end.
std::string TableHeader();

// Appends the table line of `date` (with its line end) to `out`.
void AppendTableRow(std::string& out, const CalDate& date);

// Writes the header and one line per day from `from` to `to` inclusive (both valid dates,
// from <= to). Returns false when the stream reported a write error.
bool WriteTable(const CalDate& from, const CalDate& to, std::ostream& out);

// Appends `utf8` to `out` as a JSON string: quoted, with quote, backslash and control
// characters escaped.
void AppendJsonString(std::string& out, std::string_view utf8);

// The fields of `date` as one JSON object (keys = column names), with a final line end.
std::string DayJson(const CalDate& date);

} // namespace moonleaf::cli
