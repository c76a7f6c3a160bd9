// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/RawKeyState.h"
#include "platform/GlobalKeys.h"
#include "platform/x11/X11GlobalKeys.h"

#include <gtest/gtest.h>

#include <vector>

namespace moonleaf {
namespace {

using x11::RawKeyState;

// The usual PC key codes (evdev) of F9, F10, F11 and A, in a mapping with 7 keysyms per key
// code from key code 8 on.
constexpr std::uint32_t F9 = 75, F10 = 76, F11 = 95, A = 38;
constexpr int PER_KEYCODE = 7;

RawKeyState WithMapping(std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> keys) {
    std::vector<std::uint32_t> keysyms((256 - 8) * PER_KEYCODE, 0);
    for (const auto& [code, keysym] : keys) {
        keysyms[(code - 8) * PER_KEYCODE + 2] = keysym; // also found in a later column
    }
    RawKeyState state;
    state.SetMapping(8, PER_KEYCODE, keysyms);
    return state;
}

RawKeyState Usual() {
    return WithMapping({{F9, RawKeyState::KEYSYM_F9},
                        {F10, RawKeyState::KEYSYM_F10},
                        {F11, RawKeyState::KEYSYM_F11},
                        {A, 'a'}});
}

TEST(RawKeyState, OnlyTheWatchedKeysAreActivity) {
    RawKeyState state = Usual();
    EXPECT_TRUE(state.Press(F9));
    EXPECT_TRUE(state.Press(F11));
    EXPECT_FALSE(state.Press(A));
    EXPECT_FALSE(state.Press(0xffffffff)); // beyond any key code
}

TEST(RawKeyState, APressIsReportedOnceAndAHeldKeyUntilReleased) {
    RawKeyState state = Usual();
    EXPECT_FALSE(state.Query(GlobalKey::F9));
    state.Press(F9);
    state.Release(F9);
    state.Press(F10);
    EXPECT_FALSE(state.Query(GlobalKey::F11)) << "a query sees its own key only";
    EXPECT_TRUE(state.Query(GlobalKey::F9));
    EXPECT_FALSE(state.Query(GlobalKey::F9));
    EXPECT_TRUE(state.Query(GlobalKey::F10));
    EXPECT_TRUE(state.Query(GlobalKey::F10)) << "still down";
    state.Release(F10);
    EXPECT_FALSE(state.Query(GlobalKey::F10));
}

TEST(RawKeyState, AKeyOnTwoKeyCodesIsDownWhileEitherIs) {
    RawKeyState state = WithMapping({{F9, RawKeyState::KEYSYM_F9}, {200, RawKeyState::KEYSYM_F9}});
    state.Press(F9);
    state.Press(200);
    state.Release(F9);
    EXPECT_TRUE(state.Query(GlobalKey::F9));
    EXPECT_TRUE(state.Query(GlobalKey::F9));
    state.Release(200);
    EXPECT_FALSE(state.Query(GlobalKey::F9));
}

TEST(RawKeyState, ANewMappingMovesTheKeys) {
    RawKeyState state = Usual();
    state.SetMapping(191, 1, std::vector<std::uint32_t>{RawKeyState::KEYSYM_F9});
    EXPECT_FALSE(state.Press(F9));
    EXPECT_FALSE(state.Press(F10));
    EXPECT_TRUE(state.Press(191));
}

TEST(GlobalKeysSource, OffX11OrWithoutADisplayThereAreNoSystemWideKeys) {
    auto keys = CreateGlobalKeys();
    EXPECT_NE(dynamic_cast<NoGlobalKeys*>(keys.get()), nullptr);
    EXPECT_FALSE(keys->Start());
    X11GlobalKeys unreachable(":4321");
    EXPECT_FALSE(unreachable.Start());
    EXPECT_FALSE(unreachable.KeyState(GlobalKey::F9));
}

} // namespace
} // namespace moonleaf
