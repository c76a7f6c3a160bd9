// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CalDate.h"

#include <cstdint>
#include <string>

namespace moonleaf {

// Two fixed lists of named days: traditional festivals keyed by lunar day and month
// (slots 0..50) and observances keyed by Gregorian day and month (slots 0..100). Names are
// VNI; callers convert them. Slots never filled keep day 0, month 0 and an empty name.

// Both lists hold the built-in rows from their first use on, so a lookup never needs a call
// before it. InitHolidays writes the built-in rows into their slots again (the program's
// start-up does it once); entries added to slots past the rows stay.
void InitHolidays();

// Stores one entry: day, then month, then name. Returns false, storing nothing, when the
// index lies outside 0..50 (lunar) or 0..100 (Gregorian).
bool AddLunarHoliday(std::int16_t index, double day, double month, const std::u16string& name);
bool AddSolarHoliday(std::int16_t index, double day, double month, const std::u16string& name);

// Name of the first entry whose day and month equal the date's (the year is ignored), or the
// empty string. The lunar search covers slots 0..49 and the Gregorian one 0..99, so the last
// slot of each list is never searched; where two entries share a day the earlier one wins.
std::u16string FindLunarHoliday(const CalDate& lunarDate);
std::u16string FindSolarHoliday(const CalDate& date);

// FindSolarHoliday when `solar` is nonzero, FindLunarHoliday when it is 0: the flag, not
// the date, selects the list.
std::u16string HolidayName(const CalDate& date, std::int32_t solar);

} // namespace moonleaf
