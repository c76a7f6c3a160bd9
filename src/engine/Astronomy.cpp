// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Astronomy.h"

#include <cmath>

namespace moonleaf {
namespace {

// Mean longitude plus equation of centre of the sun, in radians brought into [0, 2·PI).
// T counts Julian centuries from J2000.0. Shared by SunSector and SunLongitudeRad so that
// both see the same longitude for the same instant.
double SunLongitudeSeries(double T) {
    const double T2 = T * T;
    const double M = 357.5291 + 35999.0503 * T - 0.0001559 * T2 - 0.00000048 * T * T2;
    const double L0 = 280.46645 + 36000.76983 * T + 0.0003032 * T2;
    const double DL = (1.9146 - 0.004817 * T - 0.000014 * T2) * std::sin(DEG_TO_RAD * M) +
                      (0.019993 - 0.000101 * T) * std::sin(2 * DEG_TO_RAD * M) +
                      0.00029 * std::sin(3 * DEG_TO_RAD * M);
    double L = (L0 + DL) * DEG_TO_RAD;
    L = L - TWO_PI * Int(L / TWO_PI);
    // The reduction can land a rounding step outside [0, 2·PI) when L is within one ulp of a
    // multiple of 2·PI; fold it back so the sector indices stay in range.
    if (L < 0) {
        L += TWO_PI;
    } else if (L >= TWO_PI) {
        L -= TWO_PI;
    }
    return L;
}

} // namespace

double NewMoonJdn(double k, double tz) {
    const double T = k / 1236.85; // Julian centuries from 1900 January 0.5
    const double T2 = T * T;
    const double T3 = T2 * T;
    double Jd1 = 2415020.75933 + 29.53058868 * k + 0.0001178 * T2 - 0.000000155 * T3;
    Jd1 = Jd1 + 0.00033 * std::sin((166.56 + 132.87 * T - 0.009173 * T2) * DEG_TO_RAD);
    const double M = 359.2242 + 29.10535608 * k - 0.0000333 * T2 - 0.00000347 * T3;
    const double Mpr = 306.0253 + 385.81691806 * k + 0.0107306 * T2 + 0.00001236 * T3;
    const double F = 21.2964 + 390.67050646 * k - 0.0016528 * T2 - 0.00000239 * T3;
    // The thirteen periodic terms, summed in this order; each angle in degrees is turned
    // into radians before the sine.
    const auto sinDeg = [](double degrees) { return std::sin(degrees * DEG_TO_RAD); };
    double C1 = (0.1734 - 0.000393 * T) * sinDeg(M);
    C1 += 0.0021 * sinDeg(2 * M);
    C1 -= 0.4068 * sinDeg(Mpr);
    C1 += 0.0161 * sinDeg(2 * Mpr);
    C1 -= 0.0004 * sinDeg(3 * Mpr);
    C1 += 0.0104 * sinDeg(2 * F);
    C1 -= 0.0051 * sinDeg(M + Mpr);
    C1 -= 0.0074 * sinDeg(M - Mpr);
    C1 += 0.0004 * sinDeg(2 * F + M);
    C1 -= 0.0004 * sinDeg(2 * F - M);
    C1 -= 0.0006 * sinDeg(2 * F + Mpr);
    C1 += 0.0010 * sinDeg(2 * F - Mpr);
    C1 += 0.0005 * sinDeg(2 * Mpr + M);
    double deltat = 0;
    if (T < -11) {
        deltat = 0.001 + 0.000839 * T + 0.0002261 * T2 - 0.00000845 * T3 - 0.000000081 * T * T3;
    } else {
        deltat = -0.000278 + 0.000265 * T + 0.000262 * T2;
    }
    const double JdNew = Jd1 + C1 - deltat; // Julian date of the new moon, UTC
    return Int(JdNew + 0.5 + tz / 24);
}

double SunLongitudeRad(double jd) {
    return SunLongitudeSeries((jd - 2451545.0) / 36525);
}

double SunSector(double jdn, double tz) {
    const double T = ((jdn - 2451545.5) - tz / 24) / 36525;
    return Int(SunLongitudeSeries(T) / PI * 6);
}

double SolarTermIndex(double jdn, double tz) {
    return Int(SunLongitudeRad((jdn - 0.5) - tz / 24) / PI * 12);
}

} // namespace moonleaf
