// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Vocabulary.h"

#include "text/VniToUnicode.h"

#include <cmath>

namespace moonleaf {
namespace {

std::array<std::u16string, 10> gCanNames;
std::array<std::u16string, 12> gChiNames;
std::array<std::u16string, 7> gWeekdayNames;
std::array<std::u16string, 24> gTietKhiNames;
bool gNamesFilled = false;

void EnsureNames() {
    if (!gNamesFilled) {
        InitCalendarNames();
    }
}

// Index 0..11 of a month number that is exactly one of 1.0 .. 12.0, or -1.
int MonthIndex(double month) {
    for (int m = 1; m <= 12; ++m) {
        if (month == static_cast<double>(m)) {
            return m - 1;
        }
    }
    return -1;
}

constexpr std::array<const char16_t*, 12> LUNAR_MONTH_NAMES{
    u"Tha1ng gie6ng",        u"Tha1ng hai",   u"Tha1ng ba",   u"Tha1ng tu7",   u"Tha1ng na8m",
    u"Tha1ng sa1u",          u"Tha1ng ba3y",  u"Tha1ng ta1m", u"Tha1ng chi1n", u"Tha1ng mu7o72i",
    u"Tha1ng mu7o72i mo65t", u"Tha1ng cha5p",
};

constexpr std::array<const char16_t*, 12> MONTH_NAMES{
    u"Tha1ng mo65t",   u"Tha1ng hai",           u"Tha1ng ba",
    u"Tha1ng tu7",     u"Tha1ng na8m",          u"Tha1ng sa1u",
    u"Tha1ng ba3y",    u"Tha1ng ta1m",          u"Tha1ng chi1n",
    u"Tha1ng mu7o72i", u"Tha1ng mu7o72i mo65t", u"Tha1ng mu7o72i hai",
};

} // namespace

void InitCalendarNames() {
    gCanNames = {u"Gia1p", u"A61t", u"Bi1nh", u"D9inh", u"Ma65u",
                 u"Ky3",   u"Canh", u"Ta6n",  u"Nha6m", u"Quy1"};
    gChiNames = {u"Ty1",  u"Su73u", u"Da62n", u"Ma4o",  u"Thi2n",  u"Ty5",
                 u"Ngo5", u"Mu2i",  u"Tha6n", u"Da65u", u"Tua61t", u"Ho75i"};
    gWeekdayNames = {u"Chu3 nha65t", u"Thu71 hai",  u"Thu71 ba",  u"Thu71 tu7",
                     u"Thu71 na8m",  u"Thu71 sa1u", u"Thu71 ba3y"};
    gTietKhiNames = {u"Xua6n pha6n",    u"Thanh Minh",    u"Co61c vu4",      u"La65p ha5",
                     u"Tie63u ma4n",    u"Mang chu3ng",   u"Ha5 chi1",       u"Tie63u thu73",
                     u"D9a5i thu73",    u"La65p thu",     u"Xu73 thu73",     u"Ba5ch lo65",
                     u"Thu pha6n",      u"Ha2n lo65",     u"Su7o7ng gia1ng", u"La65p d9o6ng",
                     u"Tie63u tuye61t", u"D9a5i tuye61t", u"D9o6ng chi1",    u"Tie63u ha2n",
                     u"D9a5i ha2n",     u"La65p xua6n",   u"Vu4 thu3y",      u"Ki2nh tra65p"};
    gNamesFilled = true;
}

const std::array<std::u16string, 10>& CanNames() {
    EnsureNames();
    return gCanNames;
}

const std::array<std::u16string, 12>& ChiNames() {
    EnsureNames();
    return gChiNames;
}

const std::array<std::u16string, 7>& WeekdayNames() {
    EnsureNames();
    return gWeekdayNames;
}

const std::array<std::u16string, 24>& TietKhiNames() {
    EnsureNames();
    return gTietKhiNames;
}

std::u16string LunarMonthName(double month) {
    const int index = MonthIndex(month);
    return index < 0 ? std::u16string()
                     : std::u16string(LUNAR_MONTH_NAMES[static_cast<std::size_t>(index)]);
}

std::u16string MonthName(double month) {
    const int index = MonthIndex(month);
    return index < 0 ? std::u16string()
                     : std::u16string(MONTH_NAMES[static_cast<std::size_t>(index)]);
}

std::int16_t MonthFromName(const std::u16string& text) {
    for (std::size_t m = 0; m < MONTH_NAMES.size(); ++m) {
        std::u16string name(MONTH_NAMES[m]);
        if (VniToUnicode(name) == text) {
            return static_cast<std::int16_t>(m + 1);
        }
    }
    return 0;
}

int WholeMod(double value, int modulus) {
    const double m = static_cast<double>(modulus);
    double r = value - m * std::floor(value / m);
    if (!(r >= 0 && r < m)) {
        r = 0; // NaN, or a rounding step at the edge for huge values
    }
    return static_cast<int>(r);
}

} // namespace moonleaf
