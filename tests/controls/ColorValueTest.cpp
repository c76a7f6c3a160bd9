// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ColorValue.h"

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

// A palette whose roles all differ, so each system colour shows which role it came from.
QPalette DistinctPalette() {
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    palette.setColor(QPalette::ButtonText, QColor(40, 50, 60));
    palette.setColor(QPalette::Dark, QColor(70, 80, 90));
    palette.setColor(QPalette::Base, QColor(100, 110, 120));
    palette.setColor(QPalette::Shadow, QColor(130, 140, 150));
    palette.setColor(QPalette::Light, QColor(160, 170, 180));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(190, 200, 210));
    return palette;
}

TEST(ColorValue, PlainColoursKeepRedInTheLowestByte) {
    const QPalette palette = DistinctPalette();
    EXPECT_EQ(ColorFromValue(0x000000FF, palette), QColor(255, 0, 0));
    EXPECT_EQ(ColorFromValue(0x00C00000, palette), QColor(0, 0, 192)); // the Saturday blue
    EXPECT_EQ(ColorFromValue(0x00FFFFFF, palette), QColor(255, 255, 255));
    EXPECT_EQ(ColorFromValue(0x00123456, palette), QColor(0x56, 0x34, 0x12));
}

TEST(ColorValue, SystemColoursComeFromThePalette) {
    const QPalette palette = DistinctPalette();
    EXPECT_EQ(ColorFromValue(SYS_COLOR_BUTTON_FACE, palette), QColor(10, 20, 30));
    EXPECT_EQ(ColorFromValue(SYS_COLOR_BUTTON_TEXT, palette), QColor(40, 50, 60));
    EXPECT_EQ(ColorFromValue(SYS_COLOR_BUTTON_SHADOW, palette), QColor(70, 80, 90));
    EXPECT_EQ(ColorFromValue(SYS_COLOR_WINDOW, palette), QColor(100, 110, 120));
    EXPECT_EQ(ColorFromValue(SYS_COLOR_WINDOW_FRAME, palette), QColor(130, 140, 150));
    EXPECT_EQ(ColorFromValue(SYS_COLOR_BUTTON_HIGHLIGHT, palette), QColor(160, 170, 180));
    EXPECT_EQ(ColorFromValue(SYS_COLOR_GRAY_TEXT, palette), QColor(190, 200, 210));
}

TEST(ColorValue, UnknownSystemIndexIsBlack) {
    const QPalette palette = DistinctPalette();
    EXPECT_EQ(ColorFromValue(0x80000019, palette), QColor(0, 0, 0)); // 25 is unused
    EXPECT_EQ(ColorFromValue(0x800000FF, palette), QColor(0, 0, 0));
}

TEST(ColorValue, SystemColourIsOpaqueEvenFromATranslucentPalette) {
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(10, 20, 30, 40));
    EXPECT_EQ(ColorFromValue(SYS_COLOR_BUTTON_FACE, palette).alpha(), 255);
}

} // namespace
} // namespace moonleaf
