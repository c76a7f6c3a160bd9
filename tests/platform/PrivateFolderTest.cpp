// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

mode_t ModeOf(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Each test has a runtime folder of its own, and a temporary folder of its own, under
// which Qt's runtime location lies when XDG_RUNTIME_DIR is unset. The variables are put
// back afterwards.
class PrivateFolderTest : public ::testing::Test {
protected:
    PrivateFolderTest() {
        qputenv("TMPDIR", QFile::encodeName(temp_.path()));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
    }
    ~PrivateFolderTest() override {
        qputenv("TMPDIR", tmpdir_);
        qputenv("XDG_RUNTIME_DIR", xdg_);
    }

    QString Place() const { return runtime_.path() + QStringLiteral("/moonleaf"); }

    const QByteArray tmpdir_ = qgetenv("TMPDIR");
    const QByteArray xdg_ = qgetenv("XDG_RUNTIME_DIR");
    QTemporaryDir runtime_;
    QTemporaryDir temp_;
};

TEST_F(PrivateFolderTest, IsMadeForTheOwnerOnlyWhateverTheUmask) {
    const mode_t old = ::umask(0277);
    const QString folder = PrivateFolder();
    ::umask(old);
    EXPECT_EQ(folder, Place() + QLatin1Char('/'));
    EXPECT_EQ(ModeOf(folder), 0700u);
}

TEST_F(PrivateFolderTest, AFolderOfOursOpenToOthersIsClosed) {
    ASSERT_TRUE(QDir().mkdir(Place()));
    ASSERT_EQ(::chmod(QFile::encodeName(Place()).constData(), 0777), 0);
    EXPECT_EQ(PrivateFolder(), Place() + QLatin1Char('/'));
    EXPECT_EQ(ModeOf(Place()), 0700u);
}

TEST_F(PrivateFolderTest, ALinkIsNeverFollowedAndAFileNeverUsed) {
    QTemporaryDir elsewhere;
    ASSERT_EQ(::chmod(QFile::encodeName(elsewhere.path()).constData(), 0755), 0);
    ASSERT_TRUE(QFile::link(elsewhere.path(), Place()));
    // Qt's runtime location is this same runtime folder, so nothing else can be used.
    EXPECT_EQ(PrivateFolder(), QString());
    EXPECT_EQ(ModeOf(elsewhere.path()), 0755u);
    ASSERT_TRUE(QFile::remove(Place()));
    QFile file(Place());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_EQ(PrivateFolder(), QString());
}

TEST_F(PrivateFolderTest, AFolderOfAnotherUserIsRefusedAndLeftAsItIs) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a folder to another user needs root";
    }
    ASSERT_EQ(::mkdir(QFile::encodeName(Place()).constData(), 0755), 0);
    ASSERT_EQ(::chown(QFile::encodeName(Place()).constData(), 65534, 65534), 0);
    EXPECT_EQ(PrivateFolder(), QString());
    EXPECT_EQ(ModeOf(Place()), 0755u);
}

TEST_F(PrivateFolderTest, WithoutAnAbsoluteRuntimeFolderQtsRuntimeLocationIsUsed) {
    for (const char* runtime : {"", "relative"}) {
        qputenv("XDG_RUNTIME_DIR", runtime);
        const QString folder = PrivateFolder();
        qunsetenv("XDG_RUNTIME_DIR");
        const QString qt = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        EXPECT_TRUE(qt.startsWith(temp_.path())) << qt.toStdString();
        EXPECT_EQ(folder, qt + QStringLiteral("/moonleaf/")) << runtime;
        EXPECT_EQ(ModeOf(folder), 0700u) << runtime;
    }
}

} // namespace
} // namespace moonleaf
