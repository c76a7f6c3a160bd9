// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LocalInstanceGuard.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <future>

namespace moonleaf {
namespace {

using Claim = InstanceGuard::Claim;
using namespace std::chrono_literals;

// Generous: only a broken guard makes a wait run out.
constexpr int WAIT_MS = 20000;

// A later start sending its command: Send blocks, so it runs on another thread while this
// one runs the event loop that serves it.
std::optional<QByteArray> SendServed(const QString& folder, const QByteArray& command) {
    auto answer = std::async(std::launch::async, [folder, command] {
        return LocalInstanceGuard::Send(folder, command, WAIT_MS);
    });
    (void)QTest::qWaitFor([&answer] { return answer.wait_for(0s) == std::future_status::ready; },
                          WAIT_MS);
    return answer.get();
}

// The process id of a process that has ended.
pid_t DeadPid() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

class LocalInstanceGuardTest : public ::testing::Test {
protected:
    QString Folder() const { return dir_.path() + QLatin1Char('/'); }

    QTemporaryDir dir_;
};

TEST_F(LocalInstanceGuardTest, SecondGuardOnOneFolderFindsTheCalendarRunning) {
    LocalInstanceGuard first(Folder());
    LocalInstanceGuard second(Folder());
    EXPECT_EQ(first.Acquire(), Claim::First);
    EXPECT_EQ(second.Acquire(), Claim::AlreadyRunning);
    EXPECT_EQ(first.Acquire(), Claim::First) << "asking again keeps the guard";
}

TEST_F(LocalInstanceGuardTest, AfterReleaseTheNextStartIsFirst) {
    LocalInstanceGuard first(Folder());
    ASSERT_EQ(first.Acquire(), Claim::First);
    EXPECT_TRUE(QFileInfo::exists(LocalInstanceGuard::SocketPath(Folder())));
    first.Release();
    EXPECT_FALSE(QFileInfo::exists(LocalInstanceGuard::SocketPath(Folder())));
    LocalInstanceGuard next(Folder());
    EXPECT_EQ(next.Acquire(), Claim::First);
}

TEST_F(LocalInstanceGuardTest, DestroyingTheGuardGivesItUp) {
    {
        LocalInstanceGuard first(Folder());
        ASSERT_EQ(first.Acquire(), Claim::First);
    }
    LocalInstanceGuard next(Folder());
    EXPECT_EQ(next.Acquire(), Claim::First);
}

TEST_F(LocalInstanceGuardTest, NoFolderMakesTheGuardUnavailable) {
    LocalInstanceGuard none{QString()};
    EXPECT_EQ(none.Acquire(), Claim::Unavailable);
    LocalInstanceGuard missing(Folder() + QStringLiteral("missing/"));
    EXPECT_EQ(missing.Acquire(), Claim::Unavailable);
}

TEST_F(LocalInstanceGuardTest, TheSocketIsOpenToItsUserOnly) {
    LocalInstanceGuard guard(Folder());
    ASSERT_EQ(guard.Acquire(), Claim::First);
    struct stat info {};
    ASSERT_EQ(
        ::stat(QFile::encodeName(LocalInstanceGuard::SocketPath(Folder())).constData(), &info), 0);
    EXPECT_TRUE(S_ISSOCK(info.st_mode));
    EXPECT_EQ(info.st_mode & 077, 0u);
}

TEST_F(LocalInstanceGuardTest, ACommandReachesTheHandlerAndItsAnswerComesBack) {
    LocalInstanceGuard guard(Folder());
    ASSERT_EQ(guard.Acquire(), Claim::First);
    QByteArrayList received;
    guard.SetCommandHandler([&received](const QByteArray& command) {
        received << command;
        return command == "status" ? QByteArrayLiteral("shown 2024-02-10") : QByteArray("ok");
    });
    EXPECT_EQ(SendServed(Folder(), "status"), QByteArray("shown 2024-02-10"));
    EXPECT_EQ(SendServed(Folder(), "hide"), QByteArray("ok"));
    EXPECT_EQ(received, QByteArrayList({"status", "hide"}));
}

TEST_F(LocalInstanceGuardTest, AnEmptyAnswerIsStillAnAnswer) {
    LocalInstanceGuard guard(Folder());
    ASSERT_EQ(guard.Acquire(), Claim::First);
    guard.SetCommandHandler([](const QByteArray&) { return QByteArray(); });
    EXPECT_EQ(SendServed(Folder(), "show"), QByteArray());
}

TEST_F(LocalInstanceGuardTest, ReleasingFromTheHandlerStillAnswers) {
    LocalInstanceGuard guard(Folder());
    ASSERT_EQ(guard.Acquire(), Claim::First);
    guard.SetCommandHandler([&guard](const QByteArray&) {
        guard.Release();
        return QByteArrayLiteral("bye");
    });
    EXPECT_EQ(SendServed(Folder(), "quit"), QByteArray("bye"));
    LocalInstanceGuard next(Folder());
    EXPECT_EQ(next.Acquire(), Claim::First);
}

TEST_F(LocalInstanceGuardTest, SendWithoutACalendarGivesNoAnswer) {
    EXPECT_EQ(LocalInstanceGuard::Send(Folder(), "show", 1000), std::nullopt);
    // A socket file left by a calendar that is gone answers no better.
    {
        LocalInstanceGuard gone(Folder());
        ASSERT_EQ(gone.Acquire(), Claim::First);
    }
    QFile leftover(LocalInstanceGuard::SocketPath(Folder()));
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    EXPECT_EQ(LocalInstanceGuard::Send(Folder(), "show", 1000), std::nullopt);
    EXPECT_EQ(LocalInstanceGuard::Send(QString(), "show", 1000), std::nullopt);
}

TEST_F(LocalInstanceGuardTest, ALockLeftByAKilledCalendarIsTakenOver) {
    // The lock file a calendar leaves when it is killed: QLockFile's own contents, naming a
    // process that has ended. A socket file of the same calendar is left beside it.
    QByteArray contents;
    {
        QLockFile sample(Folder() + QStringLiteral("sample.lock"));
        ASSERT_TRUE(sample.tryLock(0));
        QFile file(Folder() + QStringLiteral("sample.lock"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        contents = file.readAll();
    }
    const qsizetype firstLineEnd = contents.indexOf('\n');
    ASSERT_GT(firstLineEnd, 0);
    contents.replace(0, firstLineEnd, QByteArray::number(DeadPid()));
    QFile stale(LocalInstanceGuard::LockPath(Folder()));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(contents);
    stale.close();
    QFile leftover(LocalInstanceGuard::SocketPath(Folder()));
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();

    LocalInstanceGuard next(Folder());
    ASSERT_EQ(next.Acquire(), Claim::First);
    next.SetCommandHandler([](const QByteArray&) { return QByteArrayLiteral("here"); });
    EXPECT_EQ(SendServed(Folder(), "activate"), QByteArray("here"));
}

// A client that misbehaves cannot hold the calendar: it is answered or dropped, and the
// next start is served as usual.
class MisbehavingClientTest : public LocalInstanceGuardTest {
protected:
    void SetUp() override {
        ASSERT_EQ(guard_.Acquire(), Claim::First);
        guard_.SetCommandHandler([this](const QByteArray& command) {
            received_ << command;
            return QByteArrayLiteral("ok");
        });
    }

    // Connects a client that the test drives by hand.
    std::unique_ptr<QLocalSocket> Connect() {
        auto client = std::make_unique<QLocalSocket>();
        client->connectToServer(LocalInstanceGuard::SocketPath(Folder()));
        EXPECT_TRUE(client->waitForConnected(WAIT_MS));
        return client;
    }

    // Waits until the calendar has closed `client`'s connection; returns what it answered.
    static QByteArray AnswerBeforeClose(QLocalSocket& client) {
        QByteArray answer;
        QObject::connect(&client, &QLocalSocket::readyRead, &client,
                         [&client, &answer] { answer += client.readAll(); });
        QSignalSpy closed(&client, &QLocalSocket::disconnected);
        if (client.state() == QLocalSocket::ConnectedState) {
            EXPECT_TRUE(closed.wait(WAIT_MS));
        }
        return answer + client.readAll();
    }

    LocalInstanceGuard guard_{Folder(), 300ms};
    QByteArrayList received_;
};

TEST_F(MisbehavingClientTest, AnOversizeLineIsRefusedWithoutReachingTheHandler) {
    auto client = Connect();
    client->write(QByteArray(LocalInstanceGuard::MAX_COMMAND_BYTES + 1000, 's') + '\n');
    EXPECT_EQ(AnswerBeforeClose(*client), QByteArray("error: command too long\n"));
    EXPECT_TRUE(received_.isEmpty());
    EXPECT_EQ(SendServed(Folder(), "show"), QByteArray("ok"));
}

TEST_F(MisbehavingClientTest, ALineOfTheLargestSizeIsServed) {
    auto client = Connect();
    client->write(QByteArray(LocalInstanceGuard::MAX_COMMAND_BYTES, 's') + '\n');
    EXPECT_EQ(AnswerBeforeClose(*client), QByteArray("ok\n"));
    ASSERT_EQ(received_.size(), 1);
    EXPECT_EQ(received_.front().size(), LocalInstanceGuard::MAX_COMMAND_BYTES);
}

TEST_F(MisbehavingClientTest, ASilentClientIsDropped) {
    auto client = Connect();
    client->write("sho"); // never ends its line
    EXPECT_EQ(AnswerBeforeClose(*client), QByteArray());
    EXPECT_TRUE(received_.isEmpty());
    EXPECT_EQ(SendServed(Folder(), "show"), QByteArray("ok"));
}

TEST_F(LocalInstanceGuardTest, ClientsBeyondTheLimitAreClosedAtOnce) {
    // Silent clients are given a minute here, so only the limit on their number can close
    // the extra one.
    LocalInstanceGuard guard(Folder(), 60s);
    ASSERT_EQ(guard.Acquire(), Claim::First);
    std::vector<std::unique_ptr<QLocalSocket>> silent;
    std::vector<std::unique_ptr<QSignalSpy>> silentClosed;
    for (int i = 0; i < LocalInstanceGuard::MAX_CLIENTS + 1; ++i) {
        silent.push_back(std::make_unique<QLocalSocket>());
        silentClosed.push_back(
            std::make_unique<QSignalSpy>(silent.back().get(), &QLocalSocket::disconnected));
        silent.back()->connectToServer(LocalInstanceGuard::SocketPath(Folder()));
        ASSERT_TRUE(silent.back()->waitForConnected(WAIT_MS));
    }
    QSignalSpy& extraClosed = *silentClosed.back();
    EXPECT_TRUE(extraClosed.wait(WAIT_MS));
    for (int i = 0; i < LocalInstanceGuard::MAX_CLIENTS; ++i) {
        EXPECT_EQ(silentClosed[static_cast<std::size_t>(i)]->count(), 0) << "client " << i;
    }
}

TEST_F(MisbehavingClientTest, ACarriageReturnBeforeTheNewlineIsNotPartOfTheCommand) {
    auto client = Connect();
    client->write("toggle\r\n");
    EXPECT_EQ(AnswerBeforeClose(*client), QByteArray("ok\n"));
    EXPECT_EQ(received_, QByteArrayList({"toggle"}));
}

} // namespace
} // namespace moonleaf
