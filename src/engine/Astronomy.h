// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/JulianDay.h"

namespace moonleaf {

// The calendar's pi: the double nearest to 3.14159265358979, not the full-precision value,
// because the new-moon and sun series were fitted with these digits and the leap months and
// solar-term boundaries they give must stay exactly as published.
inline constexpr double PI = 3.14159265358979;
// 2·pi as the double nearest to 6.28318530717958 (not 2 * PI, which differs in the last bit).
inline constexpr double TWO_PI = 6.28318530717958;
// Degrees to radians.
inline constexpr double DEG_TO_RAD = PI / 180;

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
