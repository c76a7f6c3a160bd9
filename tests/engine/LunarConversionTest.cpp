// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/LunarConversion.h"
#include "engine/JulianDay.h"

#include <gtest/gtest.h>

#include <ostream>

namespace moonleaf {
namespace {

struct ConversionRow {
    const char* tag;
    CalDate solar;
    CalDate lunar;
    bool leap;
};

void PrintTo(const ConversionRow& row, std::ostream* out) {
    *out << row.tag;
}

class Conversion : public testing::TestWithParam<ConversionRow> {};

TEST_P(Conversion, SolarToLunarAndBack) {
    const ConversionRow& row = GetParam();
    const CalDate& s = row.solar;
    EXPECT_EQ(SolarToLunar(s.Day, s.Month, s.Year, TIMEZONE), row.lunar);
    EXPECT_EQ(plain::SolarToLunar(s.Day, s.Month, s.Year, TIMEZONE), row.lunar);
    EXPECT_EQ(IsInLeapMonth(s.Day, s.Month, s.Year, TIMEZONE), row.leap);
    const CalDate& l = row.lunar;
    EXPECT_EQ(LunarToSolar(l.Day, l.Month, l.Year, row.leap ? 1 : 0, TIMEZONE), s);
    EXPECT_EQ(plain::LunarToSolar(l.Day, l.Month, l.Year, row.leap ? 1 : 0, TIMEZONE), s);
}

INSTANTIATE_TEST_SUITE_P(
    KnownDates, Conversion,
    testing::Values(
        ConversionRow{"tet2023", {22, 1, 2023}, {1, 1, 2023}, false},
        ConversionRow{"tet2024", {10, 2, 2024}, {1, 1, 2024}, false},
        ConversionRow{"tet2025", {29, 1, 2025}, {1, 1, 2025}, false},
        ConversionRow{"tet2000", {5, 2, 2000}, {1, 1, 2000}, false},
        ConversionRow{"newYear2000InMonth11Of1999", {1, 1, 2000}, {25, 11, 1999}, false},
        ConversionRow{"leapMonth2Of2023FirstDay", {22, 3, 2023}, {1, 2, 2023}, true},
        ConversionRow{"leapMonth2Of2023SecondDay", {23, 3, 2023}, {2, 2, 2023}, true},
        ConversionRow{"regularMonth2Of2023", {20, 2, 2023}, {1, 2, 2023}, false},
        ConversionRow{"month3AfterLeap2023", {20, 4, 2023}, {1, 3, 2023}, false},
        // Outside references: the Vietnamese New Year as published for these years. In 1985
        // and 2007 it differs from the Chinese one (UTC+8), which is why the time zone is 7.
        ConversionRow{"tet1985OneMonthBeforeChina", {21, 1, 1985}, {1, 1, 1985}, false},
        ConversionRow{"tet2007OneDayBeforeChina", {17, 2, 2007}, {1, 1, 2007}, false},
        ConversionRow{"tet2020", {25, 1, 2020}, {1, 1, 2020}, false},
        ConversionRow{"tet2026", {17, 2, 2026}, {1, 1, 2026}, false},
        ConversionRow{"midAutumn2026", {25, 9, 2026}, {15, 8, 2026}, false}),
    [](const testing::TestParamInfo<ConversionRow>& row) { return row.param.tag; });

TEST(LunarMonth11Start, HoldsTheWinterSolstice) {
    EXPECT_EQ(LunarMonth11Start(2022, TIMEZONE), DateToJdn(24, 11, 2022));
    EXPECT_EQ(LunarMonth11Start(2023, TIMEZONE), DateToJdn(13, 12, 2023));
    EXPECT_EQ(plain::LunarMonth11Start(2022, TIMEZONE), DateToJdn(24, 11, 2022));
}

TEST(FindLeapOffset, LeapMonth2Of2023IsTheFourthMonthAfterMonth11) {
    EXPECT_EQ(FindLeapOffset(LunarMonth11Start(2022, TIMEZONE), TIMEZONE), 4);
    EXPECT_EQ(plain::FindLeapOffset(LunarMonth11Start(2022, TIMEZONE), TIMEZONE), 4);
}

TEST(LunarToSolar, ComputesThroughWithoutValidation) {
    // Day 30 of the 29-day first month of 2023 is the first day of month 2.
    EXPECT_EQ(LunarToSolar(30, 1, 2023, 0, TIMEZONE), (CalDate{20, 2, 2023}));
    // A leap flag for a month without leap twin keeps the unshifted position: before the
    // leap month that is the regular month, after it the month one earlier.
    EXPECT_EQ(LunarToSolar(1, 1, 2023, 1, TIMEZONE), LunarToSolar(1, 1, 2023, 0, TIMEZONE));
    EXPECT_EQ(LunarToSolar(1, 5, 2023, 1, TIMEZONE), LunarToSolar(1, 4, 2023, 0, TIMEZONE));
}

TEST(IsInLeapMonth, FollowsTheConversionWhereTheRecordDoesNot) {
    // Month 11 of 2034 is a regular month, and 2052 has a leap month 8.
    EXPECT_FALSE(IsInLeapMonth(15, 12, 2034, TIMEZONE));
    EXPECT_TRUE(IsInLeapMonth(23, 9, 2052, TIMEZONE));
    EXPECT_EQ(SolarToLunar(23, 9, 2052, TIMEZONE).Month, 8);
}

TEST(RememberedValues, OtherTimeZonesAndFractionsAreComputedPlainly) {
    // Only TIMEZONE and whole arguments are remembered; other calls still give the plain
    // results (UTC+8 places the 1985 New Year a month later).
    EXPECT_EQ(SolarToLunar(20, 2, 1985, 8), plain::SolarToLunar(20, 2, 1985, 8));
    EXPECT_EQ(SolarToLunar(20, 2, 1985, 8), (CalDate{1, 1, 1985}));
    EXPECT_EQ(LunarMonth11Start(2022.5, TIMEZONE), plain::LunarMonth11Start(2022.5, TIMEZONE));
    EXPECT_EQ(SolarToLunar(1, 1, 12000, TIMEZONE), plain::SolarToLunar(1, 1, 12000, TIMEZONE));
}

} // namespace
} // namespace moonleaf
