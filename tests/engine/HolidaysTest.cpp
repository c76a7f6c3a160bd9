// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Holidays.h"
#include "text/VniToUnicode.h"

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

class Holidays : public testing::Test {
protected:
    void SetUp() override { InitHolidays(); }
};

TEST_F(Holidays, LunarList) {
    EXPECT_EQ(FindLunarHoliday({15, 8, 0}), u"Te61t Trung Thu");
    EXPECT_EQ(FindLunarHoliday({16, 8, 0}), u"");
    std::u16string tet = FindLunarHoliday({1, 1, 2026});
    EXPECT_EQ(VniToUnicode(tet), u"Mồng 1 Tết Nguyên Đán - An Khang Thịnh Vượng");
}

TEST_F(Holidays, SharedDayGivesTheEarlierEntry) {
    EXPECT_EQ(FindSolarHoliday({10, 12, 0}), u"Nga2y pha1t thu7o73ng gia3i Nobel");
}

TEST_F(Holidays, StoredTrailingBlankIsKept) {
    const std::u16string name = FindSolarHoliday({30, 4, 1975});
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(name.back(), u' ');
}

TEST_F(Holidays, FlagNotDateSelectsTheList) {
    EXPECT_EQ(HolidayName({1, 1, 0}, 0), FindLunarHoliday({1, 1, 0}));
    EXPECT_EQ(HolidayName({1, 1, 0}, 1), u"Te61t Du7o7ng Li5ch - Happy New Year");
    EXPECT_EQ(HolidayName({1, 1, 0}, -5), HolidayName({1, 1, 0}, 1));
}

TEST_F(Holidays, EmptySlotsNeverMatchARealName) {
    EXPECT_EQ(FindLunarHoliday({0, 0, 0}), u"");
    EXPECT_EQ(FindSolarHoliday({0, 0, 0}), u"");
    EXPECT_EQ(FindSolarHoliday({31, 12, 0}), u"");
}

TEST_F(Holidays, IndicesOutsideTheListsAreRefused) {
    EXPECT_FALSE(AddLunarHoliday(51, 1, 1, u"x"));
    EXPECT_FALSE(AddLunarHoliday(-1, 1, 1, u"x"));
    EXPECT_FALSE(AddSolarHoliday(101, 1, 1, u"x"));
    EXPECT_EQ(FindLunarHoliday({1, 1, 0}),
              u"Mo62ng 1 Te61t Nguye6n D9a1n - An Khang Thi5nh Vu7o75ng");
}

TEST_F(Holidays, LastSlotOfEachListIsNeverSearched) {
    ASSERT_TRUE(AddLunarHoliday(50, 31, 7, u"last lunar"));
    ASSERT_TRUE(AddSolarHoliday(100, 31, 7, u"last solar"));
    ASSERT_TRUE(AddSolarHoliday(99, 30, 7, u"searched"));
    EXPECT_EQ(FindLunarHoliday({31, 7, 0}), u"");
    EXPECT_EQ(FindSolarHoliday({31, 7, 0}), u"");
    EXPECT_EQ(FindSolarHoliday({30, 7, 0}), u"searched");
    // Restore the lists for the other tests.
    AddLunarHoliday(50, 0, 0, u"");
    AddSolarHoliday(100, 0, 0, u"");
    AddSolarHoliday(99, 0, 0, u"");
}

} // namespace
} // namespace moonleaf
