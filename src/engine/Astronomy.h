// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CalDate.h"

#include <cmath>

namespace moonleaf {

// Hours east of UTC of the calendar's local day. Every caller passes this value; the engine
// never reads a time zone from the system.
inline constexpr double TIMEZONE = 7.0;

// The calendar's pi: the double nearest to 3.14159265358979, not the full-precision value,
// because the new-moon and sun series were fitted with these digits and the leap months and
// solar-term boundaries they give must stay exactly as published.
inline constexpr double PI = 3.14159265358979;
// 2·pi as the double nearest to 6.28318530717958 (not 2 * PI, which differs in the last bit).
inline constexpr double TWO_PI = 6.28318530717958;
// Degrees to radians.
inline constexpr double DEG_TO_RAD = PI / 180;

// Largest whole number not greater than x: rounds toward negative infinity, so
// Int(-0.5) == -1, never toward zero. Every "whole part" in the engine goes through here.
inline double Int(double x) {
    // Below 2^52 in magnitude a double converts to long long exactly; truncation toward zero
    // is then moved down by one for negative non-whole values. Larger values are already
    // whole; NaN and infinities go through std::floor unchanged.
    constexpr double EXACT_LIMIT = 4503599627370496.0; // 2^52
    if (x > -EXACT_LIMIT && x < EXACT_LIMIT) {
        const auto truncated = static_cast<double>(static_cast<long long>(x));
        return truncated > x ? truncated - 1 : truncated;
    }
    return std::floor(x);
}

// Julian day number of a calendar date (1 January 2000 is 2451545). Dates from
// 15 October 1582 on use the Gregorian rule, earlier ones the Julian rule; the choice tests
// the Gregorian result, so 5..14 October 1582 are read in the Julian calendar. No range
// check: 31 February is computed through. Returns -1 when the arithmetic overflows or is
// undefined (a non-finite argument or result).
double DateToJdn(double dd, double mm, double yy);

// Calendar date of a Julian day number, the inverse of DateToJdn. All three fields are -1
// when the arithmetic overflows or is undefined.
CalDate JdnToDate(double jd);

// JDN of the local day (at `tz` hours east of UTC) that holds the k-th new moon, counted
// from the new moon of 1 January 1900 (k = 0). k is a whole number.
double NewMoonJdn(double k, double tz);

// Apparent solar longitude in radians, 0 <= L < 2·PI, at the Julian date `jd` (fractional,
// whole at noon UTC).
double SunLongitudeRad(double jd);

// 30-degree sector 0..11 of the sun's longitude at the local midnight that starts day `jdn`.
// Sector 0 starts at the vernal equinox; sector 9 at the winter solstice.
double SunSector(double jdn, double tz);

// 15-degree sector 0..23 (the solar term index) of the sun's longitude at the local
// midnight that starts day `jdn`. Index 0 begins at the vernal equinox.
double SolarTermIndex(double jdn, double tz);

} // namespace moonleaf
