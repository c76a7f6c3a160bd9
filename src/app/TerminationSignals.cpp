// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace moonleaf {
namespace {

std::array<int, 2> gPair{-1, -1};
constexpr std::array<int, 3> SIGNALS{SIGTERM, SIGINT, SIGHUP};

extern "C" void OnTerminationSignal(int) {
    const char byte = 1;
    // Only async-signal-safe calls here; a full pipe means a byte is already waiting.
    [[maybe_unused]] const ssize_t written = ::write(gPair[0], &byte, 1);
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, gPair.data()) != 0) {
        return; // the default action (ending the process) stays
    }
    notifier_ = new QSocketNotifier(gPair[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(gPair[1], bytes, sizeof bytes) > 0) {
        }
        emit Received();
    });
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : SIGNALS) {
        ::sigaction(signal, &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals() {
    for (const int signal : SIGNALS) {
        std::signal(signal, SIG_DFL);
    }
    delete notifier_;
    ::close(gPair[0]);
    ::close(gPair[1]);
    gPair = {-1, -1};
}

} // namespace moonleaf
