// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CalDate.h"

#include <cstdint>
#include <string>

namespace moonleaf {

// A local date and time of day, as the system's clock and time zone give them.
struct LocalTime {
    CalDate Date;         // day, month, year
    int Hour = 0;         // 0..23
    int Minute = 0;       // 0..59
    int Second = 0;       // 0..59 (60 only in a leap second)
    int Millisecond = 0;  // 0..999

    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

// The time of day as the calendar's clock shows it: two digits each, 24-hour, the fields
// parted by blank-colon-blank ("00 : 05 : 09").
std::string ClockText(const LocalTime& time);

// Where "today" and "now" enter the program. The engine never reads the time; the windows and
// the command-line program ask a Clock, and tests hand them one they control.
class Clock {
public:
    Clock() = default;
    Clock(const Clock&) = default;
    Clock& operator=(const Clock&) = default;
    virtual ~Clock() = default;

    // The present local date and time of day, read anew on every call, so a change of the
    // system clock or time zone shows at the next call.
    virtual LocalTime Now() const;
    // Today's local date (day, month, year): the date of Now().
    virtual CalDate Today() const { return Now().Date; }
};

// A clock that always answers the same day; its time of day is the system's.
class FixedClock final : public Clock {
public:
    explicit FixedClock(const CalDate& today) : today_(today) {}
    LocalTime Now() const override;
    CalDate Today() const override { return today_; }

private:
    CalDate today_;
};

// A clock that stands still until it is moved: tests set it and move it forward (or back,
// as a change of the system clock does) and then run what would have run at that moment.
class ManualClock final : public Clock {
public:
    explicit ManualClock(const LocalTime& now) : now_(now) {}
    LocalTime Now() const override { return now_; }

    void Set(const LocalTime& now) { now_ = now; }
    // Moves the clock by `milliseconds` (negative moves it back), carrying into the date.
    void Advance(std::int64_t milliseconds);
    // Moves the clock to the same time of day on the next day.
    void AdvanceDay() { Advance(std::int64_t{24} * 60 * 60 * 1000); }

private:
    LocalTime now_;
};

} // namespace moonleaf
