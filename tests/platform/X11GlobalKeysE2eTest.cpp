// SPDX-License-Identifier: GPL-3.0-or-later
// The system-wide keys on an X server of the test's own, typed with xdotool into a window of
// another client that has the keyboard focus.
#include "XSession.h"

#include "platform/x11/X11GlobalKeys.h"
#include "platform/x11/Xcb.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

constexpr int WAIT_MS = 20000;          // generous: only broken keys make a wait run out
constexpr std::uint8_t F9_KEYCODE = 75; // in Xvfb's keyboard mapping

class X11GlobalKeysTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(session_.Start()); }

    // Another program's window, which has the focus and records the key presses it gets.
    void SetUp() override {
        ASSERT_TRUE(keys_.Start());
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(other_)).data;
        const std::uint32_t events = XCB_EVENT_MASK_KEY_PRESS;
        xcb_create_window(other_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 200, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                          &events);
        xcb_map_window(other_, window_);
        xcb_set_input_focus(other_, XCB_INPUT_FOCUS_POINTER_ROOT, window_, XCB_CURRENT_TIME);
        const x11::Reply<xcb_get_input_focus_reply_t> focus(
            xcb_get_input_focus_reply(other_, xcb_get_input_focus(other_), nullptr));
        ASSERT_TRUE(focus && focus->focus == window_);
    }
    void TearDown() override { xcb_disconnect(other_); }

    void Type(const QString& key) {
        ASSERT_TRUE(session_.Run(QStringLiteral("xdotool"), {QStringLiteral("key"), key}));
    }

    // The key codes the other window was sent.
    std::vector<std::uint8_t>& OtherGot() {
        while (const x11::Reply<xcb_generic_event_t> event{xcb_poll_for_event(other_)}) {
            if ((event->response_type & 0x7f) == XCB_KEY_PRESS) {
                otherGot_.push_back(reinterpret_cast<xcb_key_press_event_t*>(event.get())->detail);
            }
        }
        return otherGot_;
    }

    static inline testing::XSession session_;
    X11GlobalKeys keys_{session_.Display()};
    QSignalSpy activity_{&keys_, &GlobalKeys::KeyActivity};
    xcb_connection_t* other_ = xcb_connect(session_.Display().constData(), nullptr);
    xcb_window_t window_ = xcb_generate_id(other_);
    std::vector<std::uint8_t> otherGot_;
};

TEST_F(X11GlobalKeysTest, AKeyTypedIntoAnotherWindowIsSeenOnceAndStaysThere) {
    Type(QStringLiteral("a"));
    Type(QStringLiteral("F9"));
    ASSERT_TRUE(activity_.wait(WAIT_MS));
    Type(QStringLiteral("F10")); // also comes after F9's release
    ASSERT_TRUE(QTest::qWaitFor([this] { return activity_.count() >= 2; }, WAIT_MS));
    EXPECT_EQ(activity_.count(), 2) << "one for F9, one for F10, none for a";
    EXPECT_TRUE(keys_.KeyState(GlobalKey::F9));
    EXPECT_FALSE(keys_.KeyState(GlobalKey::F9));
    EXPECT_FALSE(keys_.KeyState(GlobalKey::F11));
    // The other window got every key: nothing was taken from it.
    EXPECT_TRUE(QTest::qWaitFor([this] { return OtherGot().size() == 3; }, WAIT_MS));
}

TEST_F(X11GlobalKeysTest, TheKeysAreFoundAgainAfterTheKeyboardMappingChanges) {
    // F9 moves to an unused key code, as with another keyboard layout; xdotool types it there.
    constexpr std::uint8_t MOVED = 250;
    const xcb_keysym_t none = 0;
    const xcb_keysym_t f9 = x11::RawKeyState::KEYSYM_F9;
    xcb_change_keyboard_mapping(other_, 1, F9_KEYCODE, 1, &none);
    xcb_change_keyboard_mapping(other_, 1, MOVED, 1, &f9);
    xcb_flush(other_);
    Type(QStringLiteral("F9"));
    ASSERT_TRUE(activity_.wait(WAIT_MS));
    EXPECT_TRUE(keys_.KeyState(GlobalKey::F9));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !OtherGot().empty(); }, WAIT_MS));
    EXPECT_EQ(OtherGot(), std::vector<std::uint8_t>{MOVED});
    xcb_change_keyboard_mapping(other_, 1, MOVED, 1, &none);
    xcb_change_keyboard_mapping(other_, 1, F9_KEYCODE, 1, &f9);
    xcb_flush(other_);
}

} // namespace
} // namespace moonleaf
