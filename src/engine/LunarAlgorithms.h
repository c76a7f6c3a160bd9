// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The conversion algorithms written once over their three expensive steps, so the plain
// and the remembering variants run the very same arithmetic. `Ops` provides:
//   static double NewMoon(double k, double tz);         // NewMoonJdn
//   static double Month11(double yy, double tz);        // LunarMonth11Start
//   static double LeapOffset(double a11, double tz);    // FindLeapOffset
// Internal to the engine.

#include "engine/Astronomy.h"
#include "engine/CalDate.h"

namespace moonleaf::detail {

// Mean synodic month in days.
inline constexpr double SYNODIC_MONTH = 29.530588853;
// New-moon epoch used to find the index k of a month already known to start on a new moon.
inline constexpr double NEW_MOON_EPOCH = 2415021.07699869;
// The same epoch three days later, used by SolarToLunar so that k never overshoots.
inline constexpr double NEW_MOON_EPOCH_LATE = 2415024.07699869;
// Local day (tz 7) of new moon k = 0, reference of the month-11 search.
inline constexpr double MONTH11_REFERENCE_DAY = 2415021;

// Index k of the new moon that starts the month beginning on day `monthStart`.
inline double NewMoonIndexOf(double monthStart) {
    return Int((monthStart - NEW_MOON_EPOCH) / SYNODIC_MONTH + 0.5);
}

template <class Ops> double LunarMonth11StartT(double yy, double tz) {
    const double off = DateToJdn(31, 12, yy) - MONTH11_REFERENCE_DAY;
    const double k = Int(off / SYNODIC_MONTH);
    double nm = Ops::NewMoon(k, tz);
    if (SunSector(nm, tz) >= 9) {
        // The month starting at nm lies already past the solstice.
        nm = Ops::NewMoon(k - 1, tz);
    }
    return nm;
}

template <class Ops> double FindLeapOffsetFromIndex(double k, double tz) {
    // Walk the months after month 11 until two successive month starts lie in the same sun
    // sector. The bound of 14 looks one month past the thirteen a leap cycle holds; when it
    // runs out the result is 13 ("none found").
    double i = 1;
    double arc = SunSector(Ops::NewMoon(k + 1, tz), tz);
    double last = 0;
    do {
        last = arc;
        i = i + 1;
        arc = SunSector(Ops::NewMoon(k + i, tz), tz);
    } while (arc != last && i < 14);
    return i - 1;
}

template <class Ops> CalDate SolarToLunarT(double dd, double mm, double yy, double tz) {
    const double dayNumber = DateToJdn(dd, mm, yy);
    const double k = Int((dayNumber - NEW_MOON_EPOCH_LATE) / SYNODIC_MONTH);
    double monthStart = Ops::NewMoon(k + 1, tz);
    if (monthStart > dayNumber) {
        monthStart = Ops::NewMoon(k, tz);
    }
    double a11 = Ops::Month11(yy, tz);
    double b11 = a11;
    double lunarYear = 0;
    if (a11 > monthStart) {
        lunarYear = yy;
        a11 = Ops::Month11(yy - 1, tz);
    } else {
        lunarYear = yy + 1;
        b11 = Ops::Month11(yy + 1, tz);
    }
    const double lunarDay = dayNumber - monthStart + 1;
    const double diff = Int((monthStart - a11) / 29); // whole months since a11
    double lunarMonth = diff + 11;
    if (b11 - a11 > 365) {
        const double leapOff = Ops::LeapOffset(a11, tz);
        if (diff >= leapOff) {
            lunarMonth = diff + 10;
        }
    }
    if (lunarMonth > 12) {
        lunarMonth = lunarMonth - 12;
    }
    if (lunarMonth >= 11 && diff < 4) {
        lunarYear = lunarYear - 1;
    }
    return CalDate{lunarDay, lunarMonth, lunarYear};
}

template <class Ops>
CalDate LunarToSolarT(double ld, double lm, double ly, double leap, double tz) {
    double a11 = 0;
    double b11 = 0;
    if (lm < 11) {
        a11 = Ops::Month11(ly - 1, tz);
        b11 = Ops::Month11(ly, tz);
    } else {
        a11 = Ops::Month11(ly, tz);
        b11 = Ops::Month11(ly + 1, tz);
    }
    double off = lm - 11;
    if (off < 0) {
        off = off + 12;
    }
    if (b11 - a11 > 365) {
        const double leapOff = Ops::LeapOffset(a11, tz);
        double leapMonth = leapOff - 2;
        if (leapMonth < 0) {
            leapMonth = leapMonth + 12;
        }
        if (leap != 0 && lm != leapMonth) {
            // The requested leap month does not exist: keep the unshifted position.
        } else if (leap != 0 || off >= leapOff) {
            off = off + 1;
        }
    }
    const double k = NewMoonIndexOf(a11);
    const double monthStart = Ops::NewMoon(k + off, tz);
    return JdnToDate(monthStart + ld - 1);
}

} // namespace moonleaf::detail
