// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CalDate.h"

namespace moonleaf {

// The eight steps of the arrow buttons, on a Gregorian date (day, month, year). Each does
// its own month-length arithmetic with the Gregorian leap-year rule (applied to every
// year), and rolls over at most once: no offset is longer than one month.

// Divisible by 400, or by 4 and not by 100.
bool IsLeapYear(double year);
// 31 for months 1, 3, 5, 7, 8, 10, 12; 30 for 4, 6, 9, 11; 29 or 28 for February.
double MonthLength(double month, bool leapYear);

CalDate fNgaySau(const CalDate& shown);    // one day forward
CalDate fTuanSau(const CalDate& shown);    // one week forward
CalDate fThangSau(const CalDate& shown);   // one month forward, the day clipped to the month
CalDate fNamSau(const CalDate& shown);     // one year forward; 29 February may become 28
CalDate fNgayTruoc(const CalDate& shown);  // one day back
CalDate fTuanTruoc(const CalDate& shown);  // one week back
CalDate fThangTruoc(const CalDate& shown); // one month back, the day clipped to the month
CalDate fNamTruoc(const CalDate& shown);   // one year back; 29 February may become 28

enum class DateStep { Day, Week, Month, Year };

// The step a click on an arrow performs for the modifier keys held at the click, tested in
// this order: Ctrl and Shift (year), Ctrl and Alt (month), Ctrl (week), anything else (day).
DateStep StepForModifiers(bool ctrl, bool shift, bool alt);

// Applies `step` forward or backward.
CalDate ApplyStep(const CalDate& shown, DateStep step, bool forward);

} // namespace moonleaf
