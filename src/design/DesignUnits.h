// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

namespace moonleaf {

// The units the window designs are written in, shared by the view logic and the controls.

// Lengths: twips, 1440 to the inch; at the program's screen density of 96 pixels to the
// inch that is 15 twips to a pixel. Every conversion between the two goes through these.
inline constexpr int TWIPS_PER_PIXEL = 15;

constexpr float PixelsToTwips(float pixels) {
    return pixels * static_cast<float>(TWIPS_PER_PIXEL);
}

// Twips to whole pixels, rounded to the nearest pixel.
inline int TwipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / TWIPS_PER_PIXEL));
}

// Colours: a 32-bit colour value is 0x00BBGGRR for a plain colour (red in the lowest
// byte), or 0x80000000 plus the index of a colour of the desktop scheme.
constexpr std::uint32_t Rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return (red & 0xFFU) | ((green & 0xFFU) << 8) | ((blue & 0xFFU) << 16);
}

inline constexpr std::uint32_t SYSTEM_COLOR_FLAG = 0x80000000;
inline constexpr std::uint32_t SYS_COLOR_WINDOW = 0x80000005;       // edit and list background
inline constexpr std::uint32_t SYS_COLOR_WINDOW_FRAME = 0x80000006; // thin window borders
inline constexpr std::uint32_t SYS_COLOR_WINDOW_TEXT = 0x80000008;
inline constexpr std::uint32_t SYS_COLOR_BUTTON_FACE = 0x8000000F;
inline constexpr std::uint32_t SYS_COLOR_BUTTON_SHADOW = 0x80000010;
inline constexpr std::uint32_t SYS_COLOR_GRAY_TEXT = 0x80000011;
inline constexpr std::uint32_t SYS_COLOR_BUTTON_TEXT = 0x80000012;
inline constexpr std::uint32_t SYS_COLOR_BUTTON_HIGHLIGHT = 0x80000014;

} // namespace moonleaf
