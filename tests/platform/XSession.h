// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/types.h>

#include <optional>
#include <vector>

namespace moonleaf::testing {

// An X server of the test's own: Xvfb on a free display from :90 up, with a window manager
// or a compositing manager when the test asks for one. What it starts runs with a home of
// its own and is ended, by process id, when the session goes.
class XSession {
public:
    XSession() = default;
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Each false (with the reason on stderr) when the program could not be started.
    bool Start();
    bool StartWindowManager(); // openbox, ready once it manages a window
    bool StartCompositor();    // xcompmgr, ready once it owns _NET_WM_CM_S0

    QByteArray Display() const { return display_; }

    // True when a client owns the selection named `atom`.
    bool SelectionOwned(const char* atom) const;

    // Runs `program` on this display to its end; its standard output, or no value when it
    // could not run or failed.
    std::optional<QByteArray> Run(const QString& program, const QStringList& arguments) const;

private:
    pid_t Spawn(std::vector<QByteArray> argv, int readyFd = -1);
    bool WaitFor(const char* what, bool (XSession::*ready)() const) const;
    bool ManagesAWindow() const;
    bool CompositorReady() const { return SelectionOwned("_NET_WM_CM_S0"); }

    QTemporaryDir home_;
    QByteArray display_;
    std::vector<pid_t> children_; // ended in reverse order of starting
};

} // namespace moonleaf::testing
