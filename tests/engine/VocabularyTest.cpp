// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Vocabulary.h"
#include "engine/JulianDay.h"
#include "engine/DayInfo.h"
#include "text/VniToUnicode.h"

#include <gtest/gtest.h>

#include <limits>

namespace moonleaf {
namespace {

std::u16string Unicode(std::u16string vni) {
    return VniToUnicode(vni);
}

TEST(SexagenaryNames, FirstDayOf2023) {
    const DayInfo info = BuildDayInfo(22, 1, 2023, TIMEZONE); // JDN 2459967
    EXPECT_EQ(info.WeekdayName, u"Chu3 nha65t");
    EXPECT_EQ(Unicode(info.DayCanChi), u"Canh Thìn");
    EXPECT_EQ(info.DayBranch, 4);
    EXPECT_EQ(Unicode(info.HourCanChi), u"Bính Tý");
    EXPECT_EQ(Unicode(info.MonthCanChi), u"Giáp Dần");
    EXPECT_EQ(Unicode(info.YearCanChi), u"Quý Mão");
}

TEST(SexagenaryNames, FirstDayOf2000IsASaturdayMauNgo) {
    const DayInfo info = BuildDayInfo(1, 1, 2000, TIMEZONE);
    EXPECT_EQ(info.WeekdayName, u"Thu71 ba3y");
    EXPECT_EQ(info.DayCanChi, u"Ma65u Ngo5");
}

TEST(SexagenaryNames, Months11And12TakeBranchesTyAndSuu) {
    const DayInfo month11 = BuildDayInfo(1, 1, 2000, TIMEZONE);  // lunar 25/11/1999
    const DayInfo month12 = BuildDayInfo(20, 1, 2000, TIMEZONE); // lunar 14/12/1999
    ASSERT_EQ(month11.LunarMonth, 11);
    ASSERT_EQ(month12.LunarMonth, 12);
    EXPECT_EQ(month11.MonthCanChi.substr(month11.MonthCanChi.find(u' ') + 1), u"Ty1");
    EXPECT_EQ(month12.MonthCanChi.substr(month12.MonthCanChi.find(u' ') + 1), u"Su73u");
}

TEST(MonthNames, OnlyWholeMonthsHaveNames) {
    EXPECT_EQ(LunarMonthName(1), u"Tha1ng gie6ng");
    EXPECT_EQ(LunarMonthName(12), u"Tha1ng cha5p");
    EXPECT_EQ(MonthName(12), u"Tha1ng mu7o72i hai");
    EXPECT_EQ(MonthName(1), u"Tha1ng mo65t");
    EXPECT_EQ(LunarMonthName(13), u"");
    EXPECT_EQ(LunarMonthName(0), u"");
    EXPECT_EQ(MonthName(2.5), u"");
    EXPECT_EQ(MonthName(-1), u"");
}

TEST(MonthFromName, RecognisesOnlyTheExactUnicodeForm) {
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(MonthFromName(Unicode(MonthName(m))), m);
    }
    EXPECT_EQ(MonthFromName(u"Tháng một"), 1);
    EXPECT_EQ(MonthFromName(u"tháng một"), 0);
    EXPECT_EQ(MonthFromName(u"Tha1ng mo65t"), 0);
    EXPECT_EQ(MonthFromName(u"Tháng mười"), 10); // a prefix of "Tháng mười một"
    EXPECT_EQ(MonthFromName(u""), 0);
}

TEST(VocabularyTables, HoldTheirWordsAfterARefill) {
    InitCalendarNames();
    EXPECT_EQ(CanNames()[9], u"Quy1");
    EXPECT_EQ(ChiNames()[11], u"Ho75i");
    EXPECT_EQ(WeekdayNames()[0], u"Chu3 nha65t");
    EXPECT_EQ(TietKhiNames()[0], u"Xua6n pha6n");
    EXPECT_EQ(TietKhiNames()[18], u"D9o6ng chi1");
    EXPECT_EQ(Unicode(TietKhiNames()[23]), u"Kình trập");
}

TEST(WholeMod, AlwaysLandsInRange) {
    EXPECT_EQ(WholeMod(2451545 + 9, 10), 4);
    EXPECT_EQ(WholeMod(-1, 12), 11);
    EXPECT_EQ(WholeMod(-12, 12), 0);
    EXPECT_EQ(WholeMod(std::numeric_limits<double>::quiet_NaN(), 7), 0);
}

} // namespace
} // namespace moonleaf
