// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/RawKeyState.h"
#include "platform/GlobalKeys.h"
#include "platform/x11/X11GlobalKeys.h"

#include <gtest/gtest.h>

#include <vector>

namespace moonleaf {
namespace {

using x11::RawKeyState;

// Key codes of the usual PC keyboard mapping (evdev): F9, F10 and F11.
constexpr std::uint32_t F9_CODE = 75;
constexpr std::uint32_t F10_CODE = 76;
constexpr std::uint32_t F11_CODE = 95;
constexpr std::uint32_t A_CODE = 38;
constexpr std::uint8_t FIRST_KEYCODE = 8;
constexpr int PER_KEYCODE = 7;

// A keyboard mapping from key code 8 to 255 with `entries` (key code, column, keysym) set.
std::vector<std::uint32_t>
Mapping(std::initializer_list<std::tuple<std::uint32_t, int, std::uint32_t>> entries) {
    std::vector<std::uint32_t> keysyms((256 - FIRST_KEYCODE) * PER_KEYCODE, 0);
    for (const auto& [code, column, keysym] : entries) {
        keysyms[(code - FIRST_KEYCODE) * PER_KEYCODE + static_cast<std::size_t>(column)] = keysym;
    }
    return keysyms;
}

class RawKeyStateTest : public ::testing::Test {
protected:
    RawKeyStateTest() {
        const auto keysyms = Mapping({{F9_CODE, 0, RawKeyState::KEYSYM_F9},
                                      {F9_CODE, 2, RawKeyState::KEYSYM_F9},
                                      {F10_CODE, 0, RawKeyState::KEYSYM_F10},
                                      {F11_CODE, 0, RawKeyState::KEYSYM_F11},
                                      {A_CODE, 0, 'a'},
                                      {A_CODE, 1, 'A'}});
        state_.SetMapping(FIRST_KEYCODE, PER_KEYCODE, keysyms);
    }

    RawKeyState state_;
};

TEST_F(RawKeyStateTest, OnlyTheWatchedKeysAreActivity) {
    EXPECT_TRUE(state_.Press(F9_CODE));
    EXPECT_TRUE(state_.Press(F10_CODE));
    EXPECT_TRUE(state_.Press(F11_CODE));
    EXPECT_FALSE(state_.Press(A_CODE));
    EXPECT_FALSE(state_.Press(F11_CODE + 1));
}

TEST_F(RawKeyStateTest, APressAndReleaseIsReportedOnceThenForgotten) {
    state_.Press(F9_CODE);
    state_.Release(F9_CODE);
    EXPECT_TRUE(state_.Query(GlobalKey::F9));
    EXPECT_FALSE(state_.Query(GlobalKey::F9));
}

TEST_F(RawKeyStateTest, AHeldKeyIsReportedAtEveryQueryUntilReleased) {
    state_.Press(F10_CODE);
    EXPECT_TRUE(state_.Query(GlobalKey::F10));
    EXPECT_TRUE(state_.Query(GlobalKey::F10));
    state_.Release(F10_CODE);
    EXPECT_FALSE(state_.Query(GlobalKey::F10));
}

TEST_F(RawKeyStateTest, AQueryForgetsOnlyItsOwnKey) {
    state_.Press(F9_CODE);
    state_.Release(F9_CODE);
    state_.Press(F11_CODE);
    state_.Release(F11_CODE);
    EXPECT_FALSE(state_.Query(GlobalKey::F10));
    EXPECT_TRUE(state_.Query(GlobalKey::F9));
    EXPECT_TRUE(state_.Query(GlobalKey::F11));
}

TEST_F(RawKeyStateTest, NothingIsReportedBeforeAnyPress) {
    EXPECT_FALSE(state_.Query(GlobalKey::F9));
    EXPECT_FALSE(state_.Query(GlobalKey::F10));
    EXPECT_FALSE(state_.Query(GlobalKey::F11));
    state_.Release(F9_CODE); // a release of a key held before the watch began
    EXPECT_FALSE(state_.Query(GlobalKey::F9));
}

TEST_F(RawKeyStateTest, AKeyOnTwoKeyCodesIsDownWhileEitherIs) {
    constexpr std::uint32_t SECOND_F9 = 200;
    state_.SetMapping(
        FIRST_KEYCODE, PER_KEYCODE,
        Mapping({{F9_CODE, 0, RawKeyState::KEYSYM_F9}, {SECOND_F9, 0, RawKeyState::KEYSYM_F9}}));
    state_.Press(F9_CODE);
    state_.Press(SECOND_F9);
    state_.Release(F9_CODE);
    EXPECT_TRUE(state_.Query(GlobalKey::F9));
    EXPECT_TRUE(state_.Query(GlobalKey::F9)) << "the second key code is still down";
    state_.Release(SECOND_F9);
    EXPECT_FALSE(state_.Query(GlobalKey::F9));
}

TEST_F(RawKeyStateTest, ANewMappingMovesTheKeys) {
    constexpr std::uint32_t MOVED_F9 = 191;
    state_.SetMapping(FIRST_KEYCODE, PER_KEYCODE,
                      Mapping({{F9_CODE, 0, 'x'}, {MOVED_F9, 0, RawKeyState::KEYSYM_F9}}));
    EXPECT_FALSE(state_.Press(F9_CODE));
    EXPECT_FALSE(state_.Query(GlobalKey::F9));
    EXPECT_TRUE(state_.Press(MOVED_F9));
    EXPECT_TRUE(state_.Query(GlobalKey::F9));
    EXPECT_FALSE(state_.Press(F10_CODE)) << "F10 is in no key code any more";
}

TEST_F(RawKeyStateTest, KeyCodesOutsideTheMappingAreIgnored) {
    EXPECT_FALSE(state_.Press(256));
    EXPECT_FALSE(state_.Press(0xffffffff));
    state_.Release(0xffffffff);
    const std::vector<std::uint32_t> shortMapping(PER_KEYCODE, RawKeyState::KEYSYM_F11);
    state_.SetMapping(255, PER_KEYCODE, shortMapping); // key code 255 only
    EXPECT_TRUE(state_.Press(255));
    state_.SetMapping(FIRST_KEYCODE, 0, shortMapping); // no keysyms per key code
    EXPECT_FALSE(state_.Press(255));
}

TEST(GlobalKeysSource, OffX11ThereAreNoSystemWideKeys) {
    auto keys = CreateGlobalKeys();
    EXPECT_NE(dynamic_cast<NoGlobalKeys*>(keys.get()), nullptr);
    EXPECT_FALSE(keys->Start());
    EXPECT_FALSE(keys->KeyState(GlobalKey::F9));
}

TEST(GlobalKeysSource, ADisplayThatCannotBeReachedCannotStart) {
    X11GlobalKeys keys(":4321");
    EXPECT_FALSE(keys.Start());
    EXPECT_FALSE(keys.Start()) << "asking again fails again";
    EXPECT_FALSE(keys.KeyState(GlobalKey::F9));
}

} // namespace
} // namespace moonleaf
