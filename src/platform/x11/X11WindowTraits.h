// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowTraits.h"

namespace moonleaf {

// The window traits on X11, through Qt's own xcb connection.
//
// The panel is a frameless top-level window of the dock type (_NET_WM_WINDOW_TYPE_DOCK),
// above other windows (Qt writes _NET_WM_STATE_ABOVE for the stays-on-top flag) and off the
// task bar and pager (_NET_WM_STATE_SKIP_TASKBAR and _SKIP_PAGER); a WindowHintsKeeper puts
// the type and the states back at every show. It is not a tool window: Qt makes those
// transient for its hidden group leader, and closing the last window would not quit. The
// dock type lets the panel slide above the top of the screen: openbox keeps a tenth of any
// other window on the screen when the program moves it.
//
// Focus: the panel is shown without being activated (WA_ShowWithoutActivating), so Qt gives
// it a _NET_WM_USER_TIME of 0, which tells the window manager not to focus it when it is
// mapped; moving a window never focuses it. A click on it still gives it the keyboard focus
// (Qt asks for activation on a button press), so its text box and buttons work as usual.
//
// The shadow is a ShadowWindow where a compositing manager owns _NET_WM_CM_S<screen>
// (asked at every show), with the panel's hints and stacked just below it; otherwise a
// PanelBorder.
class X11WindowTraits final : public WindowTraits {
public:
    void MakePanel(QWidget* window) override;
    void DropShadow(QWidget* window) override;

    // Keeps the top-level `window` a dock, off the task bar and the pager, for its whole
    // life.
    static void KeepPanelHints(QWidget* window);
};

} // namespace moonleaf
