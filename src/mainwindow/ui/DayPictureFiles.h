// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace moonleaf {

// The resource path of moon picture k (1..29); empty for any other k (no moon shown).
QString MoonPictureFile(int k);

// The resource path of the animal picture of branch index 0..11; empty for any other.
QString AnimalPictureFile(int index);

} // namespace moonleaf
