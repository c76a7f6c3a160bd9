// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/Clock.h"

#include "engine/JulianDay.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace moonleaf {

std::string ClockText(const LocalTime& time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d : %02d : %02d", time.Hour % 100, time.Minute % 100,
                  time.Second % 100);
    return text;
}

LocalTime Clock::Now() const {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto sinceEpoch = now.time_since_epoch();
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    LocalTime time;
    time.Date = CalDate{static_cast<double>(local.tm_mday), static_cast<double>(local.tm_mon + 1),
                        static_cast<double>(local.tm_year) + 1900};
    time.Hour = local.tm_hour;
    time.Minute = local.tm_min;
    time.Second = local.tm_sec;
    // Before 1970 the remainder is negative; the time of day is still whole seconds then.
    time.Millisecond = millis < 0 ? 0 : static_cast<int>(millis);
    return time;
}

LocalTime FixedClock::Now() const {
    LocalTime time = Clock::Now();
    time.Date = today_;
    return time;
}

void ManualClock::Advance(std::int64_t milliseconds) {
    constexpr std::int64_t MS_PER_DAY = std::int64_t{24} * 60 * 60 * 1000;
    std::int64_t ofDay = ((std::int64_t{now_.Hour} * 60 + now_.Minute) * 60 + now_.Second) * 1000 +
                         now_.Millisecond + milliseconds;
    // Floor division, so moving back across midnight lands on the previous day.
    std::int64_t days = ofDay / MS_PER_DAY;
    ofDay %= MS_PER_DAY;
    if (ofDay < 0) {
        ofDay += MS_PER_DAY;
        --days;
    }
    if (days != 0) {
        now_.Date = JdnToDate(DateToJdn(now_.Date.Day, now_.Date.Month, now_.Date.Year) +
                              static_cast<double>(days));
    }
    now_.Millisecond = static_cast<int>(ofDay % 1000);
    now_.Second = static_cast<int>(ofDay / 1000 % 60);
    now_.Minute = static_cast<int>(ofDay / 60000 % 60);
    now_.Hour = static_cast<int>(ofDay / 3600000);
}

} // namespace moonleaf
