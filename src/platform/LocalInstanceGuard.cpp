// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LocalInstanceGuard.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace moonleaf {
namespace {

constexpr qsizetype MAX_ANSWER_BYTES = 64 * 1024; // what a later start reads back at most
constexpr int LISTEN_BACKLOG = 50;                // connections the kernel holds for the calendar
// How long the calendar stops taking connections when it is out of file descriptors or
// memory, rather than waking up at once for the same waiting connection, over and over.
constexpr std::chrono::milliseconds ACCEPT_PAUSE{100};
// How long a later start waits before it tries again to connect to a calendar whose queue of
// waiting connections is full.
constexpr int CONNECT_RETRY_MS = 10;
// What the calendar reads and throws away of the bytes a client sent after its line, so that
// closing the connection does not reset it before the client has read its answer.
constexpr qsizetype MAX_DRAINED_BYTES = 64 * 1024;

constexpr auto ADDRESS_SIZE = static_cast<socklen_t>(sizeof(sockaddr_un));

bool WouldBlock(int error) {
    return error == EAGAIN || error == EWOULDBLOCK;
}

// The address of the socket file at `path`; no value when the path does not fit in it.
std::optional<sockaddr_un> SocketAddress(const QString& path) {
    const QByteArray encoded = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (encoded.isEmpty() || encoded.contains('\0') ||
        static_cast<std::size_t>(encoded.size()) >= sizeof address.sun_path) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, encoded.constData(), static_cast<std::size_t>(encoded.size()));
    return address;
}

const sockaddr* AsSockaddr(const sockaddr_un& address) {
    return reinterpret_cast<const sockaddr*>(&address);
}

// A file descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

int Remaining(const QDeadlineTimer& deadline) {
    return static_cast<int>(deadline.remainingTime()); // -1 when it never runs out
}

} // namespace

// One connection being served: its socket, what has come of its command line, what is left
// to write of its answer, and the notifiers and the time limit that drive it.
struct LocalInstanceGuard::Client {
    explicit Client(int socket) : fd(socket) {}
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;
    ~Client() {
        // The notifiers go before the descriptor they watch is closed.
        reading.reset();
        writing.reset();
        limit.reset();
        ::close(fd);
    }

    // Hands the Qt objects over to the event loop to delete: a connection is dropped from the
    // callbacks of its own notifiers and timer, which must not be deleted while they run.
    void Retire() {
        for (std::unique_ptr<QSocketNotifier>* notifier : {&reading, &writing}) {
            if (*notifier) {
                (*notifier)->setEnabled(false);
                notifier->release()->deleteLater();
            }
        }
        limit->stop();
        limit.release()->deleteLater();
    }

    int fd;
    QByteArray line;
    QByteArray answer;
    qsizetype written = 0; // bytes of `answer` sent
    std::unique_ptr<QSocketNotifier> reading;
    std::unique_ptr<QSocketNotifier> writing; // made when the answer does not go out at once
    std::unique_ptr<QTimer> limit;
};

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
    const std::optional<sockaddr_un> address = SocketAddress(SocketPath(folder_));
    if (!address) {
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
    ::unlink(address->sun_path);
    Descriptor listener(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    // The socket file takes the mode of the socket less the umask, so the mode is set before
    // bind and the file never exists open to others. (The umask would do it too, but it is
    // the whole process's, other threads' files included.)
    const bool bound = listener.Get() >= 0 && ::fchmod(listener.Get(), S_IRUSR | S_IWUSR) == 0 &&
                       ::bind(listener.Get(), AsSockaddr(*address), ADDRESS_SIZE) == 0;
    if (!bound || ::listen(listener.Get(), LISTEN_BACKLOG) != 0) {
        if (bound) {
            ::unlink(address->sun_path);
        }
        lock->unlock();
        return Claim::Unavailable;
    }
    accepting_ = std::make_unique<QSocketNotifier>(listener.Get(), QSocketNotifier::Read);
    QObject::connect(accepting_.get(), &QSocketNotifier::activated, accepting_.get(),
                     [this] { AcceptClients(); });
    listener_ = listener.Release();
    lock_ = std::move(lock);
    return Claim::First;
}

void LocalInstanceGuard::SetCommandHandler(CommandHandler handler) {
    handler_ = std::move(handler);
}

void LocalInstanceGuard::Release() {
    if (!lock_) {
        return;
    }
    // The connections being served stay until they are answered: Release may be called from
    // a command handler, whose own connection still waits for its answer.
    accepting_.reset();
    ::close(listener_);
    listener_ = -1;
    QFile::remove(SocketPath(folder_));
    lock_->unlock();
    lock_.reset();
}

void LocalInstanceGuard::AcceptClients() {
    // Takes every connection waiting. One beyond MAX_CLIENTS is closed straight away, so its
    // client learns at once that it will not be served.
    for (;;) {
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            const int error = errno;
            if (error == EINTR || error == ECONNABORTED) {
                continue;
            }
            if (error == EMFILE || error == ENFILE || error == ENOBUFS || error == ENOMEM) {
                // The connection stays queued; it is taken once a descriptor is free again.
                accepting_->setEnabled(false);
                QTimer::singleShot(ACCEPT_PAUSE, accepting_.get(),
                                   [this] { accepting_->setEnabled(true); });
            }
            return; // nothing more waits (or the listener failed: later starts time out)
        }
        if (clients_.size() >= static_cast<std::size_t>(MAX_CLIENTS)) {
            ::close(fd);
            continue;
        }
        Serve(fd);
    }
}

