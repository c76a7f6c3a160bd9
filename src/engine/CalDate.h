// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace moonleaf {

// A day, month and year held as doubles with whole values. It carries a Gregorian date, a
// lunar date (without leap flag) or a holiday key (day and month only, year 0). Years are
// astronomical: year 0 exists and -4712 is 4713 BC.
struct CalDate {
    double Day = 0;
    double Month = 0;
    double Year = 0;

    friend bool operator==(const CalDate&, const CalDate&) = default;
};

// D/M/Y for test failure messages and diagnostics.
template <class Stream> Stream& operator<<(Stream& out, const CalDate& date) {
    out << date.Day << '/' << date.Month << '/' << date.Year;
    return out;
}

} // namespace moonleaf
