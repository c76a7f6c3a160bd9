// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/QuotationRules.h"

#include "mainwindow/DateCode.h"

#include <gtest/gtest.h>

#include <cmath>

namespace moonleaf {
namespace {

TEST(DrawnLine, RangesOfTheDayAndOfTheClick) {
    EXPECT_EQ(DrawnLine(0.0, false), 1);
    EXPECT_EQ(DrawnLine(0.0, true), 1);
    const double belowOne = std::nextafter(1.0, 0.0);
    EXPECT_EQ(DrawnLine(belowOne, false), 2358); // the last line is never drawn
    EXPECT_EQ(DrawnLine(belowOne, true), 2274);  // a click never reaches 2275..2358
    EXPECT_EQ(DrawnLine(0.5, false), 1180);
    EXPECT_EQ(DrawnLine(0.5, true), 1138);
}

TEST(ChooseBox, OnlyAWiderTextGoesToTheTallBox) {
    EXPECT_EQ(ChooseBox(4561, 4560), QuotationBox::Tall);
    EXPECT_EQ(ChooseBox(4560, 4560), QuotationBox::Short); // exactly as wide
    EXPECT_EQ(ChooseBox(0, 4560), QuotationBox::Short);
    EXPECT_EQ(BoxText(u"abc", QuotationBox::Tall), u"abc  ");
    EXPECT_EQ(BoxText(u"abc", QuotationBox::Short), u"abc");
}

TEST(DateCode, DayMonthTwoDigitYearWithoutTheDaysLeadingZero) {
    EXPECT_EQ(DateCode({7, 12, 2026}), 71226);
    EXPECT_EQ(DateCode({31, 1, 2000}), 310100);
    EXPECT_EQ(DateCode({1, 1, 2100}), 10100);
    EXPECT_EQ(DateCode({15, 8, 1905}), 150805);
    // Two days that differ only by the century share their code.
    EXPECT_EQ(DateCode({1, 1, 1900}), DateCode({1, 1, 2000}));
}

} // namespace
} // namespace moonleaf