void LocalInstanceGuard::Serve(int fd) {
    const std::uint64_t id = nextClient_++;
    auto client = std::make_unique<Client>(fd);
    client->reading = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(client->reading.get(), &QSocketNotifier::activated, client->reading.get(),
                     [this, id] { ReadLine(id); });
    // The client has this long to send its line; then it is dropped.
    client->limit = std::make_unique<QTimer>();
    client->limit->setSingleShot(true);
    client->limit->callOnTimeout(client->limit.get(), [this, id] { Drop(id); });
    client->limit->start(clientTimeLimit_);
    clients_.emplace(id, std::move(client));
}

void LocalInstanceGuard::ReadLine(std::uint64_t id) {
    const auto found = clients_.find(id);
    if (found == clients_.end()) {
        return;
    }
    Client& client = *found->second;
    // Reads what has come, never more than one byte past the longest line, until the line
    // ends, turns out too long, or nothing more is there yet.
    qsizetype end = -1;
    while (end < 0) {
        const qsizetype had = client.line.size();
        const qsizetype room = MAX_COMMAND_BYTES + 1 - had; // > 0: a longer line was answered
        client.line.resize(had + room);
        const ssize_t got =
            ::recv(client.fd, client.line.data() + had, static_cast<std::size_t>(room), 0);
        const int error = errno;
        client.line.resize(had + std::max<qsizetype>(got, 0));
        if (got < 0 && error == EINTR) {
            continue;
        }
        if (got < 0 && WouldBlock(error)) {
            return;
        }
        if (got <= 0) {
            Drop(id); // hung up (or failed) before its line ended
            return;
        }
        end = client.line.indexOf('\n', had);
        if (end < 0 && client.line.size() > MAX_COMMAND_BYTES) {
            Answer(id, QByteArrayLiteral("error: command too long"));
            return;
        }
    }
    QByteArray command = client.line.left(end);
    if (command.endsWith('\r')) {
        command.chop(1);
    }
    // Nothing more is read from this client, and the handler may run an event loop of its own.
    client.reading->setEnabled(false);
    client.limit->stop();
    // A copy, since the handler may set another one or give the guard up.
    const CommandHandler handler = handler_;
    const QByteArray answer = handler ? handler(command) : QByteArrayLiteral("error: busy");
    Answer(id, answer); // the client is looked up again: the handler may have let it go
}

void LocalInstanceGuard::Answer(std::uint64_t id, const QByteArray& answer) {
    const auto found = clients_.find(id);
    if (found == clients_.end()) {
        return;
    }
    Client& client = *found->second;
    client.reading->setEnabled(false);
    client.limit->stop();
    client.answer = answer + '\n';
    client.written = 0;
    WriteAnswer(id);
}

