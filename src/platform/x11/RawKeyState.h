// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/GlobalKeys.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <span>

namespace moonleaf::x11 {

// The watched keys as raw key events report them: which key codes produce F9, F10 and F11
// in the keyboard mapping, which key codes are down, and which watched keys were pressed
// since they were last asked about. Knows nothing of the X connection, so it is tested on
// its own.
class RawKeyState {
public:
    static constexpr std::uint32_t KEYSYM_F9 = 0xffc6;
    static constexpr std::uint32_t KEYSYM_F10 = 0xffc7;
    static constexpr std::uint32_t KEYSYM_F11 = 0xffc8;

    // Learns the key codes from a keyboard mapping: `keysyms` holds `perKeycode` keysyms for
    // each key code from `firstKeycode` on. A key code counts for a watched key when any of
    // its keysyms is that key's.
    void SetMapping(std::uint8_t firstKeycode, int perKeycode,
                    std::span<const std::uint32_t> keysyms);

    // A key went down; true when it produces a watched key.
    bool Press(std::uint32_t keycode);
    void Release(std::uint32_t keycode);

    // True when `key` is down or was pressed since the last query of it; the query forgets
    // that press.
    bool Query(GlobalKey key);

private:
    static constexpr std::size_t KEYCODES = 256;

    std::array<std::bitset<KEYCODES>, 3> codes_; // the key codes of each watched key
    std::bitset<KEYCODES> down_;
    std::array<bool, 3> pressed_{};
};

} // namespace moonleaf::x11
