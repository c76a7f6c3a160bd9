// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LocalInstanceGuard.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QTimer>

#include <utility>

namespace moonleaf {
namespace {

constexpr qsizetype MAX_ANSWER_BYTES = 64 * 1024; // what a later start reads back at most

// What the calendar keeps about one connection until it has answered it.
struct ClientLine {
    QByteArray bytes;
    bool answered = false;
};

void Answer(QLocalSocket* client, ClientLine& line, const QByteArray& answer) {
    line.answered = true;
    client->write(answer + '\n');
    // Closes once the answer is written, without waiting here.
    client->disconnectFromServer();
}

int Remaining(const QDeadlineTimer& deadline) {
    return static_cast<int>(deadline.remainingTime());
}

} // namespace

LocalInstanceGuard::LocalInstanceGuard(QString folder, std::chrono::milliseconds clientTimeLimit)
    : folder_(std::move(folder)), clientTimeLimit_(clientTimeLimit) {}

LocalInstanceGuard::~LocalInstanceGuard() {
    Release();
}

QString LocalInstanceGuard::LockPath(const QString& folder) {
    return folder + QStringLiteral("instance.lock");
}

QString LocalInstanceGuard::SocketPath(const QString& folder) {
    return folder + QStringLiteral("instance.sock");
}

InstanceGuard::Claim LocalInstanceGuard::Acquire() {
    if (lock_) {
        return Claim::First;
    }
    if (folder_.isEmpty() || !QFileInfo(folder_).isDir()) {
        return Claim::Unavailable;
    }
    auto lock = std::make_unique<QLockFile>(LockPath(folder_));
    // The calendar runs for days, so the age of the lock file says nothing. QLockFile still
    // takes over a lock whose owner process is gone (killed or crashed): the lock file names
    // the owner's process id, and a process that no longer runs cannot hold it.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        return lock->error() == QLockFile::LockFailedError ? Claim::AlreadyRunning
                                                           : Claim::Unavailable;
    }
    // The lock is ours, so a socket file still here was left by a calendar that is gone.
    const QString socketPath = SocketPath(folder_);
    QLocalServer::removeServer(socketPath);
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    server->setMaxPendingConnections(MAX_CLIENTS);
    if (!server->listen(socketPath)) {
        lock->unlock();
        return Claim::Unavailable;
    }
    QObject::connect(server.get(), &QLocalServer::newConnection, server.get(),
                     [this] { AcceptClients(); });
    lock_ = std::move(lock);
    server_ = std::move(server); // the connections of an earlier server go with it
    clients_ = 0;
    return Claim::First;
}

void LocalInstanceGuard::SetCommandHandler(CommandHandler handler) {
    handler_ = std::move(handler);
}

void LocalInstanceGuard::Release() {
    if (!lock_) {
        return;
    }
    // The server object stays until the guard goes: Release may be called from a command
    // handler, while one of the server's connections is still being served.
    server_->close();
    QLocalServer::removeServer(SocketPath(folder_));
    lock_->unlock();
    lock_.reset();
}

void LocalInstanceGuard::AcceptClients() {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
        if (clients_ >= MAX_CLIENTS) {
            client->abort();
            client->deleteLater();
            continue;
        }
        Serve(client);
    }
}

void LocalInstanceGuard::Serve(QLocalSocket* client) {
    ++clients_;
    // Connected through the server, so the count is left alone while the guard goes away.
    QObject::connect(client, &QObject::destroyed, server_.get(), [this] { --clients_; });
    QObject::connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);

    // The client has this long to send its line; then it is dropped.
    auto* limit = new QTimer(client);
    limit->setSingleShot(true);
    QObject::connect(limit, &QTimer::timeout, client, [client] {
        client->abort();
        client->deleteLater();
    });
    limit->start(clientTimeLimit_);

    client->setReadBufferSize(MAX_COMMAND_BYTES + 1);
    auto line = std::make_shared<ClientLine>();
    QObject::connect(client, &QLocalSocket::readyRead, client, [this, client, limit, line] {
        if (line->answered) {
            client->readAll();
            return;
        }
        line->bytes += client->read(MAX_COMMAND_BYTES + 1 - line->bytes.size());
        const qsizetype end = line->bytes.indexOf('\n');
        if (end < 0) {
            if (line->bytes.size() > MAX_COMMAND_BYTES) {
                limit->stop();
                Answer(client, *line, QByteArrayLiteral("error: command too long"));
            }
            return;
        }
        limit->stop();
        QByteArray command = line->bytes.left(end);
        if (command.endsWith('\r')) {
            command.chop(1);
        }
        // A copy, since the handler may set another one or give the guard up.
        const CommandHandler handler = handler_;
        const QPointer<QLocalSocket> alive(client);
        const QByteArray answer = handler ? handler(command) : QByteArrayLiteral("error: busy");
        if (alive) {
            Answer(client, *line, answer);
        }
    });
}

std::optional<QByteArray> LocalInstanceGuard::Send(const QString& folder, const QByteArray& command,
                                                   int timeoutMs) {
    if (folder.isEmpty() || command.contains('\n') || command.size() > MAX_COMMAND_BYTES) {
        return std::nullopt;
    }
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(SocketPath(folder));
    if (!socket.waitForConnected(Remaining(deadline))) {
        return std::nullopt;
    }
    socket.write(command + '\n');
    QByteArray answer;
    for (;;) {
        answer += socket.read(MAX_ANSWER_BYTES + 1 - answer.size());
        const qsizetype end = answer.indexOf('\n');
        if (end >= 0) {
            return answer.left(end);
        }
        if (answer.size() > MAX_ANSWER_BYTES || deadline.hasExpired()) {
            return std::nullopt;
        }
        // Also writes the command out while it waits.
        if (!socket.waitForReadyRead(Remaining(deadline)) && socket.bytesAvailable() == 0) {
            return std::nullopt;
        }
    }
}

} // namespace moonleaf
