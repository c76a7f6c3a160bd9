// SPDX-License-Identifier: GPL-3.0-or-later
// The lookup dialog's rules: the length of the day list, the day kept on a change of month
// or year, and the four result lines.
#include "services/DateLookup.h"

#include <gtest/gtest.h>

#include <ostream>

namespace moonleaf {
namespace {

struct DayListRow {
    const char* tag;
    double dayToKeep;
    double month;
    double year;
    DayListChoice expected;
};

void PrintTo(const DayListRow& row, std::ostream* out) {
    *out << row.tag;
}

class DayList : public testing::TestWithParam<DayListRow> {};

TEST_P(DayList, HoldsTheMonthsDaysAndKeepsOnlyADayItHas) {
    const DayListRow& row = GetParam();
    EXPECT_EQ(DayListFor(row.dayToKeep, row.month, row.year), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DayList,
    testing::Values(DayListRow{"jan31ThenAprilFallsBackToDay1", 31, 4, 2025, {30, 0}},
                    DayListRow{"jan31ThenMarchKeeps31", 31, 3, 2025, {31, 30}},
                    DayListRow{"day30ThenAprilIsKept", 30, 4, 2025, {30, 29}},
                    DayListRow{"leapDay2008ThenYear2009FallsBackToDay1", 29, 2, 2009, {28, 0}},
                    DayListRow{"day1ThenLeapFebruary2008StaysDay1", 1, 2, 2008, {29, 0}},
                    DayListRow{"leapDayKeptInLeapYear", 29, 2, 2008, {29, 28}},
                    DayListRow{"day2IsKept", 2, 6, 2025, {30, 1}},
                    DayListRow{"february1900Has28", 15, 2, 1900, {28, 14}},
                    DayListRow{"february2000Has29", 29, 2, 2000, {29, 28}},
                    DayListRow{"february2100Has28", 29, 2, 2100, {28, 0}},
                    DayListRow{"december31", 31, 12, 2100, {31, 30}},
                    DayListRow{"dayZeroSelectsDay1", 0, 7, 2025, {31, 0}}),
    [](const testing::TestParamInfo<DayListRow>& row) { return row.param.tag; });

TEST(DayListLength, MonthsOutsideTheCalendarCountAsFebruary) {
    EXPECT_EQ(DayListLength(13, true), 29);
    EXPECT_EQ(DayListLength(0, false), 28);
}

// The example of a lookup the dialog's description gives: 15 August 2008.
TEST(LookupLines, FifteenthOfAugust2008) {
    const LookupLines lines = ComposeLookup(u"15", u"8", u"2008");
    EXPECT_EQ(lines.lbDuong, u"Ngày 15, tháng 8, năm 2008 dương lịch nhằm :");
    EXPECT_EQ(lines.lbAm, u"Ngày 15, tháng 7, năm 2008 âm lịch, tức:");
    EXPECT_EQ(lines.lbStr, u"Ngày Đinh Hợi, tháng Canh Thân, năm Mậu Tý");
    EXPECT_EQ(lines.lbGio, u"15-7- 2008 (Giờ Canh Tý)");
}

// The first day of the list's range lies in the twelfth lunar month of 1899 (the new moon
// of 1 January 1900 falls at about 21:00 in UTC+7); the lunar year, not the Gregorian one,
// is written in lines 2 and 4.
TEST(LookupLines, FirstDayOfTheRangeIsInTheLunarYearBefore) {
    const LookupLines lines = ComposeLookup(u"1", u"1", u"1900");
    EXPECT_EQ(lines.lbDuong, u"Ngày 1, tháng 1, năm 1900 dương lịch nhằm :");
    EXPECT_EQ(lines.lbAm, u"Ngày 1, tháng 12, năm 1899 âm lịch, tức:");
    EXPECT_EQ(lines.lbStr, u"Ngày Giáp Tuất, tháng Đinh Sửu, năm Kỷ Hợi");
    EXPECT_EQ(lines.lbGio, u"1-12- 1899 (Giờ Giáp Tý)");
}

TEST(LookupLines, ListTextsAppearAsTheyStand) {
    // The numbers come from the texts; line 1 repeats the texts themselves.
    const LookupLines lines = ComposeLookup(u"05", u"08", u"2008");
    EXPECT_EQ(lines.lbDuong, u"Ngày 05, tháng 08, năm 2008 dương lịch nhằm :");
    EXPECT_EQ(lines.lbAm, ComposeLookup(u"5", u"8", u"2008").lbAm);
}

} // namespace
} // namespace moonleaf
