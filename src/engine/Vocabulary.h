// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace moonleaf {

// The Vietnamese words of the calendar, stored in VNI notation ("Gia1p" for Giáp) and turned
// into Unicode by VniToUnicode only where they are shown or compared.

// Fills the four tables below (replacing any previous contents with the same words).
// The tables are filled before the first day is composed; calling it again is harmless.
void InitCalendarNames();

// Ten heavenly stems, index 0 Giáp .. 9 Quý.
const std::array<std::u16string, 10>& CanNames();
// Twelve earthly branches, index 0 Tý .. 11 Hợi.
const std::array<std::u16string, 12>& ChiNames();
// Seven weekdays, index 0 Sunday (Chủ nhật) .. 6 Saturday (Thứ bảy).
const std::array<std::u16string, 7>& WeekdayNames();
// Twenty-four solar terms; index i begins when the sun's longitude reaches 15·i degrees,
// so index 0 is the vernal equinox (Xuân phân).
const std::array<std::u16string, 24>& TietKhiNames();

// Traditional name of lunar month 1..12 ("Tha1ng gie6ng" .. "Tha1ng cha5p"); the empty
// string for any value that is not exactly one of 1.0 .. 12.0.
std::u16string LunarMonthName(double month);

// Ordinal name of Gregorian month 1..12 ("Tha1ng mo65t" .. "Tha1ng mu7o72i hai"); the empty
// string for any other value.
std::u16string MonthName(double month);

// The month 1..12 whose converted MonthName equals `text` exactly (case-sensitive, code unit
// by code unit), or 0 when none does. Only the Unicode form is recognised.
std::int16_t MonthFromName(const std::u16string& text);

// Remainder of the whole number `value` divided by `modulus`, always in [0, modulus): the
// index formulas of the sexagenary names use it so that no table is ever indexed outside
// its bounds, also for dates before year 0.
int WholeMod(double value, int modulus);

} // namespace moonleaf
