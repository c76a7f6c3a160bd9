// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

namespace moonleaf {

// Window designs place and size everything in twips, 1440 to the inch; at the program's
// screen density of 96 pixels to the inch that is 15 twips to a pixel. Every conversion
// between the two goes through these helpers.
inline constexpr int TWIPS_PER_PIXEL = 15;

constexpr float PixelsToTwips(float pixels) {
    return pixels * static_cast<float>(TWIPS_PER_PIXEL);
}

// Twips to whole pixels, rounded to the nearest pixel.
inline int TwipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / TWIPS_PER_PIXEL));
}

} // namespace moonleaf
