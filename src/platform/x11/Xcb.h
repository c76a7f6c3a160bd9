// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <xcb/xcb.h>

#include <QByteArray>
#include <QList>

#include <cstdlib>
#include <memory>

namespace moonleaf::x11 {

// An xcb reply, freed with free() as xcb wants.
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

// Qt's own connection to the X server; null on any other platform.
xcb_connection_t* QtConnection();

// The atom named `name` (created when the server does not know it yet), XCB_ATOM_NONE when
// the server cannot be asked.
xcb_atom_t Atom(xcb_connection_t* connection, const char* name);

// The number of the screen whose root window `root` is (0 when it is none of them).
int ScreenNumber(xcb_connection_t* connection, xcb_window_t root);
// The root window of `window`'s screen.
xcb_window_t RootOf(xcb_connection_t* connection, xcb_window_t window);

// True when `window` is mapped (viewable or not).
bool IsMapped(xcb_connection_t* connection, xcb_window_t window);

// The atoms in `window`'s _NET_WM_STATE property.
QList<xcb_atom_t> NetWmState(xcb_connection_t* connection, xcb_window_t window);

// Adds `atoms` to the _NET_WM_STATE property of the unmapped `window`, keeping what it
// holds: a window manager reads the property when the window is mapped.
void AddNetWmState(xcb_connection_t* connection, xcb_window_t window,
                   const QList<xcb_atom_t>& atoms);

// Makes `type` the _NET_WM_WINDOW_TYPE of `window`; a window manager reads it when the
// window is mapped.
void SetWindowType(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t type);

// Asks the window manager to add `atoms` to the state of the mapped `window` (the EWMH
// _NET_WM_STATE client message, two atoms a message).
void RequestNetWmState(xcb_connection_t* connection, xcb_window_t window,
                       const QList<xcb_atom_t>& atoms);

// True when a window manager announces itself on the root window
// (_NET_SUPPORTING_WM_CHECK).
bool WindowManagerRuns(xcb_connection_t* connection, xcb_window_t root);

// True when a compositing manager owns the selection _NET_WM_CM_S<screen>.
bool CompositorRuns(xcb_connection_t* connection, int screen);

// Stacks `window` just below `sibling`: through the window manager (_NET_RESTACK_WINDOW)
// when one runs, since its frames are what is stacked, else directly.
void StackBelow(xcb_connection_t* connection, xcb_window_t window, xcb_window_t sibling);

} // namespace moonleaf::x11
