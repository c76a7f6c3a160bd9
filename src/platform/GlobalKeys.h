// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <Qt>

#include <memory>

namespace moonleaf {

// The three keys the calendar answers whichever program has the keyboard focus.
enum class GlobalKey { F9, F10, F11 };

// Where the system-wide keys come from. A source watches the keys without taking them from
// the program the user types in, raises KeyActivity when one of them is pressed, and
// answers KeyState the way an asynchronous key-state query does.
class GlobalKeys : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Starts watching. False when this display cannot report keys system-wide; the program
    // then runs on without them.
    virtual bool Start() = 0;
    // True when `key` is down now or was pressed since the last query of that key; the
    // query forgets the earlier press.
    virtual bool KeyState(GlobalKey key) = 0;
    // The modifier keys (Ctrl, Shift, Alt) held now, as the keyboard reports them.
    virtual Qt::KeyboardModifiers HeldModifiers() const;

signals:
    // A watched key went down: the owner runs one pass over the keys.
    void KeyActivity();
};

// A source that never reports a key, for displays without system-wide keys.
class NoGlobalKeys final : public GlobalKeys {
    Q_OBJECT

public:
    using GlobalKeys::GlobalKeys;
    bool Start() override { return false; }
    bool KeyState(GlobalKey) override { return false; }
};

// The source of the running window system: XInput2 raw key events on X11, otherwise none.
std::unique_ptr<GlobalKeys> CreateGlobalKeys();

} // namespace moonleaf
