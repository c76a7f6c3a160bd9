// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

#include <cstdint>

namespace moonleaf {

// A font as a window design keeps it: face name, size in ten-thousandths of a point (8.25 pt
// is 82500), weight on the 1..1000 scale (400 normal, 700 bold), the three style flags and
// the character set number.
struct StoredFont {
    QString Name;
    std::int64_t Size = 0;
    std::int16_t Weight = 400;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    std::int16_t Charset = 0;

    bool operator==(const StoredFont&) const = default;
};

// The stored form of `font`. A font sized in pixels is converted at the program's density
// of 96 pixels to the inch. Qt fonts carry no character set; it is stored as 0.
StoredFont StoreFont(const QFont& font);

// The QFont of a stored font. Its letters come from a family that shows Vietnamese
// (VietnameseFont), while the stored face name stays the font's family().
QFont LoadFont(const StoredFont& stored);

} // namespace moonleaf
