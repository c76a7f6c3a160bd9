// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace moonleaf {

// The rules of the quotation area that carry numbers.

// Lines of the quotation list; the last one is never drawn.
inline constexpr std::int32_t QUOTATION_LINES = 2359;
// A day that has no holiday draws one of lines 1..2358.
inline constexpr std::int32_t DAY_DRAW_LINES = 2358;
// A click on the quotation area draws one of lines 1..2274.
inline constexpr std::int32_t CLICK_DRAW_LINES = 2274;

// The line drawn for a uniform random number r in [0, 1): the whole part of r times the
// range, plus one. `onClick` selects the click's range, otherwise the day's.
std::int32_t DrawnLine(double r, bool onClick);

// Which of the two boxes shows a text: the tall one only when the text, measured on one
// line, is wider than the box; a text exactly as wide goes to the short box.
enum class QuotationBox { Short, Tall };
QuotationBox ChooseBox(double textWidthTwips, double boxWidthTwips);

// The text as the chosen box receives it: the tall box gets two blanks after the text.
std::u16string BoxText(const std::u16string& text, QuotationBox box);

} // namespace moonleaf
