// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/LunarConversion.h"

#include "engine/LunarAlgorithms.h"
#include "engine/LunarCache.h"

namespace moonleaf {

using detail::CachedOps;
using detail::PlainOps;

double LunarMonth11Start(double yy, double tz) {
    return CachedOps::Month11(yy, tz);
}

double FindLeapOffset(double a11, double tz) {
    return CachedOps::LeapOffset(a11, tz);
}

CalDate SolarToLunar(double dd, double mm, double yy, double tz) {
    return detail::SolarToLunarT<CachedOps>(dd, mm, yy, tz);
}

CalDate LunarToSolar(double ld, double lm, double ly, double leap, double tz) {
    return detail::LunarToSolarT<CachedOps>(ld, lm, ly, leap, tz);
}

bool IsInLeapMonth(double dd, double mm, double yy, double tz) {
    const CalDate date{dd, mm, yy};
    const CalDate lunar = SolarToLunar(dd, mm, yy, tz);
    const CalDate regular = LunarToSolar(lunar.Day, lunar.Month, lunar.Year, 0, tz);
    if (regular == date) {
        return false;
    }
    return LunarToSolar(lunar.Day, lunar.Month, lunar.Year, 1, tz) == date;
}

namespace plain {

double LunarMonth11Start(double yy, double tz) {
    return PlainOps::Month11(yy, tz);
}

double FindLeapOffset(double a11, double tz) {
    return PlainOps::LeapOffset(a11, tz);
}

CalDate SolarToLunar(double dd, double mm, double yy, double tz) {
    return detail::SolarToLunarT<PlainOps>(dd, mm, yy, tz);
}

CalDate LunarToSolar(double ld, double lm, double ly, double leap, double tz) {
    return detail::LunarToSolarT<PlainOps>(ld, lm, ly, leap, tz);
}

} // namespace plain
} // namespace moonleaf
