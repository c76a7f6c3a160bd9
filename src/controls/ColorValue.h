// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design/DesignUnits.h"

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace moonleaf {

// The QColor of a colour value. A system colour is read from `palette` (the scheme's roles:
// button face is QPalette::Button, button text ButtonText, button shadow Dark, window Base,
// window text Text ...); an index the scheme does not have gives black. A plain colour keeps
// its low 24 bits (red in the lowest byte) and is opaque.
QColor ColorFromValue(std::uint32_t value, const QPalette& palette);

// The same against the application's palette.
QColor ColorFromValue(std::uint32_t value);

} // namespace moonleaf
