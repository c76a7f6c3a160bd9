// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design/DesignUnits.h"
#include "engine/DayInfo.h"
#include "mainwindow/PlatformDateNames.h"

#include <cstdint>
#include <optional>
#include <string>

namespace moonleaf {

// Colours of the day view, as colour values.
inline constexpr std::uint32_t COLOR_RED = Rgb(255, 0, 0);
inline constexpr std::uint32_t COLOR_DARK_BLUE = Rgb(0, 0, 192);

enum class ViewColor { ButtonText, Red, DarkBlue };

std::uint32_t ColorValue(ViewColor color);
// "red", "blue" or "default", as the day table writes them.
const char* ColorName(ViewColor color);

// What every element of the main window shows for one Gregorian date, in Unicode. The
// window only copies these into its controls; the fields are named after the elements.
struct DayView {
    std::u16string lbNgayD;    // day number without leading zero; also lbShadow
    std::u16string lbYear;     // the year in full
    std::u16string lbThangD;   // Vietnamese name of the Gregorian month (Tháng một ..)
    std::u16string lbThangEN;  // platform name of the Gregorian month
    std::u16string lbDateEN;   // platform name of the weekday
    std::u16string lbThuV;     // Vietnamese weekday (Chủ nhật, Thứ hai ..)
    std::u16string lbGioA;     // "Giờ: " and the Can Chi of the first double-hour
    std::u16string lbNgayA;    // "Ngày: " and the Can Chi of the day
    std::u16string lbThangA;   // "Tháng: " and the Can Chi of the lunar month
    std::u16string lbNamA;     // "Năm: " and the Can Chi of the lunar year
    std::u16string lbThangADT; // lunar month name and its length: "Tháng giêng (Đủ)"
    std::u16string lbTietKhi;  // solar term and the day's ordinal in it: "Đông chí (5)"
    std::u16string lbDateA;    // lunar day; also lbShadowA
    ViewColor lbNgayDColor = ViewColor::ButtonText; // red on Sunday, dark blue on Saturday
    ViewColor lbDateAColor = ViewColor::ButtonText; // red on lunar day 1
    std::optional<int> AnimalPicture;               // 0..11, the animal of the day's branch
    int MoonPicture = 0;                            // 1..29, or 0 for no moon
    std::optional<std::u16string> Holiday;          // holiday name, else a quotation is shown
    DayInfo Info;                                   // the record the view was built from
};

// Composes the view of Gregorian date day/month/year from one day record.
DayView ComposeDayView(double day, double month, double year,
                       const PlatformDateNames& platformNames = PlatformDateNames());

} // namespace moonleaf
