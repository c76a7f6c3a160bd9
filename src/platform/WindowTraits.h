// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

class QWidget;

namespace moonleaf {

// How the desktop gives the program's windows their traits: a frameless panel that stays
// above other windows and has no task-bar or pager entry, and a drop shadow.
class WindowTraits {
public:
    WindowTraits() = default;
    WindowTraits(const WindowTraits&) = delete;
    WindowTraits& operator=(const WindowTraits&) = delete;
    virtual ~WindowTraits() = default;

    // Makes the top-level `window` (before it is first shown) frameless, always on top and
    // without task-bar or pager entry. The traits hold for the window's whole life, also
    // across hide and show, which makes a window manager forget them.
    virtual void MakePanel(QWidget* window) = 0;

    // Gives the top-level `window` a drop shadow: a soft shadow where a compositing manager
    // runs, and a plain one-pixel border where none does (never an opaque black box). The
    // window's own size and position stay as they are.
    virtual void DropShadow(QWidget* window) = 0;

    // Keeps the top-level `window` (before it is first shown) out of the task bar and the
    // pager while it keeps its title bar and frame: the program's small dialogs. This
    // version asks through Qt's tool-window flag; a backend that can name the state to the
    // window manager itself does so.
    virtual void MakeToolWindow(QWidget* window);
};

// The traits of the running window system: the X11 backend on the xcb platform, otherwise
// the portable one, which asks only through Qt's window flags.
std::unique_ptr<WindowTraits> CreateWindowTraits();

// Qt's window flags only: frameless, stays-on-top, tool-window; the shadow is the border.
class PortableWindowTraits : public WindowTraits {
public:
    void MakePanel(QWidget* window) override;
    void DropShadow(QWidget* window) override;
};

} // namespace moonleaf
