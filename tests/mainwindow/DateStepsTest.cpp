// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/DateSteps.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace moonleaf {
namespace {

struct StepRow {
    const char* tag;
    CalDate (*step)(const CalDate&);
    CalDate from;
    CalDate to;
};

void PrintTo(const StepRow& row, std::ostream* out) {
    *out << row.tag;
}

class Steps : public testing::TestWithParam<StepRow> {};

TEST_P(Steps, LandOnTheExpectedDay) {
    const StepRow& row = GetParam();
    EXPECT_EQ(row.step(row.from), row.to);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, Steps,
    testing::Values(StepRow{"dayForwardOverYearEnd", fNgaySau, {31, 12, 2026}, {1, 1, 2027}},
                    StepRow{"dayBackOverYearStart", fNgayTruoc, {1, 1, 2027}, {31, 12, 2026}},
                    StepRow{"dayForwardToLeapDay", fNgaySau, {28, 2, 2024}, {29, 2, 2024}},
                    StepRow{"dayForwardCommonFebruary", fNgaySau, {28, 2, 2025}, {1, 3, 2025}},
                    StepRow{"dayBackCentury2100NotLeap", fNgayTruoc, {1, 3, 2100}, {28, 2, 2100}},
                    StepRow{"dayBack2000IsLeap", fNgayTruoc, {1, 3, 2000}, {29, 2, 2000}},
                    StepRow{"dayForwardShortMonth", fNgaySau, {30, 4, 2025}, {1, 5, 2025}},
                    StepRow{"weekForwardOverYearEnd", fTuanSau, {26, 12, 2026}, {2, 1, 2027}},
                    StepRow{"weekBackIntoCommonFebruary", fTuanTruoc, {3, 3, 2025}, {24, 2, 2025}},
                    StepRow{"weekBackIntoLeapFebruary", fTuanTruoc, {3, 3, 2024}, {25, 2, 2024}},
                    StepRow{"weekBackOverYearStart", fTuanTruoc, {3, 1, 2025}, {27, 12, 2024}},
                    StepRow{"weekForwardInFebruary", fTuanSau, {25, 2, 2024}, {3, 3, 2024}},
                    StepRow{"monthForwardClipsToFebruary", fThangSau, {31, 1, 2025}, {28, 2, 2025}},
                    StepRow{
                        "monthForwardClipsToLeapFebruary", fThangSau, {30, 1, 2024}, {29, 2, 2024}},
                    StepRow{"monthBackClipsToFebruary", fThangTruoc, {31, 3, 2025}, {28, 2, 2025}},
                    StepRow{"monthForwardClipsTo30", fThangSau, {31, 5, 2025}, {30, 6, 2025}},
                    StepRow{"monthBackOverYearStart", fThangTruoc, {15, 1, 2026}, {15, 12, 2025}},
                    StepRow{"monthForwardOverYearEnd", fThangSau, {15, 12, 2025}, {15, 1, 2026}},
                    StepRow{"monthForwardDecember31", fThangSau, {31, 12, 2025}, {31, 1, 2026}},
                    StepRow{"yearForwardFromLeapDay", fNamSau, {29, 2, 2024}, {28, 2, 2025}},
                    StepRow{"yearBackFromLeapDay", fNamTruoc, {29, 2, 2024}, {28, 2, 2023}},
                    StepRow{"yearForwardOrdinaryDay", fNamSau, {8, 12, 2026}, {8, 12, 2027}}),
    [](const testing::TestParamInfo<StepRow>& row) { return row.param.tag; });

TEST(Steps, ClippedLeapDayIsNotRestored) {
    CalDate date{29, 2, 2024};
    for (int i = 0; i < 4; ++i) {
        date = fNamSau(date);
    }
    EXPECT_EQ(date, (CalDate{28, 2, 2028}));
}

TEST(Steps, LeapYearRule) {
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_FALSE(IsLeapYear(2025));
    EXPECT_TRUE(IsLeapYear(1504)); // 1504: the rule applies before 1582 too
    EXPECT_FALSE(IsLeapYear(1500));
}

TEST(Steps, ModifierRule) {
    // Tested in order: Ctrl+Shift (with or without Alt), Ctrl+Alt, Ctrl, anything else.
    EXPECT_EQ(StepForModifiers(true, true, false), DateStep::Year);
    EXPECT_EQ(StepForModifiers(true, true, true), DateStep::Year);
    EXPECT_EQ(StepForModifiers(true, false, true), DateStep::Month);
    EXPECT_EQ(StepForModifiers(true, false, false), DateStep::Week);
    EXPECT_EQ(StepForModifiers(false, true, false), DateStep::Day);
    EXPECT_EQ(StepForModifiers(false, false, true), DateStep::Day);
    EXPECT_EQ(StepForModifiers(false, true, true), DateStep::Day);
}

TEST(Steps, WeekAndDayStepsAgreeOverTwoCenturies) {
    // Seven day steps make one week step, and each step back undoes its step forward.
    for (CalDate date{1, 1, 1900}; date.Year <= 2100; date = fNgaySau(date)) {
        CalDate seven = date;
        for (int i = 0; i < 7; ++i) {
            seven = fNgaySau(seven);
        }
        ASSERT_EQ(fTuanSau(date), seven);
        ASSERT_EQ(fTuanTruoc(seven), date);
        ASSERT_EQ(ApplyStep(date, DateStep::Day, false), fNgayTruoc(date));
    }
}

} // namespace
} // namespace moonleaf
