// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DayInfo.h"

#include "engine/Astronomy.h"
#include "engine/LunarAlgorithms.h"
#include "engine/LunarCache.h"
#include "engine/Vocabulary.h"

namespace moonleaf {
namespace {

std::u16string CanChi(int stem, int branch) {
    std::u16string text = CanNames()[static_cast<std::size_t>(stem)];
    text += u' ';
    text += ChiNames()[static_cast<std::size_t>(branch)];
    return text;
}

// Days from JDN `first` (lunar day 1 of a month) to the next lunar day 1: the first n of
// 25..31 for which day first + n starts a month; 32 when none of the seven does (which no
// date between 1900 and 2100 reaches).
template <class Ops> double LengthOfMonthFrom(double first, double tz) {
    for (double n = 25; n <= 31; ++n) {
        const CalDate date = JdnToDate(first + n);
        if (detail::SolarToLunarT<Ops>(date.Day, date.Month, date.Year, tz).Day == 1) {
            return n;
        }
    }
    return 32;
}

template <class Ops> DayInfo BuildDayInfoT(double dd, double mm, double yy, double tz) {
    DayInfo info;

    // 1. The vocabulary tables: filled once, on first use, by the table accessors; their
    // contents never change, so refilling them per day would only cost time.

    // 2. Julian day and weekday.
    const double jd = DateToJdn(dd, mm, yy);
    info.WeekdayName = WeekdayNames()[static_cast<std::size_t>(WholeMod(jd + 1, 7))];

    // 3. Lunar date.
    const CalDate lunar = detail::SolarToLunarT<Ops>(dd, mm, yy, tz);
    const double ld = lunar.Day;
    const double lm = lunar.Month;
    const double ly = lunar.Year;
    info.LunarDay = ld;
    info.LunarMonth = lm;
    info.LunarYear = ly;

    // 4. Leap month of lunar year ly: found by the sun-sector test after month 11 of ly,
    // else after month 11 of the year before.
    double off = Ops::LeapOffset(Ops::Month11(ly, tz), tz);
    if (off > 2) {
        off = Ops::LeapOffset(Ops::Month11(ly - 1, tz), tz);
    }
    if (off < 13) {
        off = off - 2;
        if (off <= 0) {
            off = off + 12;
        }
    }
    info.HasLeap = off > 12 ? 0 : 1;
    info.LeapMonth = off > 12 ? 0 : off;

    // 5. Length of the lunar month holding the date.
    info.MonthDays = LengthOfMonthFrom<Ops>(jd - (ld - 1), tz);

    // 6. Day name.
    const int s = WholeMod(jd + 9, 10);
    const int b = WholeMod(jd + 1, 12);
    info.DayCanChi = CanChi(s, b);
    info.DayBranch = static_cast<std::int16_t>(b);

    // 7. First double-hour of the day.
    info.HourCanChi = CanChi(WholeMod(s * 2.0, 10), 0);

    // 8. Lunar month name.
    info.MonthCanChi = CanChi(WholeMod(ly * 12 + lm + 3, 10),
                              lm - 11 < 0 ? WholeMod(lm + 1, 12) : WholeMod(lm - 11, 12));

    // 9. Lunar year name.
    info.YearCanChi = CanChi(WholeMod(ly + 6, 10), WholeMod(ly + 8, 12));

    // 10. Leap facts, by Gregorian day and month only.
    info.IsLeap = 0;
    if (info.HasLeap == 1) {
        const CalDate start = detail::LunarToSolarT<Ops>(1, info.LeapMonth, ly, 1, tz);
        info.LeapStartDay = start.Day;
        info.LeapStartMonth = start.Month;
        info.LeapStartYear = start.Year;
        const double jl = DateToJdn(start.Day, start.Month, start.Year);
        const CalDate end = JdnToDate(jl + LengthOfMonthFrom<Ops>(jl, tz) - 1);
        info.LeapEndDay = end.Day;
        info.LeapEndMonth = end.Month;
        info.LeapEndYear = end.Year;
        if ((mm == info.LeapStartMonth && dd >= info.LeapStartDay) ||
            (mm != info.LeapStartMonth && mm == info.LeapEndMonth && dd <= info.LeapEndDay)) {
            info.IsLeap = 1;
        }
    }

    // 11. Solar term in force at the midnight that ends the day.
    const double t = SolarTermIndex(jd + 1, tz);
    info.TermName = TietKhiNames()[static_cast<std::size_t>(WholeMod(t, 24))];

    // 12. The day the term began. A term lasts 14 to 16 days, so looking back 20 days always
    // reaches the previous term; 21 marks a search that ran out.
    double back = 0;
    while (back <= 20 && SolarTermIndex(jd + 1 - back, tz) == t) {
        back = back + 1;
    }
    const CalDate termStart = JdnToDate(jd + 1 - back);
    info.TermStartDay = termStart.Day;
    info.TermStartMonth = termStart.Month;
    info.TermStartYear = termStart.Year;
    const CalDate termStartLunar =
        detail::SolarToLunarT<Ops>(termStart.Day, termStart.Month, termStart.Year, tz);
    info.TermStartLunarDay = termStartLunar.Day;
    info.TermStartLunarMonth = termStartLunar.Month;
    info.TermStartLunarYear = termStartLunar.Year;

    return info;
}

} // namespace

DayInfo BuildDayInfo(double dd, double mm, double yy, double tz) {
    return BuildDayInfoT<detail::CachedOps>(dd, mm, yy, tz);
}

namespace plain {
DayInfo BuildDayInfo(double dd, double mm, double yy, double tz) {
    return BuildDayInfoT<detail::PlainOps>(dd, mm, yy, tz);
}
} // namespace plain

} // namespace moonleaf
