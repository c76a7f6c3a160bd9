// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LocalInstanceGuard.h"

#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <future>

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
    EXPECT_EQ(socket.st_mode & 077, 0u) << "the socket is open to its user only";
    first.Release();
    EXPECT_FALSE(QFile::exists(LocalInstanceGuard::SocketPath(Folder())));
    EXPECT_EQ(second.Acquire(), Claim::First);
    EXPECT_EQ(LocalInstanceGuard(QString()).Acquire(), Claim::Unavailable);
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
        QLocalSocket client;
        client.connectToServer(LocalInstanceGuard::SocketPath(Folder()));
        EXPECT_TRUE(client.waitForConnected(WAIT_MS));
        QSignalSpy closed(&client, &QLocalSocket::disconnected);
        client.write(line);
        EXPECT_TRUE(closed.wait(WAIT_MS));
        return client.readAll();
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

} // namespace
} // namespace moonleaf
