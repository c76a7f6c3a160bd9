// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/Clock.h"

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

LocalTime At(CalDate date, int h, int m, int s, int ms = 0) {
    return LocalTime{date, h, m, s, ms};
}

TEST(ManualClock, MovesAcrossMidnightAndYearEndBothWays) {
    ManualClock clock(At({31, 12, 2026}, 23, 59, 59, 500));
    clock.Advance(600);
    EXPECT_EQ(clock.Now(), At({1, 1, 2027}, 0, 0, 0, 100));
    EXPECT_EQ(clock.Today(), (CalDate{1, 1, 2027}));
    clock.Advance(-700); // a clock set back crosses midnight the other way
    EXPECT_EQ(clock.Now(), At({31, 12, 2026}, 23, 59, 59, 400));
}

TEST(ManualClock, AdvanceDayKeepsTheTimeOfDayAndKnowsLeapDays) {
    ManualClock clock(At({28, 2, 2024}, 0, 5, 9));
    clock.AdvanceDay();
    EXPECT_EQ(clock.Now(), At({29, 2, 2024}, 0, 5, 9));
    clock.AdvanceDay();
    EXPECT_EQ(clock.Now(), At({1, 3, 2024}, 0, 5, 9));
    clock.Advance(-std::int64_t{40} * 24 * 60 * 60 * 1000);
    EXPECT_EQ(clock.Today(), (CalDate{21, 1, 2024}));
}

TEST(ClockText, TwoDigitsEachPartedByBlankColonBlank) {
    EXPECT_EQ(ClockText(At({1, 1, 2027}, 0, 5, 9)), "00 : 05 : 09");
    EXPECT_EQ(ClockText(At({1, 1, 2027}, 23, 59, 59, 999)), "23 : 59 : 59");
}

TEST(SystemClock, TodayIsTheDateOfNow) {
    const Clock clock;
    const LocalTime now = clock.Now();
    EXPECT_GE(now.Hour, 0);
    EXPECT_LT(now.Hour, 24);
    EXPECT_LT(now.Millisecond, 1000);
    // Read twice; equal unless midnight passed between the two reads.
    const CalDate today = clock.Today();
    EXPECT_TRUE(today == now.Date || today == clock.Now().Date);
}

TEST(FixedClock, FixesTheDateButNotTheTime) {
    const FixedClock clock({17, 2, 2026});
    EXPECT_EQ(clock.Today(), (CalDate{17, 2, 2026}));
    EXPECT_EQ(clock.Now().Date, (CalDate{17, 2, 2026}));
}

} // namespace
} // namespace moonleaf
