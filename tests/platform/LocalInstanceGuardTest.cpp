// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LocalInstanceGuard.h"

#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <future>
#include <vector>

namespace moonleaf {
namespace {

using Claim = InstanceGuard::Claim;
using namespace std::chrono_literals;

constexpr int WAIT_MS = 20000; // generous: only a broken guard makes a wait run out

// A later start sending its command: Send blocks, so it runs on another thread while this
// one runs the event loop that serves it.
std::optional<QByteArray> SendServed(const QString& folder, const QByteArray& command) {
    auto answer = std::async(std::launch::async, [folder, command] {
        return LocalInstanceGuard::Send(folder, command, WAIT_MS);
    });
    (void)QTest::qWaitFor([&] { return answer.wait_for(0s) == std::future_status::ready; },
                          WAIT_MS);
    return answer.get();
}

// A later start written by hand, on a plain Unix-domain socket, that can misbehave: send
// part of a line, more than a line, or hang up.
class RawClient {
public:
    explicit RawClient(const QString& folder)
        : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        const QByteArray path = QFile::encodeName(LocalInstanceGuard::SocketPath(folder));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
        // Connecting needs no event loop: the kernel queues the connection for the calendar.
        connected_ =
            ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;
    ~RawClient() { HangUp(); }

    bool Connected() const { return connected_; }

    // Small writes only: they fit in the socket's buffer, so they never wait on the calendar.
    bool Write(const QByteArray& bytes) {
        return ::send(fd_, bytes.constData(), static_cast<std::size_t>(bytes.size()),
                      MSG_NOSIGNAL) == bytes.size();
    }

    // Everything the calendar writes until it closes the connection, read while this thread
    // runs the event loop that serves it. A connection still open after WAIT_MS fails.
    QByteArray ReadUntilClosed() {
        QByteArray bytes;
        bool closed = false;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                char chunk[65536];
                for (;;) {
                    const ssize_t got = ::recv(fd_, chunk, sizeof chunk, MSG_DONTWAIT);
                    if (got > 0) {
                        bytes.append(chunk, got);
                        continue;
                    }
                    // End of file, or a reset when the calendar closed without reading all
                    // that was sent: either way the connection is over.
                    reset_ = got < 0 && errno == ECONNRESET;
                    closed = got == 0 || (errno != EAGAIN && errno != EINTR);
                    return closed;
                }
            },
            WAIT_MS))
            << "the calendar left the connection open";
        return bytes;
    }

    // Whether the connection read last ended in a reset rather than an end of file.
    bool WasReset() const { return reset_; }

    void HangUp() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

private:
    int fd_;
    bool connected_ = false;
    bool reset_ = false;
};

