// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace moonleaf {

// One calendar per user: the first instance holds the guard and listens for commands from
// later starts (moonleaf --show and its kin); a later start finds it held.
class InstanceGuard {
public:
    enum class Claim {
        First,          // this process is the calendar; the guard is held
        AlreadyRunning, // another calendar of this user runs
        Unavailable     // the guard could not be set up; the program runs unguarded
    };

    // Answers one command line from a later start; the text returned is sent back.
    using CommandHandler = std::function<QByteArray(const QByteArray& command)>;

    InstanceGuard() = default;
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;
    virtual ~InstanceGuard() = default;

    virtual Claim Acquire() = 0;
    // Commands received after this call go to `handler`.
    virtual void SetCommandHandler(CommandHandler handler) = 0;
    // Gives the guard up (the lock and the socket), so the next start is the first.
    virtual void Release() = 0;
};

} // namespace moonleaf
