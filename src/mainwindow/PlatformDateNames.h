// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace moonleaf {

// The platform's full month and weekday names, shown beside the Vietnamese ones. This base
// gives the English names; the desktop program substitutes the names of the user's locale.
class PlatformDateNames {
public:
    PlatformDateNames() = default;
    PlatformDateNames(const PlatformDateNames&) = default;
    PlatformDateNames& operator=(const PlatformDateNames&) = default;
    virtual ~PlatformDateNames() = default;

    // Full name of month 1..12 ("January"); empty for any other value.
    virtual std::u16string MonthName(int month) const;
    // Full name of weekday 0 Sunday .. 6 Saturday ("Sunday"); empty for any other value.
    virtual std::u16string WeekdayName(int weekday) const;
};

} // namespace moonleaf