class LocalInstanceGuardTest : public ::testing::Test {
protected:
    QString Folder() const { return dir_.path() + QLatin1Char('/'); }
    void Touch(const QString& path, const QByteArray& contents = {}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

    QTemporaryDir dir_;
};

TEST_F(LocalInstanceGuardTest, SecondGuardFindsTheCalendarRunningUntilItIsReleased) {
    LocalInstanceGuard first(Folder());
    LocalInstanceGuard second(Folder());
    ASSERT_EQ(first.Acquire(), Claim::First);
    EXPECT_EQ(second.Acquire(), Claim::AlreadyRunning);
    struct stat socket {};
    ASSERT_EQ(
        ::stat(QFile::encodeName(LocalInstanceGuard::SocketPath(Folder())).constData(), &socket),
        0);
    EXPECT_TRUE(S_ISSOCK(socket.st_mode));
    EXPECT_EQ(socket.st_mode & 07777, 0600u) << "the socket is open to its user only";
    first.Release();
    EXPECT_FALSE(QFile::exists(LocalInstanceGuard::SocketPath(Folder())));
    EXPECT_EQ(second.Acquire(), Claim::First);
    EXPECT_EQ(LocalInstanceGuard(QString()).Acquire(), Claim::Unavailable);
    EXPECT_EQ(LocalInstanceGuard(Folder() + QStringLiteral("missing/")).Acquire(),
              Claim::Unavailable);
}

TEST_F(LocalInstanceGuardTest, ACommandReachesTheHandlerAndItsAnswerComesBack) {
    LocalInstanceGuard guard(Folder());
    ASSERT_EQ(guard.Acquire(), Claim::First);
    QByteArrayList received;
    guard.SetCommandHandler([&received](const QByteArray& command) {
        received << command;
        return command == "status" ? QByteArrayLiteral("shown") : QByteArray();
    });
    EXPECT_EQ(SendServed(Folder(), "status"), QByteArray("shown"));
    EXPECT_EQ(SendServed(Folder(), "hide"), QByteArray(""));
    EXPECT_EQ(received, QByteArrayList({"status", "hide"}));
}

TEST_F(LocalInstanceGuardTest, SendCarriesTheLongestLineAndRefusesALongerOne) {
    LocalInstanceGuard guard(Folder());
    ASSERT_EQ(guard.Acquire(), Claim::First);
    QByteArrayList received;
    guard.SetCommandHandler([&received](const QByteArray& command) {
        received << command;
        return QByteArray::number(command.size());
    });
    const QByteArray longest(LocalInstanceGuard::MAX_COMMAND_BYTES, 'c');
    EXPECT_EQ(SendServed(Folder(), longest), QByteArray::number(longest.size()));
    EXPECT_EQ(LocalInstanceGuard::Send(Folder(), longest + 'c'), std::nullopt);
    EXPECT_EQ(LocalInstanceGuard::Send(Folder(), "show\nhide"), std::nullopt);
    EXPECT_EQ(received, QByteArrayList({longest}));
}

TEST_F(LocalInstanceGuardTest, BeforeAHandlerIsSetTheCalendarAnswersBusy) {
    LocalInstanceGuard guard(Folder());
    ASSERT_EQ(guard.Acquire(), Claim::First);
    EXPECT_EQ(SendServed(Folder(), "show"), QByteArray("error: busy"));
}

TEST_F(LocalInstanceGuardTest, ReleasingFromTheHandlerStillAnswers) {
    LocalInstanceGuard guard(Folder());
    ASSERT_EQ(guard.Acquire(), Claim::First);
    guard.SetCommandHandler([&guard](const QByteArray&) {
        guard.Release();
        return QByteArrayLiteral("bye");
    });
    EXPECT_EQ(SendServed(Folder(), "quit"), QByteArray("bye"));
    EXPECT_EQ(LocalInstanceGuard(Folder()).Acquire(), Claim::First);
}

TEST_F(LocalInstanceGuardTest, SendWithoutACalendarGivesNoAnswer) {
    EXPECT_EQ(LocalInstanceGuard::Send(Folder(), "show", 1000), std::nullopt);
    Touch(LocalInstanceGuard::SocketPath(Folder())); // left by a calendar that is gone
    EXPECT_EQ(LocalInstanceGuard::Send(Folder(), "show", 1000), std::nullopt);
}

TEST_F(LocalInstanceGuardTest, SendGivesUpWhenTheCalendarDoesNotAnswerInTime) {
    LocalInstanceGuard guard(Folder());
    ASSERT_EQ(guard.Acquire(), Claim::First);
    QByteArrayList received;
    guard.SetCommandHandler([&received](const QByteArray& command) {
        received << command;
        return QByteArrayLiteral("late");
    });
    // No event loop runs on this thread while Send waits, so the calendar cannot answer.
    EXPECT_EQ(LocalInstanceGuard::Send(Folder(), "show", 100), std::nullopt);
    // The calendar serves the line later and writes to a later start that has gone, which
    // must not end the calendar (no SIGPIPE); the next start is served as usual.
    ASSERT_TRUE(QTest::qWaitFor([&received] { return !received.isEmpty(); }, WAIT_MS));
    EXPECT_EQ(SendServed(Folder(), "hide"), QByteArray("late"));
    EXPECT_EQ(received, QByteArrayList({"show", "hide"}));
}

TEST_F(LocalInstanceGuardTest, ALockLeftByAKilledCalendarIsTakenOver) {
    // QLockFile's own contents, naming a process that has ended, and its socket file.
    QByteArray contents;
    {
        QLockFile sample(Folder() + QStringLiteral("sample.lock"));
        ASSERT_TRUE(sample.tryLock(0));
        QFile file(Folder() + QStringLiteral("sample.lock"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        contents = file.readAll();
    }
    const pid_t dead = ::fork();
    if (dead == 0) {
        ::_exit(0);
    }
    ::waitpid(dead, nullptr, 0);
    contents.replace(0, contents.indexOf('\n'), QByteArray::number(dead));
    Touch(LocalInstanceGuard::LockPath(Folder()), contents);
    Touch(LocalInstanceGuard::SocketPath(Folder()));

    LocalInstanceGuard next(Folder());
    ASSERT_EQ(next.Acquire(), Claim::First);
    next.SetCommandHandler([](const QByteArray&) { return QByteArrayLiteral("here"); });
    EXPECT_EQ(SendServed(Folder(), "activate"), QByteArray("here"));
}

// A client that misbehaves is answered or dropped, and the next start is served as usual.
class MisbehavingClientTest : public LocalInstanceGuardTest {
protected:
    void SetUp() override {
        ASSERT_EQ(guard_.Acquire(), Claim::First);
        guard_.SetCommandHandler([this](const QByteArray& command) {
            received_ << command;
            return QByteArrayLiteral("ok");
        });
    }

    // What the calendar answers `line` before it closes the connection.
    QByteArray AnswerTo(const QByteArray& line) {
        RawClient client(Folder());
        EXPECT_TRUE(client.Connected());
        EXPECT_TRUE(client.Write(line));
        const QByteArray answer = client.ReadUntilClosed();
        // A reset could lose the answer before the client reads it.
        EXPECT_FALSE(client.WasReset()) << "the calendar reset the connection";
        return answer;
    }

    LocalInstanceGuard guard_{Folder(), 300ms};
    QByteArrayList received_;
};

TEST_F(MisbehavingClientTest, AnOversizeLineIsRefusedWithoutReachingTheHandler) {
    const QByteArray longest(LocalInstanceGuard::MAX_COMMAND_BYTES, 's');
    EXPECT_EQ(AnswerTo(longest + "s\n"), QByteArray("error: command too long\n"));
    EXPECT_TRUE(received_.isEmpty());
    EXPECT_EQ(AnswerTo(longest + '\n'), QByteArray("ok\n"));
    EXPECT_EQ(SendServed(Folder(), "show"), QByteArray("ok"));
}

TEST_F(MisbehavingClientTest, AClientThatNeverEndsItsLineIsDropped) {
    EXPECT_EQ(AnswerTo("sho"), QByteArray());
    EXPECT_TRUE(received_.isEmpty());
    EXPECT_EQ(SendServed(Folder(), "show"), QByteArray("ok"));
}

TEST_F(MisbehavingClientTest, OnlyTheFirstLineOfAConnectionIsServed) {
    EXPECT_EQ(AnswerTo("show\r\nhide\nquit\n"), QByteArray("ok\n"));
    EXPECT_EQ(received_, QByteArrayList({"show"})) << "the CR before the LF is not the command's";
}

TEST_F(MisbehavingClientTest, AClientThatHangsUpBeforeItsAnswerLeavesTheCalendarRunning) {
    {
        RawClient client(Folder());
        ASSERT_TRUE(client.Connected());
        ASSERT_TRUE(client.Write("show\n"));
    }
    // The answer goes to a closed connection: EPIPE for the calendar, never SIGPIPE.
    ASSERT_TRUE(QTest::qWaitFor([this] { return !received_.isEmpty(); }, WAIT_MS));
    EXPECT_EQ(SendServed(Folder(), "hide"), QByteArray("ok"));
    EXPECT_EQ(received_, QByteArrayList({"show", "hide"}));
}

// Clients that take their time, with a time limit no test reaches.
class PatientGuardTest : public LocalInstanceGuardTest {
protected:
    void SetUp() override { ASSERT_EQ(guard_.Acquire(), Claim::First); }

    LocalInstanceGuard guard_{Folder(), std::chrono::milliseconds(10 * WAIT_MS)};
};

TEST_F(PatientGuardTest, AClientBeyondTheLimitIsClosedAndTheOthersAreServed) {
    guard_.SetCommandHandler([](const QByteArray& command) { return command; });
    std::vector<std::unique_ptr<RawClient>> served;
    for (int i = 0; i < LocalInstanceGuard::MAX_CLIENTS; ++i) {
        served.push_back(std::make_unique<RawClient>(Folder()));
        ASSERT_TRUE(served.back()->Connected());
    }
    // Queued after the others, so it is taken when all the places are filled.
    RawClient extra(Folder());
    ASSERT_TRUE(extra.Connected());
    EXPECT_EQ(extra.ReadUntilClosed(), QByteArray());

    for (int i = 0; i < LocalInstanceGuard::MAX_CLIENTS; ++i) {
        const QByteArray command = "client " + QByteArray::number(i);
        ASSERT_TRUE(served[static_cast<std::size_t>(i)]->Write(command + '\n'));
        EXPECT_EQ(served[static_cast<std::size_t>(i)]->ReadUntilClosed(), command + '\n');
    }
    EXPECT_EQ(SendServed(Folder(), "again"), QByteArray("again")) << "the places are free again";
}

TEST_F(PatientGuardTest, AnAnswerLargerThanTheSocketBufferArrivesWhole) {
    // Far beyond the kernel's socket buffer, so the calendar writes it in many turns.
    const QByteArray large(1024 * 1024, 'x');
    guard_.SetCommandHandler([&large](const QByteArray&) { return large; });
    RawClient client(Folder());
    ASSERT_TRUE(client.Connected());
    ASSERT_TRUE(client.Write("status\n"));
    const QByteArray answer = client.ReadUntilClosed();
    EXPECT_EQ(answer.size(), large.size() + 1);
    EXPECT_TRUE(answer == large + '\n');
}

} // namespace
} // namespace moonleaf
