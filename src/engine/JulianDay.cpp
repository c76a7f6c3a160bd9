// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/JulianDay.h"

#include <cmath>

namespace moonleaf {

double DateToJdn(double dd, double mm, double yy) {
    const double a = Int((14 - mm) / 12);
    const double y = yy + 4800 - a;
    const double m = mm + 12 * a - 3;
    double jd =
        dd + Int((153 * m + 2) / 5) + 365 * y + Int(y / 4) - Int(y / 100) + Int(y / 400) - 32045;
    if (jd < 2299161) {
        jd = dd + Int((153 * m + 2) / 5) + 365 * y + Int(y / 4) - 32083;
    }
    if (!std::isfinite(jd)) {
        return -1;
    }
    return jd;
}

CalDate JdnToDate(double jd) {
    double za = 0;
    if (jd < 2299161) {
        za = jd;
    } else {
        const double alpha = Int((jd - 1867216.25) / 36524.25);
        za = jd + 1 + alpha - Int(alpha / 4);
    }
    const double zb = za + 1524;
    const double zc = Int((zb - 122.1) / 365.25);
    const double zd = Int(365.25 * zc);
    const double ze = Int((zb - zd) / 30.6001);
    CalDate date;
    date.Day = Int(zb - zd - Int(30.6001 * ze));
    date.Month = ze < 14 ? ze - 1 : ze - 13;
    date.Year = date.Month > 2 ? zc - 4716 : zc - 4715;
    if (!std::isfinite(date.Day) || !std::isfinite(date.Month) || !std::isfinite(date.Year)) {
        return CalDate{-1, -1, -1};
    }
    return date;
}

} // namespace moonleaf
