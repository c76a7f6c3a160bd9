// SPDX-License-Identifier: GPL-3.0-or-later
#include "XSession.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <xcb/xcb.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern char** environ;

namespace moonleaf::testing {
namespace {

constexpr int FIRST_DISPLAY = 90;
constexpr int LAST_DISPLAY = 199;
// How long a helper program may take to get ready before the session gives up on it: the
// first start of openbox on a machine builds the font cache.
constexpr int READY_WAIT_MS = 60000;
constexpr int READY_STEP_MS = 20;

// Reads the display number Xvfb writes to `fd` once it accepts clients; -1 when it ended
// first.
int ReadDisplayNumber(int fd) {
    std::string text;
    char c = 0;
    while (::read(fd, &c, 1) == 1 && c != '\n') {
        text += c;
    }
    return text.empty() ? -1 : std::atoi(text.c_str());
}

} // namespace

XSession::XSession() = default;

XSession::~XSession() {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        ::kill(*it, SIGTERM);
        ::waitpid(*it, nullptr, 0);
    }
}

pid_t XSession::Spawn(const std::vector<QByteArray>& argv,
                      const std::vector<std::pair<int, int>>& fds) const {
    std::vector<char*> args;
    for (const QByteArray& arg : argv) {
        args.push_back(const_cast<char*>(arg.constData()));
    }
    args.push_back(nullptr);

    // The helper's environment: this one, on this display, with a home of the session's.
    std::vector<QByteArray> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const QByteArray entry(*e);
        if (!entry.startsWith("DISPLAY=") && !entry.startsWith("HOME=") &&
            !entry.startsWith("XDG_CONFIG_HOME=") && !entry.startsWith("XDG_CACHE_HOME=")) {
            env.push_back(entry);
        }
    }
    if (!display_.isEmpty()) {
        env.push_back("DISPLAY=" + display_);
    }
    const QByteArray home = QFile::encodeName(home_.path());
    env.push_back("HOME=" + home);
    env.push_back("XDG_CONFIG_HOME=" + home + "/config");
    env.push_back("XDG_CACHE_HOME=" + home + "/cache");
    std::vector<char*> envp;
    for (QByteArray& entry : env) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    for (const auto& [from, to] : fds) {
        posix_spawn_file_actions_adddup2(&actions, from, to);
    }
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data()) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

bool XSession::Start() {
    for (int number = FIRST_DISPLAY; number <= LAST_DISPLAY; ++number) {
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number))) {
            continue;
        }
        int ready[2];
        if (::pipe2(ready, O_CLOEXEC) != 0) {
            return false;
        }
        const QByteArray display = ":" + QByteArray::number(number);
        // -displayfd: Xvfb writes the display number once it accepts clients, or ends
        // without a word when another server took the display first. -noreset: the server
        // stays as it is when its last client leaves, between two tests.
        const pid_t pid = Spawn({"Xvfb", display, "-displayfd", "3", "-noreset", "-nolisten", "tcp",
                                 "-screen", "0", "1280x1024x24", "+extension", "Composite"},
                                {{ready[1], 3}});
        ::close(ready[1]);
        const int started = pid > 0 ? ReadDisplayNumber(ready[0]) : -1;
        ::close(ready[0]);
        if (started == number) {
            children_.push_back(pid);
            display_ = display;
            return true;
        }
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    }
    std::fprintf(stderr, "XSession: no Xvfb could be started on :%d to :%d\n", FIRST_DISPLAY,
                 LAST_DISPLAY);
    return false;
}

bool XSession::WaitUntil(const std::function<bool()>& ready, const char* what) const {
    for (int waited = 0; waited < READY_WAIT_MS; waited += READY_STEP_MS) {
        if (ready()) {
            return true;
        }
        ::usleep(READY_STEP_MS * 1000);
    }
    std::fprintf(stderr, "XSession: %s did not get ready on %s\n", what, display_.constData());
    return false;
}

bool XSession::StartWindowManager() {
    const pid_t pid = Spawn({"openbox", "--sm-disable"}, {});
    if (pid <= 0) {
        return false;
    }
    children_.push_back(pid);
    // Ready once it manages a window mapped after its start: a probe window gets WM_STATE.
    return WithConnection([this](xcb_connection_t* connection) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        const xcb_window_t probe = xcb_generate_id(connection);
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, probe, screen->root, 0, 0, 10, 10, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_map_window(connection, probe);
        xcb_flush(connection);
        const bool managed = WaitUntil(
            [connection, probe] {
                xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
                    connection, xcb_intern_atom(connection, 0, 8, "WM_STATE"), nullptr);
                xcb_get_property_reply_t* property = xcb_get_property_reply(
                    connection,
                    xcb_get_property(connection, 0, probe, atom != nullptr ? atom->atom : 0,
                                     XCB_GET_PROPERTY_TYPE_ANY, 0, 1),
                    nullptr);
                const bool set = property != nullptr && property->type != XCB_ATOM_NONE;
                std::free(property);
                std::free(atom);
                return set;
            },
            "openbox");
        xcb_destroy_window(connection, probe);
        xcb_flush(connection);
        return managed;
    });
}

bool XSession::StartCompositor() {
    const pid_t pid = Spawn({"xcompmgr"}, {});
    if (pid <= 0) {
        return false;
    }
    children_.push_back(pid);
    return WaitUntil([this] { return SelectionOwned("_NET_WM_CM_S0"); }, "xcompmgr");
}

bool XSession::WithConnection(const std::function<bool(xcb_connection_t*)>& ask) const {
    xcb_connection_t* connection = xcb_connect(display_.constData(), nullptr);
    const bool answer = xcb_connection_has_error(connection) == 0 && ask(connection);
    xcb_disconnect(connection);
    return answer;
}

bool XSession::RootPropertySet(const char* name) const {
    return WithConnection([name](xcb_connection_t* connection) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr);
        if (atom == nullptr) {
            return false;
        }
        xcb_get_property_reply_t* property = xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, root, atom->atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 1),
            nullptr);
        const bool set = property != nullptr && property->type != XCB_ATOM_NONE;
        std::free(property);
        std::free(atom);
        return set;
    });
}

bool XSession::SelectionOwned(const char* name) const {
    return WithConnection([name](xcb_connection_t* connection) {
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr);
        if (atom == nullptr) {
            return false;
        }
        xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
            connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
        const bool owned = owner != nullptr && owner->owner != XCB_WINDOW_NONE;
        std::free(owner);
        std::free(atom);
        return owned;
    });
}

std::optional<QByteArray> XSession::Run(const QString& program,
                                        const QStringList& arguments) const {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display_));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(READY_WAIT_MS) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}

} // namespace moonleaf::testing
