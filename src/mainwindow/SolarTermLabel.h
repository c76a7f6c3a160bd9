// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/DayInfo.h"

#include <string>

namespace moonleaf {

// The ordinal of a day within its solar term, as the suffix that follows the term name:
// empty on the day the term begins, " (2)" on the next day, and so on (a term spans 14 to
// 16 days). The count is the difference of the Julian day numbers of the shown day and the
// term's first day, so it runs across lunar month and year boundaries and leap months.
std::u16string SoTietKhi(double kNgay, double kThang, double kNam);

// The same, from the day record the caller already built for that date.
std::u16string SoTietKhi(const DayInfo& info, double kNgay, double kThang, double kNam);

// The converted term name followed by its ordinal suffix: "Đông chí (5)".
std::u16string SolarTermLabel(const DayInfo& info, double day, double month, double year);

} // namespace moonleaf
