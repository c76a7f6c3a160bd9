// SPDX-License-Identifier: GPL-3.0-or-later
#include "XSession.h"

#include "platform/x11/Xcb.h"

#include <QFile>
#include <QProcess>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

extern char** environ;

namespace moonleaf::testing {
namespace {

constexpr int FIRST_DISPLAY = 90;
constexpr int LAST_DISPLAY = 199;
// How long a helper may take to get ready: the first openbox on a machine builds the font
// cache.
constexpr int READY_WAIT_MS = 60000;
constexpr int READY_STEP_MS = 20;

} // namespace

XSession::~XSession() {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        ::kill(*it, SIGTERM);
        ::waitpid(*it, nullptr, 0);
    }
}

pid_t XSession::Spawn(std::vector<QByteArray> argv, int readyFd) {
    // This environment, on this display, with the session's home.
    const QByteArray home = QFile::encodeName(home_.path());
    std::vector<QByteArray> env{"DISPLAY=" + display_, "HOME=" + home,
                                "XDG_CONFIG_HOME=" + home + "/config",
                                "XDG_CACHE_HOME=" + home + "/cache"};
    for (char** e = environ; *e != nullptr; ++e) {
        const QByteArray name = QByteArray(*e).split('=').front();
        if (name != "DISPLAY" && name != "HOME" && !name.startsWith("XDG_")) {
            env.emplace_back(*e);
        }
    }
    std::vector<char*> args;
    std::vector<char*> envp;
    for (QByteArray& arg : argv) {
        args.push_back(arg.data());
    }
    for (QByteArray& entry : env) {
        envp.push_back(entry.data());
    }
    args.push_back(nullptr);
    envp.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        // The helper ends with this process, also when a test is killed.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, STDIN_FILENO);
        ::dup2(null, STDOUT_FILENO);
        if (readyFd == 3) {
            ::fcntl(3, F_SETFD, 0); // kept open across exec
        } else if (readyFd >= 0) {
            ::dup2(readyFd, 3);
        }
        ::execvpe(args[0], args.data(), envp.data());
        ::_exit(127);
    }
    if (pid > 0) {
        children_.push_back(pid);
    }
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
        // Xvfb writes the display number to fd 3 once it accepts clients, or ends without a
        // word when another server took the display first. -noreset: it stays as it is when
        // its last client leaves, between two tests.
        display_ = ":" + QByteArray::number(number);
        const pid_t pid = Spawn({"Xvfb", display_, "-displayfd", "3", "-noreset", "-nolisten",
                                 "tcp", "-screen", "0", "1280x1024x24"},
                                ready[1]);
        ::close(ready[1]);
        QByteArray answer; // read up to the newline: it may come in pieces
        char c = 0;
        ssize_t got = 0;
        while (pid > 0 && (got = ::read(ready[0], &c, 1)) != 0 && c != '\n') {
            if (got > 0) {
                answer += c;
            } else if (errno != EINTR) {
                break;
            }
        }
        ::close(ready[0]);
        if (answer.toInt() == number) {
            return true;
        }
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
            children_.pop_back();
        }
    }
    std::fprintf(stderr, "XSession: no Xvfb could be started\n");
    return false;
}

bool XSession::WaitFor(const char* what, bool (XSession::*ready)() const) const {
    for (int waited = 0; waited < READY_WAIT_MS; waited += READY_STEP_MS) {
        if ((this->*ready)()) {
            return true;
        }
        ::usleep(READY_STEP_MS * 1000);
    }
    std::fprintf(stderr, "XSession: %s did not get ready on %s\n", what, display_.constData());
    return false;
}

bool XSession::StartWindowManager() {
    return Spawn({"openbox", "--sm-disable"}) > 0 && WaitFor("openbox", &XSession::ManagesAWindow);
}

bool XSession::StartCompositor() {
    return Spawn({"xcompmgr"}) > 0 && WaitFor("xcompmgr", &XSession::CompositorReady);
}

bool XSession::ManagesAWindow() const {
    // A probe window mapped now is managed once the manager gives it WM_STATE.
    xcb_connection_t* connection = xcb_connect(display_.constData(), nullptr);
    const xcb_window_t probe = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, probe,
                      xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root, 0, 0, 10, 10,
                      0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_map_window(connection, probe);
    const xcb_atom_t wmState = x11::Atom(connection, "WM_STATE");
    bool managed = false;
    for (int waited = 0; waited < 50 * READY_STEP_MS && !managed; waited += READY_STEP_MS) {
        ::usleep(READY_STEP_MS * 1000);
        const x11::Reply<xcb_get_property_reply_t> state(xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, probe, wmState, wmState, 0, 1), nullptr));
        managed = state && state->type == wmState;
    }
    xcb_disconnect(connection);
    return managed;
}

bool XSession::SelectionOwned(const char* atom) const {
    xcb_connection_t* connection = xcb_connect(display_.constData(), nullptr);
    const x11::Reply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, x11::Atom(connection, atom)), nullptr));
    xcb_disconnect(connection);
    return owner && owner->owner != XCB_WINDOW_NONE;
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
