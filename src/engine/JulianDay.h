// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CalDate.h"

#include <cmath>

namespace moonleaf {

// Hours east of UTC of the calendar's local day. Every caller passes this value; the engine
// never reads a time zone from the system.
inline constexpr double TIMEZONE = 7.0;

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

} // namespace moonleaf
