// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

#include <functional>
#include <memory>

class QEvent;
class QWidget;

namespace moonleaf {

struct InterceptionRecord;
class MessageInterception;

// A window whose messages a MessageInterception can watch. The widget's own event() runs
// every event through InterceptEvent, which plays the part of the procedure an
// interception installs in front of a window: it names the event by the window message(s)
// it stands for, runs the before-callbacks, then the widget's own handling, then the
// after-callbacks. Without an installed interception InterceptEvent is just the widget's
// own handling.
class InterceptedWindow {
public:
    // The kinds of events a widget passes on as messages (a scroll area's frame, for
    // instance, passes its keys while its viewport passes the mouse).
    enum Parts : unsigned {
        KEYBOARD = 1,    // key down, key up, one character message per typed character
        MOUSE = 2,       // button down, up and double-click, mouse move, wheel
        FOCUS = 4,       // focus gained and lost
        MOUSE_LEAVE = 8, // the mouse has left the window
        OTHER = 16,      // size and paint
        ALL_PARTS = 31,
    };

    InterceptedWindow() = default;
    InterceptedWindow(const InterceptedWindow&) = delete;
    InterceptedWindow& operator=(const InterceptedWindow&) = delete;
    virtual ~InterceptedWindow();

    // The widget that is this window.
    virtual QWidget* Widget() = 0;

    // True while an interception is installed on this window.
    bool IsIntercepted() const { return record_ != nullptr; }
    // True while one of this window's events is being processed by InterceptEvent: the
    // window must then not be deleted at once (see UniTextBox::DestroyEditWindow).
    bool IsDispatching() const { return depth_ > 0; }

protected:
    // Runs `event` through the installed interception. `parts` says which kinds of events
    // this handler turns into messages, `clientOrigin` where the client area (the origin of
    // mouse message coordinates) lies in the widget, and `ownHandling` is the widget's own
    // processing of the event, whose result is returned. The event reaches `ownHandling`
    // unchanged, unless a before-callback reported the message handled.
    bool InterceptEvent(QEvent* event, unsigned parts, QPoint clientOrigin,
                        const std::function<bool()>& ownHandling);

private:
    friend class MessageInterception;

    std::shared_ptr<InterceptionRecord> record_;
    int depth_ = 0;
};

} // namespace moonleaf
