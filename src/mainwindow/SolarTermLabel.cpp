// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/SolarTermLabel.h"

#include "engine/JulianDay.h"
#include "text/Utf.h"
#include "text/VniToUnicode.h"

#include <cmath>
#include <string>

namespace moonleaf {

std::u16string SoTietKhi(double kNgay, double kThang, double kNam) {
    return SoTietKhi(BuildDayInfo(kNgay, kThang, kNam, TIMEZONE), kNgay, kThang, kNam);
}

std::u16string SoTietKhi(const DayInfo& info, double kNgay, double kThang, double kNam) {
    const double n = DateToJdn(kNgay, kThang, kNam) -
                     DateToJdn(info.TermStartDay, info.TermStartMonth, info.TermStartYear);
    if (n == 0 || !std::isfinite(n)) {
        return {};
    }
    const auto ordinal = static_cast<long long>(n + 1);
    return u" (" + AsciiToUtf16(std::to_string(ordinal)) + u")";
}

std::u16string SolarTermLabel(const DayInfo& info, double day, double month, double year) {
    std::u16string name = info.TermName;
    VniToUnicode(name);
    return name + SoTietKhi(info, day, month, year);
}

} // namespace moonleaf
