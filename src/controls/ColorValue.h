// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace moonleaf {

// Colour values as the window designs hold them: 0x00BBGGRR for a plain colour, or
// 0x80000000 plus the index of a colour of the desktop scheme.
inline constexpr std::uint32_t SYSTEM_COLOR_FLAG = 0x80000000;
inline constexpr std::uint32_t SYS_COLOR_WINDOW = 0x80000005;       // edit and list background
inline constexpr std::uint32_t SYS_COLOR_WINDOW_FRAME = 0x80000006; // thin window borders
inline constexpr std::uint32_t SYS_COLOR_WINDOW_TEXT = 0x80000008;
inline constexpr std::uint32_t SYS_COLOR_BUTTON_FACE = 0x8000000F;
inline constexpr std::uint32_t SYS_COLOR_BUTTON_SHADOW = 0x80000010;
inline constexpr std::uint32_t SYS_COLOR_GRAY_TEXT = 0x80000011;
inline constexpr std::uint32_t SYS_COLOR_BUTTON_TEXT = 0x80000012;
inline constexpr std::uint32_t SYS_COLOR_BUTTON_HIGHLIGHT = 0x80000014;

// The QColor of a colour value. A system colour is read from `palette` (the scheme's roles:
// button face is QPalette::Button, button text ButtonText, button shadow Dark, window Base,
// window text Text ...); an index the scheme does not have gives black. A plain colour keeps
// its low 24 bits (red in the lowest byte) and is opaque.
QColor ColorFromValue(std::uint32_t value, const QPalette& palette);

// The same against the application's palette.
QColor ColorFromValue(std::uint32_t value);

} // namespace moonleaf
