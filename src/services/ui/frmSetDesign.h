// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/DesignRow.h"

#include <span>

namespace moonleaf {

// The options dialog: one check box and the label that says what it does.
inline constexpr int SET_CLIENT_WIDTH_TWIPS = 4065;
inline constexpr int SET_CLIENT_HEIGHT_TWIPS = 600;
inline constexpr double SET_FONT_POINTS = 8.25;

std::span<const DesignRow> SetDesign();

} // namespace moonleaf
