// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/DayPictures.h"

namespace moonleaf {

int MoonPictureIndex(double lunarDay, double monthDays) {
    double k = lunarDay;
    if (monthDays == 29 && lunarDay >= 18) {
        k = lunarDay + 1;
    }
    // Pictures exist for 1..29; 30 (the dark moon) and anything outside has none.
    if (!(k >= 1 && k <= 29)) {
        return 0;
    }
    return static_cast<int>(k);
}

int MoonPictureIndex(const DayInfo& info) {
    return MoonPictureIndex(info.LunarDay, info.MonthDays);
}

std::optional<int> AnimalPictureIndex(int branch) {
    if (branch < 0 || branch > 11) {
        return std::nullopt;
    }
    return branch;
}

} // namespace moonleaf
