// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace moonleaf {

// The steps of the calendar's slides, as window tops in twips. A slide asks for the next
// top, moves the window there, pauses a tick so the screen and the clock keep up, and asks
// again with the top the window has then: a slide started in the middle of another one
// takes over from wherever the window is.

// One step of the slides that hide and show the calendar.
inline constexpr double SLIDE_STEP_TWIPS = 100;

// Up one step while top + height is greater than `limit`: the start-up slide stops once the
// whole window is at least 100 twips above the screen (limit -100), the hide button's slide
// as soon as it is wholly above it (limit 0). No value once the slide has arrived.
std::optional<double> NextTopUp(double top, double height, double limit);

// Down one step while the top is below 0: a window hidden from top 0 comes back to exactly
// 0 (and one hidden from any other top to the first step at or below the screen's edge).
std::optional<double> NextTopDown(double top);

// The step of the closing slide down off a screen `screenHeight` twips tall: 100 twips, or a
// 64th of the way from `top` on a taller screen, so that the slide stays short.
double ClosingStep(double top, double screenHeight);

// Down one closing step while the top is above the bottom of the screen.
std::optional<double> NextTopOffBottom(double top, double screenHeight, double step);

} // namespace moonleaf
