// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Astronomy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

namespace moonleaf {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

TEST(Int, RoundsTowardNegativeInfinity) {
    EXPECT_EQ(Int(-0.5), -1);
    EXPECT_EQ(Int(-1.0), -1);
    EXPECT_EQ(Int(-1.000001), -2);
    EXPECT_EQ(Int(2.999999), 2);
    EXPECT_EQ(Int(0.0), 0);
    EXPECT_EQ(Int(1e300), 1e300);
    EXPECT_EQ(Int(-4503599627370497.0), -4503599627370497.0); // beyond 2^52: already whole
    EXPECT_TRUE(std::isnan(Int(NaN)));
}

struct JdnRow {
    const char* tag;
    double day, month, year, jdn;
};

void PrintTo(const JdnRow& row, std::ostream* out) {
    *out << row.tag;
}

class DateToJdnRows : public testing::TestWithParam<JdnRow> {};

TEST_P(DateToJdnRows, GivesTheDayNumber) {
    const JdnRow& row = GetParam();
    EXPECT_EQ(DateToJdn(row.day, row.month, row.year), row.jdn) << row.tag;
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, DateToJdnRows,
    testing::Values(JdnRow{"j2000", 1, 1, 2000, 2451545},
                    JdnRow{"firstGregorianDay", 15, 10, 1582, 2299161},
                    JdnRow{"lastJulianDay", 4, 10, 1582, 2299160},
                    // The dropped days are read in the Julian calendar (the switch tests the
                    // Gregorian result), so they land on 15..24 October again.
                    JdnRow{"droppedDay14Oct1582", 14, 10, 1582, 2299170},
                    JdnRow{"feb31IsComputedThrough", 31, 2, 2023, 2460007},
                    JdnRow{"month13IsJanuaryNextYear", 1, 13, 2023, 2460311},
                    JdnRow{"julianLeapDay1500", 29, 2, 1500, 2268992},
                    JdnRow{"epoch", 1, 1, -4712, 0}),
    [](const testing::TestParamInfo<JdnRow>& row) { return row.param.tag; });

TEST(JdnToDate, InvertsTheDayNumber) {
    EXPECT_EQ(JdnToDate(2451545), (CalDate{1, 1, 2000}));
    EXPECT_EQ(JdnToDate(2299160), (CalDate{4, 10, 1582}));
    EXPECT_EQ(JdnToDate(2299161), (CalDate{15, 10, 1582}));
    EXPECT_EQ(JdnToDate(0), (CalDate{1, 1, -4712}));
    EXPECT_EQ(JdnToDate(2460007), (CalDate{3, 3, 2023}));
    EXPECT_EQ(JdnToDate(2460311), (CalDate{1, 1, 2024}));
}

TEST(JdnTraps, NonFiniteArithmeticGivesMinusOne) {
    EXPECT_EQ(DateToJdn(NaN, 1, 2000), -1);
    EXPECT_EQ(DateToJdn(1, 1, Inf), -1);
    EXPECT_EQ(DateToJdn(1e308, 1, 1e308), -1); // 365 * y overflows
    EXPECT_EQ(JdnToDate(NaN), (CalDate{-1, -1, -1}));
    EXPECT_EQ(JdnToDate(Inf), (CalDate{-1, -1, -1}));
    EXPECT_EQ(JdnToDate(-Inf), (CalDate{-1, -1, -1}));
}

TEST(NewMoonJdn, KnownNewMoons) {
    EXPECT_EQ(NewMoonJdn(0, TIMEZONE), 2415021);    // 1 January 1900
    EXPECT_EQ(NewMoonJdn(1522, TIMEZONE), 2459967); // 22 January 2023
}

TEST(SolarTermIndex, DescribesTheSunAtTheMidnightStartingTheDay) {
    EXPECT_EQ(SolarTermIndex(2460025, TIMEZONE), 23); // 21 March 2023
    EXPECT_EQ(SolarTermIndex(2460026, TIMEZONE), 0);  // 22 March 2023
}

TEST(SunSector, SolsticeSectorIsFirstSeenTheMidnightAfter) {
    EXPECT_EQ(SunSector(2460301, TIMEZONE), 8); // 22 December 2023: solstice during the day
    EXPECT_EQ(SunSector(2460302, TIMEZONE), 9); // 23 December 2023
}

TEST(SunLongitude, StaysInRangeAndAgreesBetweenBothSectorings) {
    // Every local midnight of 1800..2200, including negative T (before 2000).
    for (double jdn = DateToJdn(1, 1, 1800); jdn <= DateToJdn(31, 12, 2200); ++jdn) {
        const double L = SunLongitudeRad((jdn - 0.5) - TIMEZONE / 24);
        ASSERT_GE(L, 0) << jdn;
        ASSERT_LT(L, TWO_PI) << jdn;
        const double term = SolarTermIndex(jdn, TIMEZONE);
        const double sector = SunSector(jdn, TIMEZONE);
        ASSERT_GE(term, 0);
        ASSERT_LE(term, 23);
        ASSERT_EQ(sector, Int(term / 2)) << "jdn " << jdn;
    }
}

} // namespace
} // namespace moonleaf
