// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/DayView.h"

#include "engine/JulianDay.h"
#include "engine/Vocabulary.h"
#include "mainwindow/DayPictures.h"
#include "mainwindow/SolarTermLabel.h"
#include "services/HolidayText.h"
#include "text/Utf.h"
#include "text/VniToUnicode.h"

#include <string>

namespace moonleaf {
namespace {

std::u16string WholeNumberText(double value) {
    return AsciiToUtf16(std::to_string(static_cast<long long>(value)));
}

// Month number 1..12 of a whole double, or 0 for anything else (which names no month).
int MonthNumber(double month) {
    return month >= 1 && month <= 12 && month == static_cast<double>(static_cast<int>(month))
               ? static_cast<int>(month)
               : 0;
}

// Converts a VNI text held by value and returns the Unicode form.
std::u16string Converted(std::u16string vni) {
    return VniToUnicode(vni);
}

} // namespace

std::uint32_t ColorValue(ViewColor color) {
    switch (color) {
    case ViewColor::Red:
        return COLOR_RED;
    case ViewColor::DarkBlue:
        return COLOR_DARK_BLUE;
    case ViewColor::ButtonText:
        break;
    }
    return SYS_COLOR_BUTTON_TEXT;
}

const char* ColorName(ViewColor color) {
    switch (color) {
    case ViewColor::Red:
        return "red";
    case ViewColor::DarkBlue:
        return "blue";
    case ViewColor::ButtonText:
        break;
    }
    return "default";
}

DayView ComposeDayView(double day, double month, double year,
                       const PlatformDateNames& platformNames) {
    DayView view;
    view.Info = BuildDayInfo(day, month, year, TIMEZONE);
    const DayInfo& info = view.Info;

    if (info.WeekdayName == u"Chu3 nha65t") {
        view.lbNgayDColor = ViewColor::Red;
    } else if (info.WeekdayName == u"Thu71 ba3y") {
        view.lbNgayDColor = ViewColor::DarkBlue;
    }
    view.lbDateAColor = info.LunarDay == 1 ? ViewColor::Red : ViewColor::ButtonText;

    view.lbYear = WholeNumberText(year);
    view.lbNgayD = WholeNumberText(day);
    view.lbThangEN = platformNames.MonthName(MonthNumber(month));
    view.lbThangD = Converted(MonthName(month));
    view.lbDateEN = platformNames.WeekdayName(WholeMod(DateToJdn(day, month, year) + 1, 7));
    view.lbThuV = Converted(info.WeekdayName);
    view.lbDateA = WholeNumberText(info.LunarDay);
    view.lbGioA = Converted(u"Gio72: " + info.HourCanChi);
    view.lbNgayA = Converted(u"Nga2y: " + info.DayCanChi);
    view.lbThangA = Converted(u"Tha1ng: " + info.MonthCanChi);
    view.lbNamA = Converted(u"Na8m: " + info.YearCanChi);
    view.lbThangADT = Converted(LunarMonthName(info.LunarMonth) + u" (" +
                                (info.MonthDays > 29 ? u"D9u3" : u"Thie61u") + u")");
    view.lbTietKhi = SolarTermLabel(info, day, month, year);
    view.AnimalPicture = AnimalPictureIndex(info.DayBranch);
    view.MoonPicture = MoonPictureIndex(info);
    view.Holiday = HolidayText(day, month, info);
    return view;
}

} // namespace moonleaf
