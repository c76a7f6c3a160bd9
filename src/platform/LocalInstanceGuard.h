// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InstanceGuard.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>

class QLockFile;
class QSocketNotifier;

namespace moonleaf {

// The guard on this machine: a lock file and a Unix-domain socket, both in the user's private
// folder (absolute paths, socket file of mode 0600). A lock left by a calendar that was
// killed is recovered, and so is its socket.
//
// A later start connects, writes one command line ending in '\n' and reads the answer, one
// line ending in '\n', after which the calendar closes the connection. The calendar serves
// connections from its event loop and never waits on one: a line longer than
// MAX_COMMAND_BYTES is answered with an error, a client that has not sent its whole line
// within the client time limit is dropped (and so is one that leaves an answer larger than
// the socket's buffer unread as long), and at most MAX_CLIENTS are served at once: a client
// beyond them is closed unanswered. Writing to a client that has gone never ends the
// calendar (no SIGPIPE).
class LocalInstanceGuard final : public InstanceGuard {
public:
    static constexpr qsizetype MAX_COMMAND_BYTES = 4096; // one command line, without '\n'
    static constexpr int MAX_CLIENTS = 8;                // connections served at once
    static constexpr std::chrono::milliseconds CLIENT_TIME_LIMIT{2000};

    // `folder` is the private folder (PrivateFolder()); empty makes the guard Unavailable.
    // `clientTimeLimit` is how long a client may take to send its command line.
    explicit LocalInstanceGuard(QString folder,
                                std::chrono::milliseconds clientTimeLimit = CLIENT_TIME_LIMIT);
    ~LocalInstanceGuard() override;

    Claim Acquire() override;
    void SetCommandHandler(CommandHandler handler) override;
    void Release() override;

    // Sends one command line to the calendar that holds the guard of `folder` and returns
    // its answer (without the '\n'), or no value when no calendar answers within
    // `timeoutMs`. Waits on the socket, so it is for a short-lived later start, not for the
    // calendar's own thread; a command holding '\n' or longer than MAX_COMMAND_BYTES is not
    // sent.
    static std::optional<QByteArray> Send(const QString& folder, const QByteArray& command,
                                          int timeoutMs = 3000);

    // The paths of the lock file and the socket in `folder`.
    static QString LockPath(const QString& folder);
    static QString SocketPath(const QString& folder);

private:
    struct Client;

    void AcceptClients();
    void Serve(int fd);
    void ReadLine(std::uint64_t id);
    void Answer(std::uint64_t id, const QByteArray& answer);
    void WriteAnswer(std::uint64_t id);
    void Drop(std::uint64_t id);

    QString folder_;
    std::chrono::milliseconds clientTimeLimit_;
    std::unique_ptr<QLockFile> lock_;
    int listener_ = -1; // the listening socket while the guard is held
    std::unique_ptr<QSocketNotifier> accepting_;
    CommandHandler handler_;
    // The connections being served, by a number never reused, so a callback that runs after
    // its connection has gone finds nothing instead of another connection.
    std::map<std::uint64_t, std::unique_ptr<Client>> clients_;
    std::uint64_t nextClient_ = 0;
};

} // namespace moonleaf
