// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Remembered results of the three expensive calendar steps. Each entry is filled the first
// time it is asked for, by the same computation the plain path runs, so a remembered value
// is always bit-identical to a recomputed one. Only the time zone TIMEZONE, whole arguments
// and years 0..10000 are remembered; anything else is computed on every call. Internal to
// the engine; not thread-safe (user-interface thread only).

namespace moonleaf::detail {

struct CachedOps {
    static double NewMoon(double k, double tz);
    static double Month11(double yy, double tz);
    static double LeapOffset(double a11, double tz);
};

struct PlainOps {
    static double NewMoon(double k, double tz);
    static double Month11(double yy, double tz);
    static double LeapOffset(double a11, double tz);
};

} // namespace moonleaf::detail
