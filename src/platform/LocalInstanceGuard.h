// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InstanceGuard.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace moonleaf {

// The guard on this machine: a lock file and a local socket, both in the user's private
// folder (absolute paths, socket open to the user only). A lock left by a calendar that was
// killed is recovered, and so is its socket.
//
// A later start connects, writes one command line ending in '\n' and reads the answer, one
// line ending in '\n', after which the calendar closes the connection. The calendar serves
// connections from its event loop and never waits on one: a line longer than
// MAX_COMMAND_BYTES is answered with an error, a client that has not sent its whole line
// within the client time limit is dropped, and at most MAX_CLIENTS are served at once.
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
    void AcceptClients();
    void Serve(QLocalSocket* client);

    QString folder_;
    std::chrono::milliseconds clientTimeLimit_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
    CommandHandler handler_;
    int clients_ = 0; // connections being served
};

} // namespace moonleaf
