// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CalDate.h"

namespace moonleaf {

// Conversion between the Gregorian calendar and the Vietnamese lunisolar calendar for the
// local day at `tz` hours east of UTC (callers pass TIMEZONE).
//
// Rules: a lunar month starts on the local day of a new moon; month 11 holds the winter
// solstice; when two successive months 11 are more than 365 days apart, the first month
// after month 11 in which the sun stays in one 30-degree sector is a leap month and repeats
// the number of the month before it.
//
// The functions in this namespace remember, per year and per new moon, values they have
// computed before (month-11 starts, leap offsets, new-moon days). The remembered values are
// exactly what the computation gives, so every result equals the one of the functions in
// `moonleaf::plain`, which recompute everything on every call. Not thread-safe: the calendar
// is used from the user-interface thread only.

// JDN of the first day of the lunar month 11 that holds the winter solstice of Gregorian
// year `yy`.
double LunarMonth11Start(double yy, double tz);

// 1..13: position, counted in months after the month 11 that starts at JDN `a11`, of the
// first month whose start lies in the same sun sector as the next month's start; 13 also
// when none of the twelve following months has that property.
double FindLeapOffset(double a11, double tz);

// Lunar day (1..30), month (1..12) and year of a Gregorian date. A day of a leap month
// carries the number of the month it repeats; no leap flag is returned.
CalDate SolarToLunar(double dd, double mm, double yy, double tz);

// Gregorian date of a lunar date; `leap` nonzero asks for the leap month of that number.
// Nothing is validated: a leap flag for a month without leap twin is ignored, and day 30 of
// a 29-day month gives the first day of the next month.
CalDate LunarToSolar(double ld, double lm, double ly, double leap, double tz);

// True when the Gregorian date lies in a leap month, decided by the conversions themselves:
// converting its lunar date back without the leap flag misses the date and with the flag
// finds it.
bool IsInLeapMonth(double dd, double mm, double yy, double tz);

namespace plain {

// The same operations, recomputed from scratch on every call with no remembered values.
double LunarMonth11Start(double yy, double tz);
double FindLeapOffset(double a11, double tz);
CalDate SolarToLunar(double dd, double mm, double yy, double tz);
CalDate LunarToSolar(double ld, double lm, double ly, double leap, double tz);

} // namespace plain
} // namespace moonleaf
