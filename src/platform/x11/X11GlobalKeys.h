// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/GlobalKeys.h"
#include "platform/x11/RawKeyState.h"

#include <QByteArray>

#include <memory>

class QSocketNotifier;
struct xcb_connection_t;

namespace moonleaf {

// F9, F10 and F11 system-wide on X11, from XInput2 raw key events. Raw events reach every
// client that selects them on the root window, whichever window has the focus, and take
// nothing from the program the user types in.
//
// The keys are read on a connection of their own to the display, watched by a socket
// notifier, so Qt's own connection and event handling are left alone, and an idle calendar
// is woken only when the X server has something to say. The key codes of the three keys
// come from the keyboard mapping and are read again when it changes.
class X11GlobalKeys final : public GlobalKeys {
    Q_OBJECT

public:
    // `display` names the X display to watch; empty for the one in $DISPLAY.
    explicit X11GlobalKeys(QByteArray display = {}, QObject* parent = nullptr);
    ~X11GlobalKeys() override;

    // False when the display cannot be reached or has no XInput 2.0 or later.
    bool Start() override;
    bool KeyState(GlobalKey key) override;

private:
    void ReadEvents();
    bool ReadMapping();
    void Stop();

    QByteArray display_;
    xcb_connection_t* connection_ = nullptr;
    std::uint8_t xinputOpcode_ = 0;
    std::unique_ptr<QSocketNotifier> notifier_;
    x11::RawKeyState state_;
};

} // namespace moonleaf
