// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/SlidePositions.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace moonleaf {
namespace {

constexpr double HEIGHT = 6315; // the main window, twips

// Every top a slide passes through, from `top` until it arrives.
std::vector<double> Slide(double top, const std::function<std::optional<double>(double)>& next) {
    std::vector<double> tops;
    while (const std::optional<double> step = next(top)) {
        top = *step;
        tops.push_back(top);
    }
    return tops;
}

TEST(SlidePositions, StartUpSlideEndsAtLeast100TwipsAboveTheScreen) {
    const auto up = Slide(0, [](double t) { return NextTopUp(t, HEIGHT, -100); });
    ASSERT_EQ(up.size(), 65U);
    EXPECT_EQ(up.front(), -100);
    EXPECT_EQ(up.back(), -6500); // -6500 + 6315 = -185; one step earlier it was -85
}

TEST(SlidePositions, HideButtonSlideEndsJustAboveTheScreen) {
    const auto up = Slide(0, [](double t) { return NextTopUp(t, HEIGHT, 0); });
    EXPECT_EQ(up.back(), -6400); // top + height = -85 <= 0; one step earlier +15
    EXPECT_FALSE(NextTopUp(-6400, HEIGHT, 0).has_value()); // already out of view
}

TEST(SlidePositions, ShowingComesBackToExactlyZero) {
    EXPECT_EQ(Slide(-6500, NextTopDown).back(), 0);
    EXPECT_EQ(Slide(-6400, NextTopDown).size(), 64U);
    EXPECT_EQ(Slide(-50, NextTopDown).back(), 50); // an odd top ends at the first step >= 0
    EXPECT_FALSE(NextTopDown(0).has_value());
}

TEST(SlidePositions, ClosingSlideReachesTheBottomInAFewSteps) {
    const double shortScreen = 6000;
    EXPECT_EQ(ClosingStep(0, shortScreen), 100);
    const auto small = Slide(0, [&](double t) { return NextTopOffBottom(t, shortScreen, 100); });
    EXPECT_EQ(small.size(), 60U);
    EXPECT_EQ(small.back(), 6000);
    const double tallScreen = 32400; // 2160 pixels
    const double step = ClosingStep(0, tallScreen);
    const auto tall = Slide(0, [&](double t) { return NextTopOffBottom(t, tallScreen, step); });
    EXPECT_LE(tall.size(), 64U);
    EXPECT_GE(tall.back(), tallScreen);
}

} // namespace
} // namespace moonleaf