void LocalInstanceGuard::WriteAnswer(std::uint64_t id) {
    const auto found = clients_.find(id);
    if (found == clients_.end()) {
        return;
    }
    Client& client = *found->second;
    // Writes what the socket takes. An answer larger than the socket's buffer goes on when the
    // client has read some, from the event loop: the calendar never waits on a client.
    while (client.written < client.answer.size()) {
        const ssize_t sent = ::send(client.fd, client.answer.constData() + client.written,
                                    static_cast<std::size_t>(client.answer.size() - client.written),
                                    MSG_NOSIGNAL); // a client gone gives EPIPE, not SIGPIPE
        if (sent >= 0) {
            client.written += sent;
            continue;
        }
        if (errno == EINTR) {
            continue;
        }
        if (!WouldBlock(errno)) {
            Drop(id);
            return;
        }
        if (!client.writing) {
            client.writing = std::make_unique<QSocketNotifier>(client.fd, QSocketNotifier::Write);
            QObject::connect(client.writing.get(), &QSocketNotifier::activated,
                             client.writing.get(), [this, id] { WriteAnswer(id); });
        }
        client.writing->setEnabled(true);
        // A client that does not read its answer is dropped after the time limit as well.
        if (!client.limit->isActive()) {
            client.limit->start(clientTimeLimit_);
        }
        return;
    }
    // Bytes the client sent after its line are read and thrown away, since closing a socket
    // with unread bytes resets the connection, and the client could lose its answer.
    std::array<char, 4096> rest{};
    for (qsizetype drained = 0; drained < MAX_DRAINED_BYTES;) {
        const ssize_t got = ::recv(client.fd, rest.data(), rest.size(), MSG_DONTWAIT);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        drained += got;
    }
    Drop(id);
}

void LocalInstanceGuard::Drop(std::uint64_t id) {
    const auto found = clients_.find(id);
    if (found == clients_.end()) {
        return;
    }
    const std::unique_ptr<Client> client = std::move(found->second);
    clients_.erase(found);
    client->Retire(); // and the descriptor is closed as `client` goes
}

std::optional<QByteArray> LocalInstanceGuard::Send(const QString& folder, const QByteArray& command,
                                                   int timeoutMs) {
    if (folder.isEmpty() || command.contains('\n') || command.size() > MAX_COMMAND_BYTES) {
        return std::nullopt;
    }
    const std::optional<sockaddr_un> address = SocketAddress(SocketPath(folder));
    if (!address) {
        return std::nullopt;
    }
    const QDeadlineTimer deadline(timeoutMs);
    const Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (socket.Get() < 0) {
        return std::nullopt;
    }
    // A Unix-domain connection is made at once or refused; EAGAIN says the calendar's queue
    // of waiting connections is full, so it is tried again a moment later until the deadline.
    while (::connect(socket.Get(), AsSockaddr(*address), ADDRESS_SIZE) != 0) {
        if (errno == EINTR) {
            continue;
        }
        if (!WouldBlock(errno) || deadline.hasExpired()) {
            return std::nullopt; // no calendar listens there
        }
        const int wait = deadline.isForever() ? CONNECT_RETRY_MS
                                              : std::min(CONNECT_RETRY_MS, Remaining(deadline));
        ::poll(nullptr, 0, wait);
    }

    // Writes the command line and reads the answer as the socket allows, until the answer's
    // line ends, the calendar closes the connection, or the deadline passes.
    const QByteArray line = command + '\n';
    qsizetype written = 0;
    QByteArray answer;
    for (;;) {
        const qsizetype end = answer.indexOf('\n');
        if (end >= 0) {
            return answer.left(end);
        }
        if (answer.size() > MAX_ANSWER_BYTES) {
            return std::nullopt;
        }
        const bool writing = written < line.size();
        pollfd ready{socket.Get(), static_cast<short>(POLLIN | (writing ? POLLOUT : 0)), 0};
        const int count = ::poll(&ready, 1, Remaining(deadline));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return std::nullopt; // the deadline passed
        }
        if (writing && (ready.revents & POLLOUT) != 0) {
            const ssize_t sent =
                ::send(socket.Get(), line.constData() + written,
                       static_cast<std::size_t>(line.size() - written), MSG_NOSIGNAL);
            if (sent >= 0) {
                written += sent;
            } else if (errno != EINTR && !WouldBlock(errno)) {
                written = line.size(); // the calendar hung up; what it answered is still read
            }
        }
        if ((ready.revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            const qsizetype had = answer.size();
            answer.resize(MAX_ANSWER_BYTES + 1);
            const ssize_t got = ::recv(socket.Get(), answer.data() + had,
                                       static_cast<std::size_t>(answer.size() - had), 0);
            const int error = errno;
            answer.resize(had + std::max<qsizetype>(got, 0));
            if (got == 0 || (got < 0 && error != EINTR && !WouldBlock(error))) {
                return std::nullopt; // closed before the answer's line ended
            }
        }
    }
}

} // namespace moonleaf
