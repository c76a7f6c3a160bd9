// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/Xcb.h"

#include <QGuiApplication>

#include <cstring>
#include <string>
#include <unordered_map>

namespace moonleaf::x11 {
namespace {

constexpr std::uint32_t NET_WM_STATE_ADD = 1;
constexpr std::uint32_t SOURCE_APPLICATION = 1;
// Window managers honour restack requests from pagers and taskbars only.
constexpr std::uint32_t SOURCE_PAGER = 2;
constexpr std::uint32_t RESTACK_BELOW = 1;

// Sends `message` to the root window the way EWMH asks clients to talk to the window
// manager.
void SendToRoot(xcb_connection_t* connection, xcb_window_t root,
                const xcb_client_message_event_t& message) {
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
}

xcb_client_message_event_t Message(xcb_window_t window, xcb_atom_t type) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    return message;
}

} // namespace

xcb_connection_t* QtConnection() {
    if (qGuiApp == nullptr) {
        return nullptr;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    // An atom names the same thing for as long as the X server runs, so the names asked on
    // Qt's own connection, which lasts as long as the program, cost one round trip each:
    // the panel asks for the same few every time it is shown.
    static xcb_connection_t* knownFor = nullptr;
    static std::unordered_map<std::string, xcb_atom_t> known;
    const bool remembered = connection == QtConnection();
    if (remembered) {
        if (knownFor != connection) {
            known.clear();
            knownFor = connection;
        }
        if (const auto it = known.find(name); it != known.end()) {
            return it->second;
        }
    }
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    if (remembered && atom != XCB_ATOM_NONE) {
        known.emplace(name, atom);
    }
    return atom;
}

int ScreenNumber(xcb_connection_t* connection, xcb_window_t root) {
    int number = 0;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem != 0;
         xcb_screen_next(&it), ++number) {
        if (it.data->root == root) {
            return number;
        }
    }
    return 0;
}

xcb_window_t RootOf(xcb_connection_t* connection, xcb_window_t window) {
    const Reply<xcb_get_geometry_reply_t> reply(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    if (reply) {
        return reply->root;
    }
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

bool IsMapped(xcb_connection_t* connection, xcb_window_t window) {
    const Reply<xcb_get_window_attributes_reply_t> reply(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr));
    return reply && reply->map_state != XCB_MAP_STATE_UNMAPPED;
}

QList<xcb_atom_t> NetWmState(xcb_connection_t* connection, xcb_window_t window) {
    constexpr std::uint32_t MOST_ATOMS = 1024; // far more states than EWMH defines
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, window, Atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 0,
                         MOST_ATOMS),
        nullptr));
    QList<xcb_atom_t> atoms;
    if (reply && reply->type == XCB_ATOM_ATOM && reply->format == 32) {
        const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        const int count = xcb_get_property_value_length(reply.get()) / 4;
        atoms = QList<xcb_atom_t>(data, data + count);
    }
    return atoms;
}

void AddNetWmState(xcb_connection_t* connection, xcb_window_t window,
                   const QList<xcb_atom_t>& atoms) {
    QList<xcb_atom_t> state = NetWmState(connection, window);
    for (const xcb_atom_t atom : atoms) {
        if (!state.contains(atom)) {
            state.append(atom);
        }
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window,
                        Atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(state.size()), state.constData());
    xcb_flush(connection);
}

void SetWindowType(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t type) {
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window,
                        Atom(connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &type);
    xcb_flush(connection);
}

void RequestNetWmState(xcb_connection_t* connection, xcb_window_t window,
                       const QList<xcb_atom_t>& atoms) {
    const xcb_window_t root = RootOf(connection, window);
    const xcb_atom_t type = Atom(connection, "_NET_WM_STATE");
    for (qsizetype i = 0; i < atoms.size(); i += 2) {
        xcb_client_message_event_t message = Message(window, type);
        message.data.data32[0] = NET_WM_STATE_ADD;
        message.data.data32[1] = atoms[i];
        message.data.data32[2] = i + 1 < atoms.size() ? atoms[i + 1] : xcb_atom_t{XCB_ATOM_NONE};
        message.data.data32[3] = SOURCE_APPLICATION;
        SendToRoot(connection, root, message);
    }
    xcb_flush(connection);
}

bool WindowManagerRuns(xcb_connection_t* connection, xcb_window_t root) {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, root, Atom(connection, "_NET_SUPPORTING_WM_CHECK"),
                         XCB_ATOM_WINDOW, 0, 1),
        nullptr));
    return reply && reply->type == XCB_ATOM_WINDOW &&
           xcb_get_property_value_length(reply.get()) == 4;
}

bool CompositorRuns(xcb_connection_t* connection, int screen) {
    const std::string name = "_NET_WM_CM_S" + std::to_string(screen);
    const xcb_atom_t selection = Atom(connection, name.c_str());
    if (selection == XCB_ATOM_NONE) {
        return false;
    }
    const Reply<xcb_get_selection_owner_reply_t> reply(xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, selection), nullptr));
    return reply && reply->owner != XCB_WINDOW_NONE;
}

void StackBelow(xcb_connection_t* connection, xcb_window_t window, xcb_window_t sibling) {
    const xcb_window_t root = RootOf(connection, window);
    if (WindowManagerRuns(connection, root)) {
        xcb_client_message_event_t message =
            Message(window, Atom(connection, "_NET_RESTACK_WINDOW"));
        message.data.data32[0] = SOURCE_PAGER;
        message.data.data32[1] = sibling;
        message.data.data32[2] = RESTACK_BELOW;
        SendToRoot(connection, root, message);
    } else {
        const std::uint32_t values[] = {sibling, XCB_STACK_MODE_BELOW};
        xcb_configure_window(connection, window,
                             XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE, values);
    }
    xcb_flush(connection);
}

} // namespace moonleaf::x11
