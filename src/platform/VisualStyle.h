// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace moonleaf {

// Whether the controls draw with the desktop's visual style (the current QStyle) or with
// the classic three-dimensional frame. On unless the environment variable
// MOONLEAF_VISUAL_STYLES is "0" when the program starts; SetVisualStylesEnabled switches it
// while the program runs (the next drawing of each control follows).
bool VisualStylesEnabled();
void SetVisualStylesEnabled(bool enabled);

} // namespace moonleaf
