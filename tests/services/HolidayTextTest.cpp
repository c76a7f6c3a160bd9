// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/HolidayText.h"
#include "engine/JulianDay.h"
#include "engine/Holidays.h"
#include "mainwindow/DateSteps.h"
#include "text/VniToUnicode.h"

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

class HolidayTextTest : public testing::Test {
protected:
    static std::optional<std::u16string> For(double d, double m, double y) {
        return HolidayText(d, m, BuildDayInfo(d, m, y, TIMEZONE));
    }
};

TEST_F(HolidayTextTest, GregorianListComesFirst) {
    // Find the first day of 1900..2100 that both lists name: the Gregorian name is shown.
    bool found = false;
    for (CalDate d{1, 1, 1900}; d.Year <= 2100 && !found; d = fNgaySau(d)) {
        const DayInfo info = BuildDayInfo(d.Day, d.Month, d.Year, TIMEZONE);
        if (!FindSolarHoliday(d).empty() &&
            !FindLunarHoliday({info.LunarDay, info.LunarMonth, 0}).empty()) {
            std::u16string solar = FindSolarHoliday(d);
            EXPECT_EQ(HolidayText(d.Day, d.Month, info), VniToUnicode(solar));
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(HolidayTextTest, LunarHolidayWhenTheGregorianListIsSilent) {
    EXPECT_EQ(For(25, 9, 2026), u"Tết Trung Thu");
    EXPECT_EQ(For(17, 2, 2026), u"Mồng 1 Tết Nguyên Đán - An Khang Thịnh Vượng");
}

TEST_F(HolidayTextTest, ConvertedNamesKeepTheirTrailingBlank) {
    EXPECT_EQ(For(30, 4, 2025), u"Ngày giải phóng Miền Nam, thống nhất đất nước (1975) ");
    EXPECT_EQ(For(10, 12, 2026), u"Ngày phát thưởng giải Nobel");
}

TEST_F(HolidayTextTest, OrdinaryDayHasNone) {
    EXPECT_EQ(For(8, 12, 2026), std::nullopt);
}

} // namespace
} // namespace moonleaf
