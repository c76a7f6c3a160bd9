// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/DesignRow.h"

#include <span>

namespace moonleaf {

// The restore tab: 465 by 300 twips, its button overlapping the edges by 10 twips.
inline constexpr int SPY_CLIENT_WIDTH_TWIPS = 465;
inline constexpr int SPY_CLIENT_HEIGHT_TWIPS = 300;

std::span<const DesignRow> SpyDesign();

} // namespace moonleaf
