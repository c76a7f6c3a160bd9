// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CalDate.h"

#include <cstdint>

namespace moonleaf {

// The date code of a day: the date written "ddmmyy" and read as a whole number, so
// 7 December 2026 gives 71226 (the day's leading zero is lost). The clock compares the code
// of the moment with the code of the day last taken as today to notice a change of day.
std::int32_t DateCode(const CalDate& date);

} // namespace moonleaf
