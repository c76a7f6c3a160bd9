// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace moonleaf {
namespace {

const QString DESKTOP_SUFFIX = QStringLiteral(".desktop");
const QString MAIN_GROUP = QStringLiteral("[Desktop Entry]");

// An entry file larger than this is not an entry this program reads.
constexpr qint64 MAX_ENTRY_BYTES = 64 * 1024;

// Characters that make an Exec argument need double quotes.
bool IsReserved(QChar c) {
    static const QString reserved = QStringLiteral(" \t\n\r\"'\\><~|&;$*?#()`");
    return reserved.contains(c);
}

// Characters that take a backslash inside a quoted Exec argument.
bool NeedsQuoteEscape(QChar c) {
    return c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
           c == QLatin1Char('\\');
}

// The escapes of a string value: \s, \n, \t, \r and \\; any other backslash stays.
QString UnescapeString(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out.append(c);
            continue;
        }
        const QChar next = value.at(i + 1);
        switch (next.unicode()) {
        case 's':
            out.append(QLatin1Char(' '));
            break;
        case 'n':
            out.append(QLatin1Char('\n'));
            break;
        case 't':
            out.append(QLatin1Char('\t'));
            break;
        case 'r':
            out.append(QLatin1Char('\r'));
            break;
        case '\\':
            out.append(QLatin1Char('\\'));
            break;
        default:
            out.append(c);
            out.append(next);
            break;
        }
        ++i;
    }
    return out;
}

QString EscapeString(const QString& value) {
    QString out;
    out.reserve(value.size() + 8);
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            out.append(QStringLiteral("\\\\"));
            break;
        case '\n':
            out.append(QStringLiteral("\\n"));
            break;
        case '\t':
            out.append(QStringLiteral("\\t"));
            break;
        case '\r':
            out.append(QStringLiteral("\\r"));
            break;
        default:
            out.append(c);
            break;
        }
    }
    return out;
}

// The keys of the main group of the entry file at `path` (localised keys left out), with
// their raw values; empty when the file cannot be read.
QMap<QString, QString> MainGroup(const QString& path) {
    QMap<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MAX_ENTRY_BYTES) {
        return keys;
    }
    const QStringList lines =
        QString::fromUtf8(file.read(MAX_ENTRY_BYTES)).split(QLatin1Char('\n'));
    bool inMain = false;
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        if (line.startsWith(QLatin1Char('['))) {
            inMain = line.trimmed() == MAIN_GROUP;
            continue;
        }
        if (!inMain || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            continue;
        }
        const QString key = line.left(equals).trimmed();
        if (key.contains(QLatin1Char('[')) || keys.contains(key)) {
            continue; // a localised key, or a repeat (the first one counts)
        }
        // Blanks around the equals sign do not belong to the value.
        QString value = line.mid(equals + 1);
        while (value.startsWith(QLatin1Char(' ')) || value.startsWith(QLatin1Char('\t'))) {
            value.remove(0, 1);
        }
        keys.insert(key, value);
    }
    return keys;
}

// Why `folder` could not be made: the nearest part of its path that exists is a file, or
// it is a folder that does not let this user make one inside it.
QString FolderReason(const QString& folder) {
    QString path = QDir::cleanPath(folder);
    while (!QFileInfo::exists(path) && path != QFileInfo(path).path()) {
        path = QFileInfo(path).path();
    }
    if (!QFileInfo(path).isDir()) {
        return QStringLiteral("%1 is a file, not a folder").arg(path);
    }
    return QStringLiteral("%1 does not let a folder be made in it").arg(path);
}

} // namespace

Autostart::Autostart(QString configHome, QString executable)
    : configHome_(std::move(configHome)), executable_(std::move(executable)) {}

QString Autostart::ConfigHomeFromEnvironment() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) {
        return QDir::cleanPath(xdg);
    }
    return QDir::homePath() + QStringLiteral("/.config");
}

Autostart Autostart::ForThisProgram() {
    return Autostart(ConfigHomeFromEnvironment(), QCoreApplication::applicationFilePath());
}

QString Autostart::Folder() const {
    return configHome_ + QStringLiteral("/autostart");
}

QString Autostart::EntryPath() const {
    return Folder() + QLatin1Char('/') + QLatin1String(AUTOSTART_ENTRY_NAME);
}

bool Autostart::IsOn() const {
    const QString path = EntryPath();
    if (!FileExists(path)) {
        return false;
    }
    const QMap<QString, QString> keys = MainGroup(path);
    return keys.value(QStringLiteral("Hidden")) != QLatin1String("true") &&
           keys.value(QStringLiteral("X-GNOME-Autostart-enabled")) != QLatin1String("false");
}

QByteArray Autostart::EntryText() const {
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Moonleaf\n"
                                        "Exec=%1\n"
                                        "Icon=io.github.moonleaf.Moonleaf\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(DesktopExecValue(executable_));
    return text.toUtf8();
}

AutostartResult Autostart::Write() const {
    const QString folder = Folder();
    if (!QDir().mkpath(folder)) {
        return {AutostartStep::CreateFolder, folder, FolderReason(folder)};
    }
    QSaveFile file(EntryPath());
    const QByteArray text = EntryText();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        file.cancelWriting();
        return {AutostartStep::WriteEntry, EntryPath(), file.errorString()};
    }
    return {};
}

AutostartResult Autostart::Remove() const {
    const QString path = EntryPath();
    if (!FileExists(path)) {
        return {};
    }
    QFile file(path);
    if (!file.remove()) {
        return {AutostartStep::DeleteEntry, path, file.errorString()};
    }
    return {};
}

bool FileExists(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QString xGetTargetPath(const QString& path) {
    if (!path.endsWith(DESKTOP_SUFFIX, Qt::CaseSensitive)) {
        return QStringLiteral("unknown");
    }
    return DesktopExecProgram(MainGroup(path).value(QStringLiteral("Exec")));
}

QString DesktopExecValue(const QString& program) {
    const bool quoted =
        program.isEmpty() || std::any_of(program.begin(), program.end(), IsReserved);
    QString argument;
    if (quoted) {
        argument.append(QLatin1Char('"'));
    }
    for (const QChar c : program) {
        if (quoted && NeedsQuoteEscape(c)) {
            argument.append(QLatin1Char('\\'));
        }
        argument.append(c);
        if (c == QLatin1Char('%')) {
            argument.append(QLatin1Char('%')); // a literal percent sign, not a field code
        }
    }
    if (quoted) {
        argument.append(QLatin1Char('"'));
    }
    return EscapeString(argument);
}

QString DesktopExecProgram(const QString& value) {
    const QString exec = UnescapeString(value);
    qsizetype i = 0;
    while (i < exec.size() && (exec.at(i) == QLatin1Char(' ') || exec.at(i) == QLatin1Char('\t'))) {
        ++i;
    }
    QString program;
    if (i < exec.size() && exec.at(i) == QLatin1Char('"')) {
        for (++i; i < exec.size() && exec.at(i) != QLatin1Char('"'); ++i) {
            if (exec.at(i) == QLatin1Char('\\') && i + 1 < exec.size() &&
                NeedsQuoteEscape(exec.at(i + 1))) {
                ++i;
            }
            program.append(exec.at(i));
        }
    } else {
        for (; i < exec.size() && !exec.at(i).isSpace(); ++i) {
            program.append(exec.at(i));
        }
    }
    return program.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

} // namespace moonleaf
