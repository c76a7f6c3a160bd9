// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/DayInfo.h"

#include <optional>
#include <string>

namespace moonleaf {

// The holiday name the quotation area shows for a Gregorian date, converted to Unicode:
// the Gregorian list is asked first, then the lunar list with the date's lunar day and
// month from `info`. No value when neither names the day (a quotation is shown instead).
// The text is returned as stored, trailing blank included, without the two blanks the tall
// box appends.
std::optional<std::u16string> HolidayText(double day, double month, const DayInfo& info);

} // namespace moonleaf
