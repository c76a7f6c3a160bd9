// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/Clock.h"

#include <ctime>

namespace moonleaf {

CalDate Clock::Today() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return CalDate{static_cast<double>(local.tm_mday), static_cast<double>(local.tm_mon + 1),
                   static_cast<double>(local.tm_year) + 1900};
}

} // namespace moonleaf
