// SPDX-License-Identifier: GPL-3.0-or-later
// Sweeps over every day of 1900..2100: the properties that must hold for each day, and the
// identity of the remembering engine with the plain one.
#include "engine/JulianDay.h"
#include "engine/DayInfo.h"
#include "engine/LunarConversion.h"
#include "mainwindow/DateSteps.h"

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

const double FIRST = DateToJdn(1, 1, 1900);
const double LAST = DateToJdn(31, 12, 2100);

TEST(WholeRange, RememberedEngineEqualsPlainEngineOnEveryDay) {
    for (double jd = FIRST; jd <= LAST; ++jd) {
        const CalDate d = JdnToDate(jd);
        ASSERT_TRUE(BuildDayInfo(d.Day, d.Month, d.Year, TIMEZONE) ==
                    plain::BuildDayInfo(d.Day, d.Month, d.Year, TIMEZONE))
            << d.Day << "/" << d.Month << "/" << d.Year;
    }
}

TEST(WholeRange, JulianDayRoundTripAndGregorianNextDay) {
    CalDate expected{1, 1, 1900};
    for (double jd = FIRST; jd <= LAST; ++jd) {
        const CalDate d = JdnToDate(jd);
        ASSERT_EQ(d, expected) << jd;
        ASSERT_EQ(DateToJdn(d.Day, d.Month, d.Year), jd);
        ASSERT_EQ(fNgayTruoc(fNgaySau(d)), d);
        expected = fNgaySau(d);
    }
}

TEST(WholeRange, LunarDateRunsDayByDayAndConvertsBack) {
    CalDate previous = SolarToLunar(31, 12, 1899, TIMEZONE);
    for (double jd = FIRST; jd <= LAST; ++jd) {
        const CalDate d = JdnToDate(jd);
        const CalDate lunar = SolarToLunar(d.Day, d.Month, d.Year, TIMEZONE);
        ASSERT_GE(lunar.Day, 1);
        ASSERT_LE(lunar.Day, 30);
        ASSERT_TRUE(lunar.Day == previous.Day + 1 || lunar.Day == 1)
            << d.Day << "/" << d.Month << "/" << d.Year;
        if (lunar.Day == previous.Day + 1) {
            ASSERT_EQ(lunar.Month, previous.Month);
            ASSERT_EQ(lunar.Year, previous.Year);
        }
        const bool leap = IsInLeapMonth(d.Day, d.Month, d.Year, TIMEZONE);
        ASSERT_EQ(LunarToSolar(lunar.Day, lunar.Month, lunar.Year, leap ? 1 : 0, TIMEZONE), d)
            << d.Day << "/" << d.Month << "/" << d.Year;
        previous = lunar;
    }
}

TEST(WholeRange, LunarYearsHaveTwelveOrThirteenMonthsOfTheRightLength) {
    for (double year = 1901; year <= 2100; ++year) {
        const CalDate first = LunarToSolar(1, 1, year, 0, TIMEZONE);
        const CalDate next = LunarToSolar(1, 1, year + 1, 0, TIMEZONE);
        const double days = DateToJdn(next.Day, next.Month, next.Year) -
                            DateToJdn(first.Day, first.Month, first.Year);
        int months = 0;
        int leapMonths = 0;
        for (double jd = DateToJdn(first.Day, first.Month, first.Year);
             jd < DateToJdn(next.Day, next.Month, next.Year); ++jd) {
            const CalDate d = JdnToDate(jd);
            const DayInfo info = BuildDayInfo(d.Day, d.Month, d.Year, TIMEZONE);
            if (info.LunarDay == 1) {
                ++months;
                leapMonths += IsInLeapMonth(d.Day, d.Month, d.Year, TIMEZONE) ? 1 : 0;
                ASSERT_TRUE(info.MonthDays == 29 || info.MonthDays == 30);
            }
        }
        ASSERT_EQ(months, 12 + leapMonths) << year;
        ASSERT_LE(leapMonths, 1) << year;
        if (leapMonths == 0) {
            ASSERT_TRUE(days >= 353 && days <= 355) << year << ": " << days;
        } else {
            ASSERT_TRUE(days >= 383 && days <= 385) << year << ": " << days;
        }
    }
}

TEST(WholeRange, SolarTermsLastFourteenToSixteenDays) {
    for (double jd = FIRST; jd <= LAST; ++jd) {
        const CalDate d = JdnToDate(jd);
        const DayInfo info = BuildDayInfo(d.Day, d.Month, d.Year, TIMEZONE);
        const double start = DateToJdn(info.TermStartDay, info.TermStartMonth, info.TermStartYear);
        ASSERT_LE(start, jd);
        ASSERT_LE(jd - start, 15) << d.Day << "/" << d.Month << "/" << d.Year;
    }
}

} // namespace
} // namespace moonleaf
