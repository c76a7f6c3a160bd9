// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DayInfo.h"
#include "engine/JulianDay.h"

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

CalDate LeapStart(const DayInfo& i) {
    return {i.LeapStartDay, i.LeapStartMonth, i.LeapStartYear};
}
CalDate LeapEnd(const DayInfo& i) {
    return {i.LeapEndDay, i.LeapEndMonth, i.LeapEndYear};
}
CalDate TermStart(const DayInfo& i) {
    return {i.TermStartDay, i.TermStartMonth, i.TermStartYear};
}
CalDate TermStartLunar(const DayInfo& i) {
    return {i.TermStartLunarDay, i.TermStartLunarMonth, i.TermStartLunarYear};
}
CalDate Lunar(const DayInfo& i) {
    return {i.LunarDay, i.LunarMonth, i.LunarYear};
}

TEST(BuildDayInfo, NewYear2023) {
    const DayInfo i = BuildDayInfo(22, 1, 2023, TIMEZONE);
    EXPECT_EQ(Lunar(i), (CalDate{1, 1, 2023}));
    EXPECT_EQ(i.IsLeap, 0);
    EXPECT_EQ(i.HasLeap, 1);
    EXPECT_EQ(i.LeapMonth, 2);
    EXPECT_EQ(LeapStart(i), (CalDate{22, 3, 2023}));
    EXPECT_EQ(LeapEnd(i), (CalDate{19, 4, 2023}));
    EXPECT_EQ(i.MonthDays, 29);
    EXPECT_EQ(i.TermName, u"D9a5i ha2n");
    EXPECT_EQ(TermStart(i), (CalDate{20, 1, 2023}));
    EXPECT_EQ(TermStartLunar(i), (CalDate{29, 12, 2022}));
    EXPECT_EQ(i.WeekdayName, u"Chu3 nha65t");
}

TEST(BuildDayInfo, InsideTheLeapMonth2Of2023) {
    const DayInfo i = BuildDayInfo(23, 3, 2023, TIMEZONE);
    EXPECT_EQ(Lunar(i), (CalDate{2, 2, 2023}));
    EXPECT_EQ(i.IsLeap, 1);
    EXPECT_EQ(i.TermName, u"Xua6n pha6n");
    EXPECT_EQ(TermStart(i), (CalDate{21, 3, 2023}));
    EXPECT_EQ(TermStartLunar(i), (CalDate{30, 2, 2023})); // still the regular month 2
}

TEST(BuildDayInfo, TermBeginningOnTheDayItself) {
    const DayInfo equinox = BuildDayInfo(21, 3, 2023, TIMEZONE);
    EXPECT_EQ(Lunar(equinox), (CalDate{30, 2, 2023}));
    EXPECT_EQ(equinox.IsLeap, 0);
    EXPECT_EQ(equinox.TermName, u"Xua6n pha6n");
    EXPECT_EQ(TermStart(equinox), (CalDate{21, 3, 2023}));

    const DayInfo grainRain = BuildDayInfo(20, 4, 2023, TIMEZONE);
    EXPECT_EQ(Lunar(grainRain), (CalDate{1, 3, 2023}));
    EXPECT_EQ(grainRain.IsLeap, 0);
    EXPECT_EQ(grainRain.TermName, u"Co61c vu4");
    EXPECT_EQ(TermStart(grainRain), (CalDate{20, 4, 2023}));
}

TEST(BuildDayInfo, YearWithoutLeapMonthHasZeroLeapFields) {
    const DayInfo i = BuildDayInfo(1, 1, 2000, TIMEZONE);
    EXPECT_EQ(Lunar(i), (CalDate{25, 11, 1999}));
    EXPECT_EQ(i.HasLeap, 0);
    EXPECT_EQ(i.LeapMonth, 0);
    EXPECT_EQ(LeapStart(i), (CalDate{0, 0, 0}));
    EXPECT_EQ(LeapEnd(i), (CalDate{0, 0, 0}));
    EXPECT_EQ(i.MonthDays, 30);
    EXPECT_EQ(i.TermName, u"D9o6ng chi1");
    EXPECT_EQ(TermStart(i), (CalDate{22, 12, 1999}));
    EXPECT_EQ(TermStartLunar(i), (CalDate{15, 11, 1999}));
}

TEST(BuildDayInfo, NewYear2024) {
    const DayInfo i = BuildDayInfo(10, 2, 2024, TIMEZONE);
    EXPECT_EQ(Lunar(i), (CalDate{1, 1, 2024}));
    EXPECT_EQ(i.MonthDays, 29);
    EXPECT_EQ(i.TermName, u"La65p xua6n");
    EXPECT_EQ(TermStart(i), (CalDate{4, 2, 2024}));
}

TEST(BuildDayInfo, LeapFactsCompareGregorianDayAndMonthOnly) {
    // The record marks month 11 of 2034 as leap (its dates repeat the Gregorian day and
    // month span of the leap facts) and misses the leap month 8 of 2052.
    EXPECT_EQ(BuildDayInfo(11, 12, 2034, TIMEZONE).IsLeap, 1);
    EXPECT_EQ(BuildDayInfo(8, 1, 2035, TIMEZONE).IsLeap, 1);
    EXPECT_EQ(BuildDayInfo(23, 9, 2052, TIMEZONE).IsLeap, 0);
}

TEST(BuildDayInfo, ImpossibleDateIsComposedForItsJulianDay) {
    const DayInfo feb31 = BuildDayInfo(31, 2, 2023, TIMEZONE);
    const DayInfo mar3 = BuildDayInfo(3, 3, 2023, TIMEZONE);
    EXPECT_EQ(Lunar(feb31), Lunar(mar3));
    EXPECT_EQ(feb31.DayCanChi, mar3.DayCanChi);
    EXPECT_EQ(feb31.TermName, mar3.TermName);
}

} // namespace
} // namespace moonleaf
