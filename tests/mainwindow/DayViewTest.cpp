// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/DayView.h"
#include "engine/JulianDay.h"
#include "engine/Holidays.h"
#include "mainwindow/DateSteps.h"
#include "mainwindow/DayPictures.h"
#include "mainwindow/SolarTermLabel.h"

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

// This test program never calls InitHolidays: the holiday lists fill themselves on first use.
class DayViewTest : public testing::Test {};

TEST_F(DayViewTest, NewYearsDayOfTheLunar2023) {
    const DayView v = ComposeDayView(22, 1, 2023);
    EXPECT_EQ(v.lbNgayD, u"22");
    EXPECT_EQ(v.lbYear, u"2023");
    EXPECT_EQ(v.lbThangD, u"Tháng một");
    EXPECT_EQ(v.lbThangEN, u"January");
    EXPECT_EQ(v.lbDateEN, u"Sunday");
    EXPECT_EQ(v.lbThuV, u"Chủ nhật");
    EXPECT_EQ(v.lbGioA, u"Giờ: Bính Tý");
    EXPECT_EQ(v.lbNgayA, u"Ngày: Canh Thìn");
    EXPECT_EQ(v.lbThangA, u"Tháng: Giáp Dần");
    EXPECT_EQ(v.lbNamA, u"Năm: Quý Mão");
    EXPECT_EQ(v.lbThangADT, u"Tháng giêng (Thiếu)");
    EXPECT_EQ(v.lbTietKhi, u"Đại hàn (3)");
    EXPECT_EQ(v.lbDateA, u"1");
    EXPECT_EQ(v.lbNgayDColor, ViewColor::Red);
    EXPECT_EQ(v.lbDateAColor, ViewColor::Red);
    EXPECT_EQ(v.AnimalPicture, 4); // Thìn: the dragon
    EXPECT_EQ(v.MoonPicture, 1);
    EXPECT_EQ(v.Holiday, u"Mồng 1 Tết Nguyên Đán - An Khang Thịnh Vượng");
}

TEST_F(DayViewTest, ColoursFollowWeekdayAndLunarDayOne) {
    EXPECT_EQ(ComposeDayView(21, 1, 2023).lbNgayDColor, ViewColor::DarkBlue);   // Saturday
    EXPECT_EQ(ComposeDayView(23, 1, 2023).lbNgayDColor, ViewColor::ButtonText); // Monday
    EXPECT_EQ(ComposeDayView(23, 1, 2023).lbDateAColor, ViewColor::ButtonText); // lunar 2
    EXPECT_EQ(ColorValue(ViewColor::Red), 0x000000FFu);
    EXPECT_EQ(ColorValue(ViewColor::DarkBlue), 0x00C00000u);
    EXPECT_EQ(ColorValue(ViewColor::ButtonText), 0x80000012u);
}

TEST_F(DayViewTest, NumbersHaveNoLeadingZeros) {
    const DayView v = ComposeDayView(7, 12, 2026);
    EXPECT_EQ(v.lbNgayD, u"7");
    EXPECT_EQ(v.lbYear, u"2026");
    EXPECT_EQ(v.lbThangD, u"Tháng mười hai");
}

TEST_F(DayViewTest, MonthLengthWordHoldsForEveryDayOfTheMonth) {
    // Lunar month 11 of 1999 has 30 days (Đủ); month 1 of 2023 has 29 (Thiếu).
    for (CalDate d{8, 12, 1999}; d.Day != 6 || d.Month != 1; d = fNgaySau(d)) {
        ASSERT_EQ(ComposeDayView(d.Day, d.Month, d.Year).lbThangADT, u"Tháng mười một (Đủ)");
    }
    for (CalDate d{22, 1, 2023}; d.Day != 20 || d.Month != 2; d = fNgaySau(d)) {
        ASSERT_EQ(ComposeDayView(d.Day, d.Month, d.Year).lbThangADT, u"Tháng giêng (Thiếu)");
    }
}

TEST_F(DayViewTest, SolarTermOrdinal) {
    EXPECT_EQ(SoTietKhi(21, 3, 2023), u""); // the term begins that day
    EXPECT_EQ(SoTietKhi(22, 3, 2023), u" (2)");
    EXPECT_EQ(ComposeDayView(21, 3, 2023).lbTietKhi, u"Xuân phân");
    // Counted across the regular month 2 into the leap month 2 of 2023.
    EXPECT_EQ(ComposeDayView(4, 4, 2023).lbTietKhi, u"Xuân phân (15)");
    // Counted across the lunar new year: Đại hàn began 20/1/2023, lunar 29/12/2022.
    EXPECT_EQ(ComposeDayView(2, 2, 2023).lbTietKhi, u"Đại hàn (14)");
}

TEST_F(DayViewTest, SolarTermOrdinalRestartsAtEachTerm) {
    for (CalDate d{1, 1, 2020}; d.Year < 2030; d = fNgaySau(d)) {
        const DayInfo info = BuildDayInfo(d.Day, d.Month, d.Year, TIMEZONE);
        const std::u16string suffix = SoTietKhi(info, d.Day, d.Month, d.Year);
        const bool first = CalDate{info.TermStartDay, info.TermStartMonth, info.TermStartYear} == d;
        ASSERT_EQ(suffix.empty(), first);
        if (!first) {
            ASSERT_EQ(suffix.substr(0, 2), u" (");
            ASSERT_EQ(suffix.back(), u')');
        }
    }
}

TEST(DayPictures, MoonPictureOfEachLunarDay) {
    EXPECT_EQ(MoonPictureIndex(15, 30), 15);
    EXPECT_EQ(MoonPictureIndex(15, 29), 15);
    EXPECT_EQ(MoonPictureIndex(17, 29), 17);
    EXPECT_EQ(MoonPictureIndex(18, 29), 19); // picture 18 is skipped in a short month
    EXPECT_EQ(MoonPictureIndex(18, 30), 18);
    EXPECT_EQ(MoonPictureIndex(28, 29), 29);
    EXPECT_EQ(MoonPictureIndex(29, 29), 0); // the last day shows no moon
    EXPECT_EQ(MoonPictureIndex(29, 30), 29);
    EXPECT_EQ(MoonPictureIndex(30, 30), 0);
    EXPECT_EQ(MoonPictureIndex(1, 32), 1);
}

TEST(DayPictures, AnimalOfTheDaysBranch) {
    EXPECT_EQ(AnimalPictureIndex(BuildDayInfo(1, 1, 2000, TIMEZONE).DayBranch), 6); // horse
    EXPECT_EQ(AnimalPictureIndex(0), 0);
    EXPECT_EQ(AnimalPictureIndex(11), 11);
    EXPECT_EQ(AnimalPictureIndex(12), std::nullopt);
    EXPECT_EQ(AnimalPictureIndex(-1), std::nullopt);
}

TEST(PlatformDateNames, EnglishByDefault) {
    const PlatformDateNames names;
    EXPECT_EQ(names.MonthName(12), u"December");
    EXPECT_EQ(names.MonthName(13), u"");
    EXPECT_EQ(names.WeekdayName(6), u"Saturday");
    EXPECT_EQ(names.WeekdayName(7), u"");
}

} // namespace
} // namespace moonleaf
