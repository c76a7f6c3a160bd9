// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/RawKeyState.h"

namespace moonleaf::x11 {
namespace {

constexpr std::array<std::uint32_t, 3> KEYSYMS{RawKeyState::KEYSYM_F9, RawKeyState::KEYSYM_F10,
                                               RawKeyState::KEYSYM_F11};

std::size_t Index(GlobalKey key) {
    return static_cast<std::size_t>(key);
}

} // namespace

void RawKeyState::SetMapping(std::uint8_t firstKeycode, int perKeycode,
                             std::span<const std::uint32_t> keysyms) {
    for (auto& codes : codes_) {
        codes.reset();
    }
    if (perKeycode <= 0) {
        return;
    }
    const auto per = static_cast<std::size_t>(perKeycode);
    for (std::size_t i = 0; i < keysyms.size(); ++i) {
        const std::size_t keycode = firstKeycode + i / per;
        if (keycode >= KEYCODES) {
            break;
        }
        for (std::size_t k = 0; k < KEYSYMS.size(); ++k) {
            if (keysyms[i] == KEYSYMS[k]) {
                codes_[k].set(keycode);
            }
        }
    }
}

bool RawKeyState::Press(std::uint32_t keycode) {
    if (keycode >= KEYCODES) {
        return false;
    }
    down_.set(keycode);
    bool watched = false;
    for (std::size_t k = 0; k < codes_.size(); ++k) {
        if (codes_[k].test(keycode)) {
            pressed_[k] = true;
            watched = true;
        }
    }
    return watched;
}

void RawKeyState::Release(std::uint32_t keycode) {
    if (keycode < KEYCODES) {
        down_.reset(keycode);
    }
}

bool RawKeyState::Query(GlobalKey key) {
    const std::size_t k = Index(key);
    const bool state = pressed_[k] || (codes_[k] & down_).any();
    pressed_[k] = false;
    return state;
}

} // namespace moonleaf::x11
