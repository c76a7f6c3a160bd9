// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/WindowHintsKeeper.h"

#include "platform/x11/Xcb.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace moonleaf::x11 {
namespace {

constexpr int REQUESTS_PER_SHOW = 3;
constexpr std::uint32_t WM_STATE_NORMAL = 1; // ICCCM NormalState

// The states `window` is kept in.
QList<xcb_atom_t> WantedStates(xcb_connection_t* connection, const QWidget* window) {
    QList<xcb_atom_t> atoms{Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                            Atom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    if (window->windowFlags() & Qt::WindowStaysOnTopHint) {
        atoms.append(Atom(connection, "_NET_WM_STATE_ABOVE"));
    }
    return atoms;
}

// True when a window manager has `window` in its normal (managed, not iconic) state.
bool Managed(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t wmState) {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, wmState, wmState, 0, 1), nullptr));
    return reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) >= 4 &&
           *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get())) ==
               WM_STATE_NORMAL;
}

} // namespace

WindowHintsKeeper::WindowHintsKeeper(QWidget* window) : QObject(window), window_(window) {
    setObjectName(QStringLiteral("windowHintsKeeper"));
    if (xcb_connection_t* connection = QtConnection()) {
        wmState_ = Atom(connection, "WM_STATE");
        netWmState_ = Atom(connection, "_NET_WM_STATE");
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    window_->installEventFilter(this);
    if (window_->isVisible()) {
        Apply();
    }
}

WindowHintsKeeper::~WindowHintsKeeper() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool WindowHintsKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Show) {
        Apply();
    }
    return QObject::eventFilter(watched, event);
}

bool WindowHintsKeeper::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (id_ == 0 || checkQueued_ || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_PROPERTY_NOTIFY) {
        return false;
    }
    const auto* change = static_cast<const xcb_property_notify_event_t*>(message);
    if (change->window == id_ && (change->atom == wmState_ || change->atom == netWmState_)) {
        // Checked once Qt has handled the event, and once for a burst of changes.
        checkQueued_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                checkQueued_ = false;
                Check();
            },
            Qt::QueuedConnection);
    }
    return false;
}

void WindowHintsKeeper::Apply() {
    xcb_connection_t* connection = QtConnection();
    if (connection == nullptr || window_->windowHandle() == nullptr) {
        return;
    }
    id_ = static_cast<xcb_window_t>(window_->winId());
    requestsLeft_ = REQUESTS_PER_SHOW;
    const QList<xcb_atom_t> wanted = WantedStates(connection, window_);
    if (IsMapped(connection, id_)) {
        RequestNetWmState(connection, id_, wanted);
    } else {
        SetWindowType(connection, id_, Atom(connection, "_NET_WM_WINDOW_TYPE_DOCK"));
        AddNetWmState(connection, id_, wanted);
    }
}

void WindowHintsKeeper::Check() {
    xcb_connection_t* connection = QtConnection();
    if (connection == nullptr || requestsLeft_ <= 0 || !window_->isVisible() ||
        !Managed(connection, id_, wmState_)) {
        return;
    }
    const QList<xcb_atom_t> state = NetWmState(connection, id_);
    QList<xcb_atom_t> missing;
    for (const xcb_atom_t atom : WantedStates(connection, window_)) {
        if (!state.contains(atom)) {
            missing.append(atom);
        }
    }
    if (!missing.isEmpty()) {
        --requestsLeft_;
        RequestNetWmState(connection, id_, missing);
    }
}

} // namespace moonleaf::x11
