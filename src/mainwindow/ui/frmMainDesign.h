// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/DesignRow.h"
#include "design/DesignUnits.h"

#include <cstdint>
#include <span>

namespace moonleaf {

// The main window's design: a borderless green panel of 4920 by 6315 twips (328 by 421
// pixels) with every element of the day view.
inline constexpr int MAIN_CLIENT_WIDTH_TWIPS = 4920;
inline constexpr int MAIN_CLIENT_HEIGHT_TWIPS = 6315;
inline constexpr double MAIN_FONT_POINTS = 8.25;

// The colours the design names.
inline constexpr std::uint32_t PANEL_GREEN = Rgb(0, 192, 0);
inline constexpr std::uint32_t DARK_GREEN = Rgb(0, 128, 0);
inline constexpr std::uint32_t WHITE = Rgb(255, 255, 255);
inline constexpr std::uint32_t SILVER = Rgb(192, 192, 192);

// The elements in the design's order, each container before what it holds and what lies in
// front after what lies behind it.
std::span<const DesignRow> MainWindowDesign();

} // namespace moonleaf
