// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace moonleaf::wm {

// Numbers of the window messages the interception speaks in. Qt delivers events, not
// messages; MessageInterception names each input event by the message it stands for, so a
// watch table can list them as the design gives them.
inline constexpr std::uint32_t SIZE = 5;
inline constexpr std::uint32_t SETFOCUS = 7;
inline constexpr std::uint32_t KILLFOCUS = 8;
inline constexpr std::uint32_t PAINT = 15;
inline constexpr std::uint32_t KEYDOWN = 256;
inline constexpr std::uint32_t KEYUP = 257;
inline constexpr std::uint32_t CHAR = 258;
inline constexpr std::uint32_t MOUSEMOVE = 512;
inline constexpr std::uint32_t LBUTTONDOWN = 513;
inline constexpr std::uint32_t LBUTTONUP = 514;
inline constexpr std::uint32_t LBUTTONDBLCLK = 515;
inline constexpr std::uint32_t RBUTTONDOWN = 516;
inline constexpr std::uint32_t RBUTTONUP = 517;
inline constexpr std::uint32_t RBUTTONDBLCLK = 518;
inline constexpr std::uint32_t MBUTTONDOWN = 519;
inline constexpr std::uint32_t MBUTTONUP = 520;
inline constexpr std::uint32_t MBUTTONDBLCLK = 521;
inline constexpr std::uint32_t MOUSEWHEEL = 522;
inline constexpr std::uint32_t MOUSELEAVE = 0x2A3;

// Key-state flags carried in the first parameter of a mouse message.
inline constexpr std::int32_t MK_LBUTTON = 0x01;
inline constexpr std::int32_t MK_RBUTTON = 0x02;
inline constexpr std::int32_t MK_SHIFT = 0x04;
inline constexpr std::int32_t MK_CONTROL = 0x08;
inline constexpr std::int32_t MK_MBUTTON = 0x10;

} // namespace moonleaf::wm
