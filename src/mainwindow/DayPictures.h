// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/DayInfo.h"

#include <optional>

namespace moonleaf {

// Index 1..29 of the moon picture for lunar day `lunarDay` of a month of `monthDays` days,
// or 0 when the day shows no moon. A 30-day month shows pictures 1..29 and none on day 30;
// a 29-day month shows 1..17, skips 18, shows 19..29 on days 18..28 and none on day 29.
int MoonPictureIndex(double lunarDay, double monthDays);

// The moon picture of the day the record describes.
int MoonPictureIndex(const DayInfo& info);

// Index 0..11 of the animal picture for a day's branch (0 rat .. 11 pig); no value for a
// branch outside 0..11, in which case the shown picture stays as it was.
std::optional<int> AnimalPictureIndex(int branch);

} // namespace moonleaf
