// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class QWidget;

namespace moonleaf {

// Keeps `window` (a top-level window; for any other widget, the window holding it) above
// all windows that are not topmost themselves. Its position, size and visibility stay as
// they are; a visible window is raised. Null does nothing.
void SetTopMost(QWidget* window);

// Pauses `n` times for one millisecond, letting the user interface process all pending
// events after each pause, so a window can repaint between animation steps. n <= 0 returns
// at once without processing anything.
void PauseTicks(std::int16_t n);

} // namespace moonleaf
