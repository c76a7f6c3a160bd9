// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/HolidayText.h"

#include "engine/Holidays.h"
#include "text/VniToUnicode.h"

namespace moonleaf {

std::optional<std::u16string> HolidayText(double day, double month, const DayInfo& info) {
    std::u16string name = HolidayName(CalDate{day, month, 0}, 1);
    if (name.empty()) {
        name = HolidayName(CalDate{info.LunarDay, info.LunarMonth, 0}, 0);
    }
    if (name.empty()) {
        return std::nullopt;
    }
    return VniToUnicode(name);
}

} // namespace moonleaf
