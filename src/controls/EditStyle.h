// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

namespace moonleaf {

// Window style bits of an edit window, by their usual values. The edit widgets
// (EditLine, EditText) are configured from these words, so the style a text box asks for
// reads as the design gives it.
namespace ws {
inline constexpr std::uint32_t CHILD = 0x40000000;
inline constexpr std::uint32_t VISIBLE = 0x10000000;
inline constexpr std::uint32_t CLIPSIBLINGS = 0x04000000;
inline constexpr std::uint32_t BORDER = 0x00800000;
inline constexpr std::uint32_t VSCROLL = 0x00200000;
inline constexpr std::uint32_t HSCROLL = 0x00100000;
inline constexpr std::uint32_t TABSTOP = 0x00010000;
inline constexpr std::uint32_t EX_CLIENTEDGE = 0x00000200;
} // namespace ws

namespace es {
inline constexpr std::uint32_t CENTER = 0x0001;
inline constexpr std::uint32_t RIGHT = 0x0002;
inline constexpr std::uint32_t MULTILINE = 0x0004;
inline constexpr std::uint32_t LOWERCASE = 0x0008;
inline constexpr std::uint32_t UPPERCASE = 0x0010;
inline constexpr std::uint32_t PASSWORD = 0x0020;
inline constexpr std::uint32_t AUTOVSCROLL = 0x0040;
inline constexpr std::uint32_t AUTOHSCROLL = 0x0080;
inline constexpr std::uint32_t NOHIDESEL = 0x0100;
inline constexpr std::uint32_t READONLY = 0x0800;
inline constexpr std::uint32_t NUMBER = 0x2000;
} // namespace es

// The text box properties that shape its edit window.
struct EditProperties {
    bool Multiline = false;
    std::int32_t Scrollbar = 0;   // with Multiline: 1 horizontal, 2 vertical, 3 both
    std::int32_t Alignment = 0;   // 0 left, 1 right, 2 centred
    bool Locked = false;          // read-only
    bool NumberOnly = false;      // only digits may be typed
    bool HideSelection = false;   // True keeps the selection visible without the focus
    std::int32_t TextConvert = 0; // 1 upper case, 2 lower case
    QString PasswordChar;         // at most one character
    std::int32_t MaxLength = 0;   // 0: the edit window's own maximum
    std::int32_t BorderStyle = 1; // 0 none, 1 the border Appearance chooses
    std::int32_t Appearance = 1;  // with a border: 1 sunken edge, 0 flat line
};

struct EditStyle {
    std::uint32_t Style = 0;
    std::uint32_t ExStyle = 0;
};

// The style words an edit window is created with for `properties`.
EditStyle BuildEditStyle(const EditProperties& properties);

} // namespace moonleaf
