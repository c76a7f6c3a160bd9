// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <cstdint>

class QWidget;

namespace moonleaf::x11 {

// Keeps the EWMH hints of a panel window across every hide and show: the dock window type,
// off the task bar and the pager, and above other windows when its flags ask for that.
//
// The dock type is written into _NET_WM_WINDOW_TYPE before each map (Qt writes the property
// only when the window is created or its flags change). A window manager keeps a dock where
// the program puts it, also above the top of the screen (openbox keeps a tenth of any other
// window on the screen), maps it without focusing it, and leaves it off the task bar.
//
// A window manager drops _NET_WM_STATE when a window is withdrawn, and Qt writes the
// property just before each map by merging its own states (above, modal ...) into what the
// property holds. So the keeper merges _NET_WM_STATE_SKIP_TASKBAR and _SKIP_PAGER into the
// property when the widget is about to be shown (the widget's Show event comes before Qt
// maps the window); a window that is already mapped is asked for through the EWMH client
// message instead.
//
// A hide and a show in quick succession race with the window manager: it may handle the
// hide after the states were written for the show, and drop them. So the keeper also
// watches the window's WM_STATE and _NET_WM_STATE properties (Qt selects property changes on
// its windows): whenever the manager has the shown window in its normal state and a wanted
// state is missing, the keeper asks for it with the client message, a few times at most
// per show, so that a manager that refuses a state is not asked forever.
class WindowHintsKeeper final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    // Becomes a child of `window` and goes with it.
    explicit WindowHintsKeeper(QWidget* window);
    ~WindowHintsKeeper() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Apply();
    void Check();

    QWidget* window_;
    std::uint32_t id_ = 0;      // the X window, once shown
    std::uint32_t wmState_ = 0; // atoms of the two watched properties
    std::uint32_t netWmState_ = 0;
    int requestsLeft_ = 0; // client messages still allowed in this show
    bool checkQueued_ = false;
};

} // namespace moonleaf::x11
