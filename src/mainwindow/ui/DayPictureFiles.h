// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace moonleaf {

// The resource path of moon picture k (1..29); empty for any other k (no moon shown).
QString MoonPictureFile(int k);

// The resource path of the animal picture of branch index 0..11; empty for any other.
QString AnimalPictureFile(int index);

// What the moon picture k (0 for none) of lunar day `lunarDay` shows, as assistive technology
// says it: "Trăng ngày 15", or "Không có trăng" on a day without a moon.
QString MoonPictureName(int k, int lunarDay);

// What the animal picture of branch index 0..11 shows: "Con giáp: Rồng". The animals are
// those of the Vietnamese zodiac, the cat for Mão. Empty for any other index.
QString AnimalPictureName(int index);

} // namespace moonleaf
