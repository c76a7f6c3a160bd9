// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/DateSteps.h"

#include <cmath>

namespace moonleaf {
namespace {

bool DivisibleBy(double value, double divisor) {
    return std::fmod(value, divisor) == 0;
}

// Month 13 becomes month 1 of the next year.
void RollMonthForward(CalDate& date) {
    date.Month = date.Month + 1;
    if (date.Month == 13) {
        date.Month = 1;
        date.Year = date.Year + 1;
    }
}

void ClipDay(CalDate& date) {
    const double length = MonthLength(date.Month, IsLeapYear(date.Year));
    if (date.Day > length) {
        date.Day = length;
    }
}

void ClipLeapDay(CalDate& date) {
    if (date.Month == 2 && date.Day == 29 && !IsLeapYear(date.Year)) {
        date.Day = 28;
    }
}

} // namespace

bool IsLeapYear(double year) {
    return DivisibleBy(year, 400) || (DivisibleBy(year, 4) && !DivisibleBy(year, 100));
}

double MonthLength(double month, bool leapYear) {
    if (month == 2) {
        return leapYear ? 29 : 28;
    }
    if (month == 4 || month == 6 || month == 9 || month == 11) {
        return 30;
    }
    return 31;
}

CalDate fNgaySau(const CalDate& shown) {
    CalDate date = shown;
    const bool leap = IsLeapYear(date.Year);
    date.Day = date.Day + 1;
    if (date.Day > MonthLength(date.Month, leap)) {
        date.Day = 1;
        RollMonthForward(date);
    }
    return date;
}

CalDate fTuanSau(const CalDate& shown) {
    CalDate date = shown;
    const bool leap = IsLeapYear(date.Year);
    date.Day = date.Day + 7;
    const double length = MonthLength(date.Month, leap);
    if (date.Day > length) {
        date.Day = date.Day - length;
        RollMonthForward(date);
    }
    return date;
}

CalDate fThangSau(const CalDate& shown) {
    CalDate date = shown;
    date.Month = date.Month + 1;
    if (date.Month == 13) {
        date.Month = 1;
        date.Year = date.Year + 1;
    } else {
        ClipDay(date);
    }
    return date;
}

CalDate fNamSau(const CalDate& shown) {
    CalDate date = shown;
    date.Year = date.Year + 1;
    ClipLeapDay(date);
    return date;
}

CalDate fNgayTruoc(const CalDate& shown) {
    CalDate date = shown;
    const bool leap = IsLeapYear(date.Year);
    date.Day = date.Day - 1;
    if (date.Day == 0) {
        date.Month = date.Month - 1;
        if (date.Month == 0) {
            date.Month = 12;
            date.Year = date.Year - 1;
        }
        date.Day = MonthLength(date.Month, leap);
    }
    return date;
}

CalDate fTuanTruoc(const CalDate& shown) {
    CalDate date = shown;
    const bool leap = IsLeapYear(date.Year);
    date.Day = date.Day - 7;
    if (date.Day < 1) {
        date.Month = date.Month - 1;
        if (date.Month == 0) {
            date.Month = 12;
            date.Year = date.Year - 1;
            date.Day = date.Day + 31;
        } else {
            date.Day = date.Day + MonthLength(date.Month, leap);
        }
    }
    return date;
}

CalDate fThangTruoc(const CalDate& shown) {
    CalDate date = shown;
    date.Month = date.Month - 1;
    if (date.Month == 0) {
        date.Month = 12;
        date.Year = date.Year - 1;
    } else {
        ClipDay(date);
    }
    return date;
}

CalDate fNamTruoc(const CalDate& shown) {
    CalDate date = shown;
    date.Year = date.Year - 1;
    ClipLeapDay(date);
    return date;
}

DateStep StepForModifiers(bool ctrl, bool shift, bool alt) {
    if (ctrl && shift) {
        return DateStep::Year;
    }
    if (ctrl && alt) {
        return DateStep::Month;
    }
    if (ctrl) {
        return DateStep::Week;
    }
    return DateStep::Day;
}

CalDate ApplyStep(const CalDate& shown, DateStep step, bool forward) {
    switch (step) {
    case DateStep::Week:
        return forward ? fTuanSau(shown) : fTuanTruoc(shown);
    case DateStep::Month:
        return forward ? fThangSau(shown) : fThangTruoc(shown);
    case DateStep::Year:
        return forward ? fNamSau(shown) : fNamTruoc(shown);
    case DateStep::Day:
        break;
    }
    return forward ? fNgaySau(shown) : fNgayTruoc(shown);
}

} // namespace moonleaf
