// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

namespace moonleaf {

// The one family the whole program shows wherever a design names a font that this desktop
// lacks or that has no Vietnamese letters (Tahoma, on most Linux desktops): the first
// installed of a short list of families with full Vietnamese coverage, else any installed
// family that covers Vietnamese, else the application font's family. Chosen once.
QString VietnameseFontFamily();

// True when `family` is installed and covers the Vietnamese writing system.
bool ShowsVietnamese(const QString& family);

// `family` itself when it shows Vietnamese, otherwise VietnameseFontFamily().
QString FamilyForVietnamese(const QString& family);

// A font whose letters come from FamilyForVietnamese(family). When `family` is not installed
// at all, the font still names it first (QFont::family() returns it, so a saved design keeps
// its face name) and Qt passes over it to the family that has the letters.
QFont VietnameseFont(const QString& family);

// VietnameseFont(family) at the largest pixel size whose cell height (ascent plus descent,
// as QFontMetrics::height reports it) does not exceed `cellPixels`, with `weight` on the
// 1..1000 scale. This is how a requested character-cell height is met.
QFont FontWithCellHeight(const QString& family, int cellPixels, int weight);

// The font of a window design that names Tahoma at `points`: the program's Vietnamese
// family at the pixel size those points have at the designs' 96 pixels to the inch, so that
// text and the twip-placed elements keep their proportions whatever the screen's density.
QFont DesignFont(double points, bool bold = false);

} // namespace moonleaf
