// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/LunarCache.h"

#include "engine/LunarAlgorithms.h"

#include <array>
#include <cstdint>

namespace moonleaf::detail {
namespace {

// Years 0..10000 hold about 123,700 lunar months. New moon k = 0 is in January 1900, so
// year 0 starts near k = -23,500 and year 10000 near k = 100,200; the table spans both with
// a margin for the look-ahead of the leap search (k + 14) and the look-back of SolarToLunar.
constexpr long K_MIN = -23600;
constexpr long K_MAX = 100300;
constexpr long YEAR_MIN = 0;
constexpr long YEAR_MAX = 10000;

// Zero marks an empty slot: new-moon days and month-11 starts are JDNs above 1.6 million in
// the covered range, and leap offsets are 1..13.
std::array<double, K_MAX - K_MIN + 1> gNewMoonDay{};
std::array<std::int8_t, K_MAX - K_MIN + 1> gLeapOffset{};
std::array<double, YEAR_MAX - YEAR_MIN + 1> gMonth11Start{};

// Slot of a whole number within [lo, hi], or -1 when the value is not remembered.
long SlotOf(double value, long lo, long hi) {
    if (!(value >= static_cast<double>(lo) && value <= static_cast<double>(hi))) {
        return -1; // also rejects NaN
    }
    const auto whole = static_cast<long>(value);
    if (static_cast<double>(whole) != value) {
        return -1;
    }
    return whole - lo;
}

} // namespace

double PlainOps::NewMoon(double k, double tz) {
    return NewMoonJdn(k, tz);
}

double PlainOps::Month11(double yy, double tz) {
    return LunarMonth11StartT<PlainOps>(yy, tz);
}

double PlainOps::LeapOffset(double a11, double tz) {
    return FindLeapOffsetFromIndex<PlainOps>(NewMoonIndexOf(a11), tz);
}

double CachedOps::NewMoon(double k, double tz) {
    const long slot = tz == TIMEZONE ? SlotOf(k, K_MIN, K_MAX) : -1;
    if (slot < 0) {
        return NewMoonJdn(k, tz);
    }
    double& day = gNewMoonDay[static_cast<std::size_t>(slot)];
    if (day == 0) {
        day = NewMoonJdn(k, tz);
    }
    return day;
}

double CachedOps::Month11(double yy, double tz) {
    const long slot = tz == TIMEZONE ? SlotOf(yy, YEAR_MIN, YEAR_MAX) : -1;
    if (slot < 0) {
        return LunarMonth11StartT<CachedOps>(yy, tz);
    }
    double& start = gMonth11Start[static_cast<std::size_t>(slot)];
    if (start == 0) {
        start = LunarMonth11StartT<CachedOps>(yy, tz);
    }
    return start;
}

double CachedOps::LeapOffset(double a11, double tz) {
    // The offset depends on a11 only through the index of its new moon.
    const double k = NewMoonIndexOf(a11);
    const long slot = tz == TIMEZONE ? SlotOf(k, K_MIN, K_MAX) : -1;
    if (slot < 0) {
        return FindLeapOffsetFromIndex<CachedOps>(k, tz);
    }
    std::int8_t& offset = gLeapOffset[static_cast<std::size_t>(slot)];
    if (offset == 0) {
        offset = static_cast<std::int8_t>(FindLeapOffsetFromIndex<CachedOps>(k, tz));
    }
    return offset;
}

} // namespace moonleaf::detail
