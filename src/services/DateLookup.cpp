// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/DateLookup.h"

#include "engine/DayInfo.h"
#include "engine/JulianDay.h"
#include "mainwindow/DateSteps.h"
#include "text/Utf.h"
#include "text/VniToUnicode.h"

#include <string>

namespace moonleaf {
namespace {

// The number a list text reads as: its leading decimal digits (0 when there are none).
double ListNumber(const std::u16string& text) {
    double number = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') {
            break;
        }
        number = number * 10 + (c - u'0');
    }
    return number;
}

// A calendar value (always whole here) in plain decimal without fraction digits.
std::u16string NumberText(double value) {
    return AsciiToUtf16(std::to_string(static_cast<long long>(value)));
}

std::u16string Converted(std::u16string vni) {
    return VniToUnicode(vni);
}

} // namespace

int DayListLength(double month, bool leapYear) {
    if (month == 1 || month == 3 || month == 5 || month == 7 || month == 8 || month == 10 ||
        month == 12) {
        return 31;
    }
    if (month == 4 || month == 6 || month == 9 || month == 11) {
        return 30;
    }
    return leapYear ? 29 : 28;
}

DayListChoice DayListFor(double dayToKeep, double month, double year) {
    DayListChoice choice;
    choice.Entries = DayListLength(month, IsLeapYear(year));
    if (dayToKeep <= choice.Entries && dayToKeep > 1) {
        choice.Selected = static_cast<int>(dayToKeep) - 1;
    }
    return choice;
}

LookupLines ComposeLookup(const std::u16string& dayText, const std::u16string& monthText,
                          const std::u16string& yearText) {
    const DayInfo info =
        BuildDayInfo(ListNumber(dayText), ListNumber(monthText), ListNumber(yearText), TIMEZONE);
    const std::u16string lunarDay = NumberText(info.LunarDay);
    const std::u16string lunarMonth = NumberText(info.LunarMonth);
    const std::u16string lunarYear = NumberText(info.LunarYear);

    LookupLines lines;
    // "Ngày " and ", tháng " are written in Unicode already.
    lines.lbDuong = u"Ng\u00E0y " + dayText + u", th\u00E1ng " + monthText + u", " +
                    Converted(u"na8m ") + yearText + u" " + Converted(u"du7o7ng li5ch nha82m :");
    lines.lbAm = u"Ng\u00E0y " + lunarDay + u", th\u00E1ng " + lunarMonth + u", " +
                 Converted(u"na8m") + u" " + lunarYear + Converted(u" a6m li5ch, tu71c:");
    lines.lbStr = Converted(u"Nga2y ") + Converted(info.DayCanChi) + Converted(u", tha1ng ") +
                  Converted(info.MonthCanChi) + Converted(u", na8m ") + Converted(info.YearCanChi);
    // The blank after the second hyphen belongs to the line: "15-7- 2008 (Giờ Canh Tý)".
    lines.lbGio = lunarDay + u"-" + lunarMonth + u"-" + u" " + lunarYear + Converted(u" (Gio72 ") +
                  Converted(info.HourCanChi) + u")";
    return lines;
}

} // namespace moonleaf
