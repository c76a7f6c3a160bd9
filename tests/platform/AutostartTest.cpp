// SPDX-License-Identifier: GPL-3.0-or-later
// The autostart entry: where it goes, its Exec line quoted and read back, the file tests the
// options dialog relies on, whole writes, and the desktop's validator.
#include "platform/Autostart.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace moonleaf {
namespace {

// Sets an environment variable for one test and puts the old value back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<QByteArray>& value) : name_(name) {
        if (qEnvironmentVariableIsSet(name)) {
            old_ = qgetenv(name);
        }
        value ? qputenv(name, *value) : qunsetenv(name);
    }
    ~ScopedEnv() { old_ ? qputenv(name_, *old_) : qunsetenv(name_); }

private:
    const char* name_;
    std::optional<QByteArray> old_;
};

class AutostartTest : public ::testing::Test {
protected:
    QTemporaryDir config;
    Autostart autostart{config.path(), QStringLiteral("/opt/Moon Leaf/bin/moonleaf")};

    static void Put(const QString& path, const QByteArray& text) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(AutostartTest, ConfigurationFolderFollowsXdgConfigHomeOnlyWhenAbsolute) {
    const ScopedEnv home("HOME", config.path().toLocal8Bit());
    const QString fallback = config.path() + QStringLiteral("/.config");
    {
        const ScopedEnv xdg("XDG_CONFIG_HOME", QByteArray("/srv/cfg/"));
        EXPECT_EQ(Autostart::ConfigHomeFromEnvironment(), QStringLiteral("/srv/cfg"));
    }
    for (const std::optional<QByteArray>& value :
         {std::optional<QByteArray>(), std::optional(QByteArray()),
          std::optional(QByteArray("cfg"))}) {
        const ScopedEnv xdg("XDG_CONFIG_HOME", value);
        EXPECT_EQ(Autostart::ConfigHomeFromEnvironment(), fallback)
            << value.value_or("(unset)").data();
    }
    EXPECT_EQ(autostart.EntryPath(),
              config.path() + QStringLiteral("/autostart/io.github.moonleaf.Moonleaf.desktop"));
}

TEST_F(AutostartTest, EntryTextStartsTheProgramWithoutArguments) {
    EXPECT_EQ(autostart.EntryText(), QByteArray("[Desktop Entry]\n"
                                                "Type=Application\n"
                                                "Name=Moonleaf\n"
                                                "Exec=\"/opt/Moon Leaf/bin/moonleaf\"\n"
                                                "Icon=io.github.moonleaf.Moonleaf\n"
                                                "Terminal=false\n"
                                                "X-GNOME-Autostart-enabled=true\n"));
}

TEST(DesktopExec, QuotesOnlyWhenAReservedCharacterIsThere) {
    EXPECT_EQ(DesktopExecValue(QStringLiteral("/usr/bin/moonleaf")),
              QStringLiteral("/usr/bin/moonleaf"));
    EXPECT_EQ(DesktopExecValue(QStringLiteral("/opt/100%/moonleaf")),
              QStringLiteral("/opt/100%%/moonleaf"));
    EXPECT_EQ(DesktopExecValue(QStringLiteral("/opt/a b")), QStringLiteral("\"/opt/a b\""));
    // Inside quotes '$' takes a backslash, and every backslash is then doubled as a string.
    EXPECT_EQ(DesktopExecValue(QStringLiteral("/opt/a$b")), QStringLiteral("\"/opt/a\\\\$b\""));
    EXPECT_EQ(DesktopExecValue(QStringLiteral("/opt/a\\b")), QStringLiteral("\"/opt/a\\\\\\\\b\""));
    EXPECT_EQ(DesktopExecValue(QStringLiteral("/opt/it's")), QStringLiteral("\"/opt/it's\""));
}

TEST(DesktopExec, EveryAwkwardPathReadsBackAsWritten) {
    for (const QString& path :
         {QStringLiteral("/opt/Moon Leaf/moonleaf"), QStringLiteral("/o/\"q\"`b`"),
          QStringLiteral("/o/$HOME\\x"), QStringLiteral("/o/50%%d"),
          QStringLiteral("/o/tab\there/new\nline"), QStringLiteral("/o/#;&|<>*?()~"),
          QStringLiteral("/o/Lịch âm/moonleaf")}) {
        EXPECT_EQ(DesktopExecProgram(DesktopExecValue(path)), path) << path.toStdString();
    }
    EXPECT_EQ(DesktopExecProgram(QStringLiteral("/usr/bin/moonleaf --show %U")),
              QStringLiteral("/usr/bin/moonleaf"));
}

TEST_F(AutostartTest, TargetPathIsReadOnlyFromDesktopEntryFiles) {
    const QString entry = config.path() + QStringLiteral("/a.desktop");
    Put(entry, "# note\n[Desktop Entry]\nName=A\nExec = \"/opt/x y/prog\" --arg\n"
               "[Desktop Action New]\nExec=/bin/false\n");
    EXPECT_EQ(xGetTargetPath(entry), QStringLiteral("/opt/x y/prog"));
    for (const char* name : {"/b.DESKTOP", "/b.desktop.bak", "/b.lnk", "/bdesktop"}) {
        Put(config.path() + QLatin1String(name), "[Desktop Entry]\nExec=/bin/true\n");
        EXPECT_EQ(xGetTargetPath(config.path() + QLatin1String(name)), QStringLiteral("unknown"))
            << name;
    }
    EXPECT_EQ(xGetTargetPath(config.path() + QStringLiteral("/missing.desktop")), QString());
}

TEST_F(AutostartTest, FileExistsOnlyForThingsThatAreNotFolders) {
    Put(config.path() + QStringLiteral("/file"), "x");
    EXPECT_TRUE(FileExists(config.path() + QStringLiteral("/file")));
    EXPECT_FALSE(FileExists(config.path()));
    EXPECT_FALSE(FileExists(config.path() + QStringLiteral("/missing")));
    EXPECT_FALSE(FileExists(config.path() + QStringLiteral("/file/child")));
    EXPECT_FALSE(FileExists(QString()));
}

TEST_F(AutostartTest, AnEntryDisabledInTheSessionSettingsIsOff) {
    Put(autostart.EntryPath(), "[Desktop Entry]\nExec=/x\nX-GNOME-Autostart-enabled=false\n");
    EXPECT_FALSE(autostart.IsOn());
    Put(autostart.EntryPath(), "[Desktop Entry]\nHidden=false\n[Other]\nHidden=true\n");
    EXPECT_TRUE(autostart.IsOn()); // only the main group counts
}

TEST_F(AutostartTest, TheDesktopsValidatorAcceptsTheEntry) {
#ifndef MOONLEAF_DESKTOP_FILE_VALIDATE
    GTEST_SKIP() << "desktop-file-validate is not installed";
#else
    const Autostart awkward(config.path(), QStringLiteral("/opt/Moon Leaf $1/50% (new)/moonleaf"));
    ASSERT_TRUE(awkward.Write().Ok());
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(QStringLiteral(MOONLEAF_DESKTOP_FILE_VALIDATE), {awkward.EntryPath()});
    ASSERT_TRUE(validate.waitForFinished());
    const QByteArray output = validate.readAll();
    EXPECT_EQ(validate.exitCode(), 0) << output.toStdString();
    EXPECT_FALSE(output.contains("error")) << output.toStdString();
    EXPECT_EQ(xGetTargetPath(awkward.EntryPath()), awkward.Executable());
#endif
}

} // namespace
} // namespace moonleaf
