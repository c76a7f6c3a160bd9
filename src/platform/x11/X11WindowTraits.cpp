// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11WindowTraits.h"

#include "platform/PanelShadow.h"
#include "platform/x11/WindowHintsKeeper.h"
#include "platform/x11/Xcb.h"

#include <QWidget>
#include <QWindow>

namespace moonleaf {
namespace {

// True when a compositing manager runs on `window`'s screen.
bool Compositing(QWidget* window) {
    xcb_connection_t* connection = x11::QtConnection();
    if (connection == nullptr) {
        return false;
    }
    const auto id = static_cast<xcb_window_t>(window->winId());
    return x11::CompositorRuns(connection,
                               x11::ScreenNumber(connection, x11::RootOf(connection, id)));
}

void StackShadowBelow(QWidget* shadow, QWidget* panel) {
    if (xcb_connection_t* connection = x11::QtConnection()) {
        x11::StackBelow(connection, static_cast<xcb_window_t>(shadow->winId()),
                        static_cast<xcb_window_t>(panel->winId()));
    }
}

} // namespace

void X11WindowTraits::MakePanel(QWidget* window) {
    const Qt::WindowFlags others = window->windowFlags() & ~Qt::WindowType_Mask;
    window->setWindowFlags(others | Qt::Window | Qt::FramelessWindowHint |
                           Qt::WindowStaysOnTopHint);
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    KeepPanelHints(window);
}

void X11WindowTraits::DropShadow(QWidget* window) {
    if (window->findChild<PanelShadow*>(QString(), Qt::FindDirectChildrenOnly) != nullptr) {
        return;
    }
    new PanelShadow(window, {
                                [window] { return Compositing(window); },
                                [](QWidget* shadow) { KeepPanelHints(shadow); },
                                StackShadowBelow,
                            });
}

void X11WindowTraits::KeepPanelHints(QWidget* window) {
    if (window->findChild<x11::WindowHintsKeeper*>(QString(), Qt::FindDirectChildrenOnly) ==
        nullptr) {
        new x11::WindowHintsKeeper(window);
    }
}

} // namespace moonleaf
