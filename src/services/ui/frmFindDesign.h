// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/DesignRow.h"

#include <span>

namespace moonleaf {

// The lookup dialog: its client area when it opens (the result lines lie below it), and
// the outer height that shows them after a lookup.
inline constexpr int FIND_CLIENT_WIDTH_TWIPS = 4065;
inline constexpr int FIND_CLIENT_HEIGHT_TWIPS = 1785;
inline constexpr int FIND_TALL_OUTER_HEIGHT_TWIPS = 3300;
inline constexpr double FIND_FONT_POINTS = 8.25;

std::span<const DesignRow> FindDesign();

} // namespace moonleaf
