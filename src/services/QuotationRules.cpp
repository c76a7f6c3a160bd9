// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/QuotationRules.h"

#include "engine/JulianDay.h"

namespace moonleaf {

std::int32_t DrawnLine(double r, bool onClick) {
    const double range = onClick ? CLICK_DRAW_LINES : DAY_DRAW_LINES;
    return static_cast<std::int32_t>(Int(r * range)) + 1;
}

QuotationBox ChooseBox(double textWidthTwips, double boxWidthTwips) {
    return boxWidthTwips < textWidthTwips ? QuotationBox::Tall : QuotationBox::Short;
}

std::u16string BoxText(const std::u16string& text, QuotationBox box) {
    return box == QuotationBox::Tall ? text + u"  " : text;
}

} // namespace moonleaf
