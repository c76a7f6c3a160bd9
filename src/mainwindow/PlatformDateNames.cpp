// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/PlatformDateNames.h"

#include <array>

namespace moonleaf {

std::u16string PlatformDateNames::MonthName(int month) const {
    static constexpr std::array<const char16_t*, 12> NAMES{
        u"January", u"February", u"March",     u"April",   u"May",      u"June",
        u"July",    u"August",   u"September", u"October", u"November", u"December"};
    if (month < 1 || month > 12) {
        return {};
    }
    return NAMES[static_cast<std::size_t>(month - 1)];
}

std::u16string PlatformDateNames::WeekdayName(int weekday) const {
    static constexpr std::array<const char16_t*, 7> NAMES{
        u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
    if (weekday < 0 || weekday > 6) {
        return {};
    }
    return NAMES[static_cast<std::size_t>(weekday)];
}

} // namespace moonleaf
