// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/StoredFont.h"

#include "platform/VietnameseFont.h"

#include <algorithm>
#include <cmath>

namespace moonleaf {
namespace {

constexpr double SIZE_UNITS_PER_POINT = 10000.0;
constexpr double POINTS_PER_PIXEL = 72.0 / 96.0; // the program's screen density

} // namespace

StoredFont StoreFont(const QFont& font) {
    StoredFont stored;
    stored.Name = font.family();
    const double points =
        font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * POINTS_PER_PIXEL;
    stored.Size = std::llround(points * SIZE_UNITS_PER_POINT);
    stored.Weight = static_cast<std::int16_t>(font.weight());
    stored.Italic = font.italic();
    stored.Underline = font.underline();
    stored.Strikethrough = font.strikeOut();
    return stored;
}

QFont LoadFont(const StoredFont& stored) {
    QFont font = VietnameseFont(stored.Name);
    if (stored.Size > 0) {
        font.setPointSizeF(static_cast<double>(stored.Size) / SIZE_UNITS_PER_POINT);
    }
    font.setWeight(static_cast<QFont::Weight>(std::clamp<int>(stored.Weight, 1, 1000)));
    font.setItalic(stored.Italic);
    font.setUnderline(stored.Underline);
    font.setStrikeOut(stored.Strikethrough);
    return font;
}

} // namespace moonleaf
