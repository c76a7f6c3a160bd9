// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowTraits.h"

namespace moonleaf {

// The window traits on X11, through Qt's own xcb connection.
//
// The panel is an ordinary top-level window (not a tool window: Qt makes those transient
// for its hidden group leader and quitting on the last window would ignore it), frameless,
// above other windows (Qt writes _NET_WM_STATE_ABOVE for the stays-on-top flag), and off the
// task bar and pager through _NET_WM_STATE_SKIP_TASKBAR and _SKIP_PAGER, which a keeper
// puts back at every show. It is shown without being activated: Qt then gives it a
// _NET_WM_USER_TIME of 0, which tells the window manager not to focus it when it is mapped;
// a click still focuses it, so its text box and buttons work as usual. Moving a window
// never focuses it.
//
// The shadow is a ShadowWindow where a compositing manager owns _NET_WM_CM_S<screen>
// (asked at every show), kept off the task bar as the panel is and stacked just below it;
// otherwise a PanelBorder.
class X11WindowTraits final : public WindowTraits {
public:
    void MakePanel(QWidget* window) override;
    void DropShadow(QWidget* window) override;

    // Keeps the top-level `window` off the task bar and the pager for its whole life.
    static void KeepOffTaskbar(QWidget* window);
};

} // namespace moonleaf
