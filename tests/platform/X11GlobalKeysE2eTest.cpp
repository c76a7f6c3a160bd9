// SPDX-License-Identifier: GPL-3.0-or-later
// The system-wide keys on an X server of the test's own, typed with xdotool while a window
// of another client has the keyboard focus.
#include "XSession.h"

#include "platform/x11/X11GlobalKeys.h"
#include "platform/x11/Xcb.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

// Generous: only broken keys make a wait run out.
constexpr int WAIT_MS = 20000;

// Another program's window on the display, which has the keyboard focus and records the
// key presses it is sent.
class FocusedWindow {
public:
    explicit FocusedWindow(const QByteArray& display)
        : connection_(xcb_connect(display.constData(), nullptr)) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        window_ = xcb_generate_id(connection_);
        const std::uint32_t events = XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root, 10, 10, 200,
                          100, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                          XCB_CW_EVENT_MASK, &events);
        xcb_map_window(connection_, window_);
        xcb_flush(connection_);
        // Focus can be given once the window is viewable.
        while (const x11::Reply<xcb_generic_event_t> event{xcb_wait_for_event(connection_)}) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                break;
            }
        }
        xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, window_, XCB_CURRENT_TIME);
        xcb_flush(connection_);
    }
    ~FocusedWindow() {
        // Gone before the next test's window takes the focus.
        xcb_destroy_window(connection_, window_);
        HasFocus();
        xcb_disconnect(connection_);
    }
    FocusedWindow(const FocusedWindow&) = delete;
    FocusedWindow& operator=(const FocusedWindow&) = delete;

    bool HasFocus() const {
        const x11::Reply<xcb_get_input_focus_reply_t> focus(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
        return focus && focus->focus == window_;
    }

    // The key codes of the key presses received so far.
    std::vector<std::uint8_t> Presses() {
        while (const x11::Reply<xcb_generic_event_t> event{xcb_poll_for_event(connection_)}) {
            if ((event->response_type & 0x7f) == XCB_KEY_PRESS) {
                presses_.push_back(reinterpret_cast<xcb_key_press_event_t*>(event.get())->detail);
            }
        }
        return presses_;
    }

    // Gives F9 to key code `keycode` alone, as a keyboard layout change would.
    void MoveF9To(std::uint8_t keycode, std::uint8_t oldKeycode) {
        const xcb_keysym_t f9[] = {x11::RawKeyState::KEYSYM_F9};
        const xcb_keysym_t none[] = {0};
        xcb_change_keyboard_mapping(connection_, 1, oldKeycode, 1, none);
        xcb_change_keyboard_mapping(connection_, 1, keycode, 1, f9);
        const x11::Reply<xcb_get_input_focus_reply_t> sync(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    }

private:
    xcb_connection_t* connection_;
    xcb_window_t window_ = 0;
    std::vector<std::uint8_t> presses_;
};

class X11GlobalKeysTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        session_ = new testing::XSession;
        ASSERT_TRUE(session_->Start());
    }
    static void TearDownTestSuite() {
        delete session_;
        session_ = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(keys_.Start());
        ASSERT_TRUE(focused_.HasFocus());
    }

    // Types `keys` (xdotool key names) into the focused window.
    void Type(const QStringList& keys) {
        ASSERT_TRUE(
            session_->Run(QStringLiteral("xdotool"), QStringList{QStringLiteral("key")} + keys));
    }

    static inline testing::XSession* session_ = nullptr;
    X11GlobalKeys keys_{session_->Display()};
    QSignalSpy activity_{&keys_, &GlobalKeys::KeyActivity};
    FocusedWindow focused_{session_->Display()};
};

TEST_F(X11GlobalKeysTest, AKeyTypedIntoAnotherWindowIsSeenAndStaysThere) {
    Type({QStringLiteral("a"), QStringLiteral("F9")});
    ASSERT_TRUE(activity_.wait(WAIT_MS));
    // The F10 after it comes after F9's release as well.
    Type({QStringLiteral("F10")});
    ASSERT_TRUE(QTest::qWaitFor([this] { return activity_.count() >= 2; }, WAIT_MS));
    EXPECT_EQ(activity_.count(), 2) << "one for F9, one for F10, none for a";
    EXPECT_TRUE(keys_.KeyState(GlobalKey::F9));
    EXPECT_FALSE(keys_.KeyState(GlobalKey::F9));
    EXPECT_FALSE(keys_.KeyState(GlobalKey::F11));

    // The focused window got every key: nothing was taken from it.
    EXPECT_TRUE(QTest::qWaitFor([this] { return focused_.Presses().size() == 3; }, WAIT_MS))
        << focused_.Presses().size();
}

TEST_F(X11GlobalKeysTest, AKeyHeldDownIsDownAtEveryQuery) {
    ASSERT_TRUE(session_->Run(QStringLiteral("xdotool"),
                              {QStringLiteral("keydown"), QStringLiteral("F11")}));
    ASSERT_TRUE(activity_.wait(WAIT_MS));
    EXPECT_TRUE(keys_.KeyState(GlobalKey::F11));
    EXPECT_TRUE(keys_.KeyState(GlobalKey::F11));
    ASSERT_TRUE(
        session_->Run(QStringLiteral("xdotool"), {QStringLiteral("keyup"), QStringLiteral("F11")}));
    Type({QStringLiteral("F10")}); // comes after the release
    ASSERT_TRUE(QTest::qWaitFor([this] { return activity_.count() >= 2; }, WAIT_MS));
    EXPECT_FALSE(keys_.KeyState(GlobalKey::F11));
}

TEST_F(X11GlobalKeysTest, TheKeysAreFoundAgainAfterTheKeyboardMappingChanges) {
    // xdotool types F9 on whichever key code produces it now.
    constexpr std::uint8_t UNUSED_KEYCODE = 250;
    constexpr std::uint8_t F9_KEYCODE = 75; // Xvfb's default mapping
    focused_.MoveF9To(UNUSED_KEYCODE, F9_KEYCODE);
    Type({QStringLiteral("F9")});
    ASSERT_TRUE(activity_.wait(WAIT_MS));
    EXPECT_TRUE(keys_.KeyState(GlobalKey::F9));
    const std::vector<std::uint8_t> presses = focused_.Presses();
    EXPECT_TRUE(std::find(presses.begin(), presses.end(), UNUSED_KEYCODE) != presses.end());
    focused_.MoveF9To(F9_KEYCODE, UNUSED_KEYCODE);
}

} // namespace
} // namespace moonleaf
