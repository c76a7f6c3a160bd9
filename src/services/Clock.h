// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CalDate.h"

namespace moonleaf {

// Where "today" enters the program. The engine never reads the time; the windows and the
// command-line program ask a Clock, and tests hand them a fixed one.
class Clock {
public:
    Clock() = default;
    Clock(const Clock&) = default;
    Clock& operator=(const Clock&) = default;
    virtual ~Clock() = default;

    // Today's local date (day, month, year) as the system's clock and time zone give it.
    virtual CalDate Today() const;
};

// A clock that always answers the same day.
class FixedClock final : public Clock {
public:
    explicit FixedClock(const CalDate& today) : today_(today) {}
    CalDate Today() const override { return today_; }

private:
    CalDate today_;
};

} // namespace moonleaf
