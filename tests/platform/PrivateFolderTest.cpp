// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PrivateFolder.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <optional>

namespace moonleaf {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<QByteArray> value)
        : name_(name),
          old_(qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name))
                                               : std::nullopt) {
        Set(value);
    }
    ~ScopedEnv() { Set(old_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void Set(const std::optional<QByteArray>& value) {
        if (value) {
            qputenv(name_, *value);
        } else {
            qunsetenv(name_);
        }
    }

    const char* name_;
    std::optional<QByteArray> old_;
};

mode_t ModeOf(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) {
        return 0;
    }
    return info.st_mode & 07777;
}

// Each test gets a runtime folder of its own and a temporary folder of its own, which is
// where Qt's runtime location falls back to when XDG_RUNTIME_DIR is unset.
class PrivateFolderTest : public ::testing::Test {
protected:
    QString Runtime() const { return runtime_.path(); }
    QString Temp() const { return temp_.path(); }

    QTemporaryDir runtime_;
    QTemporaryDir temp_;
    ScopedEnv tmpdir_{"TMPDIR", temp_.path().toLocal8Bit()};
};

TEST_F(PrivateFolderTest, IsCreatedUnderTheRuntimeFolderWithModeOwnerOnly) {
    ScopedEnv xdg("XDG_RUNTIME_DIR", Runtime().toLocal8Bit());
    const QString folder = PrivateFolder();
    EXPECT_EQ(folder, Runtime() + QStringLiteral("/moonleaf/"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(ModeOf(folder), 0700u);
}

TEST_F(PrivateFolderTest, ARestrictiveUmaskStillGivesModeOwnerOnly) {
    ScopedEnv xdg("XDG_RUNTIME_DIR", Runtime().toLocal8Bit());
    const mode_t old = ::umask(0277);
    const QString folder = PrivateFolder();
    ::umask(old);
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_EQ(ModeOf(folder), 0700u);
}

TEST_F(PrivateFolderTest, AnExistingFolderOfOursOpenToOthersIsClosed) {
    ScopedEnv xdg("XDG_RUNTIME_DIR", Runtime().toLocal8Bit());
    const QString path = Runtime() + QStringLiteral("/moonleaf");
    ASSERT_EQ(::mkdir(QFile::encodeName(path).constData(), 0700), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0777), 0);
    EXPECT_EQ(PrivateFolder(), path + QLatin1Char('/'));
    EXPECT_EQ(ModeOf(path), 0700u);
}

TEST_F(PrivateFolderTest, ALinkIsNeverFollowedNorChanged) {
    QTemporaryDir elsewhere;
    ASSERT_EQ(::chmod(QFile::encodeName(elsewhere.path()).constData(), 0755), 0);
    const QString link = Runtime() + QStringLiteral("/moonleaf");
    ASSERT_TRUE(QFile::link(elsewhere.path(), link));
    ScopedEnv xdg("XDG_RUNTIME_DIR", Runtime().toLocal8Bit());
    const QString folder = PrivateFolder();
    EXPECT_NE(folder, link + QLatin1Char('/'));
    EXPECT_FALSE(folder.startsWith(elsewhere.path()));
    EXPECT_EQ(ModeOf(elsewhere.path()), 0755u);
}

TEST_F(PrivateFolderTest, IsEmptyWhenAFileTakesThePlace) {
    // Qt's runtime location is the same runtime folder here, so nothing else can be used.
    QFile plain(Runtime() + QStringLiteral("/moonleaf"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    ScopedEnv xdg("XDG_RUNTIME_DIR", Runtime().toLocal8Bit());
    EXPECT_EQ(PrivateFolder(), QString());
}

TEST_F(PrivateFolderTest, AFolderOfAnotherUserIsRefusedAndKeepsItsMode) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a folder to another user needs root";
    }
    const QString path = Runtime() + QStringLiteral("/moonleaf");
    const QByteArray native = QFile::encodeName(path);
    ASSERT_EQ(::mkdir(native.constData(), 0755), 0);
    ASSERT_EQ(::chown(native.constData(), 65534, 65534), 0);
    ScopedEnv xdg("XDG_RUNTIME_DIR", Runtime().toLocal8Bit());
    EXPECT_NE(PrivateFolder(), path + QLatin1Char('/'));
    EXPECT_EQ(ModeOf(path), 0755u);
}

TEST_F(PrivateFolderTest, WithoutRuntimeFolderTheQtRuntimeLocationIsUsed) {
    ScopedEnv xdg("XDG_RUNTIME_DIR", std::nullopt);
    const QString folder = PrivateFolder();
    const QString qtRuntime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    EXPECT_TRUE(qtRuntime.startsWith(Temp())) << qtRuntime.toStdString();
    EXPECT_EQ(folder, qtRuntime + QStringLiteral("/moonleaf/"));
    EXPECT_EQ(ModeOf(folder), 0700u);
}

TEST_F(PrivateFolderTest, ARelativeRuntimeFolderIsNotUsed) {
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(Runtime()));
    ScopedEnv xdg("XDG_RUNTIME_DIR", "relative");
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("relative")));
    const QString folder = PrivateFolder();
    QDir::setCurrent(cwd);
    EXPECT_FALSE(QFileInfo::exists(Runtime() + QStringLiteral("/relative/moonleaf")));
    EXPECT_TRUE(folder.isEmpty() || QDir::isAbsolutePath(folder)) << folder.toStdString();
}

} // namespace
} // namespace moonleaf
