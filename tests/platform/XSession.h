// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/types.h>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

struct xcb_connection_t;

namespace moonleaf::testing {

// An X server of the test's own: Xvfb on a free display from :90 up, with a window manager
// or a compositing manager when the test asks for one. Everything it starts runs with a
// home and configuration folders of its own and is ended, by process id, when the session
// goes.
class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Starts Xvfb; false (with the reason on stderr) when none could be started.
    bool Start();
    // Starts openbox and waits until it manages the screen.
    bool StartWindowManager();
    // Starts xcompmgr and waits until it owns the compositing selection of screen 0.
    bool StartCompositor();

    // ":<number>" of the running server.
    QByteArray Display() const { return display_; }

    // Runs `program` on this display to its end; its standard output, or no value when it
    // could not run or failed.
    std::optional<QByteArray> Run(const QString& program, const QStringList& arguments) const;

    // True when a property named `atom` is set on the root window of screen 0.
    bool RootPropertySet(const char* atom) const;
    // True when a client owns the selection named `atom`.
    bool SelectionOwned(const char* atom) const;

private:
    // Starts `argv` on this display, with the pipe ends of `fds` (from, to) in place.
    pid_t Spawn(const std::vector<QByteArray>& argv,
                const std::vector<std::pair<int, int>>& fds) const;
    bool WaitUntil(const std::function<bool()>& ready, const char* what) const;
    bool WithConnection(const std::function<bool(xcb_connection_t*)>& ask) const;

    QTemporaryDir home_;
    QByteArray display_;
    std::vector<pid_t> children_; // ended in reverse order of starting
};

} // namespace moonleaf::testing
