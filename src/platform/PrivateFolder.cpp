// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace moonleaf {
namespace {

constexpr mode_t PRIVATE_MODE = 0700; // read, write and enter for the owner only

// Makes `path` the private folder if it can be: creates it with mode 0700 when it is
// missing, then accepts it only when it is a real folder (a link is refused, not followed)
// owned by this user. A wider or narrower mode on a folder of our own is set back to 0700.
// The checks and the mode change go through one descriptor opened without following links,
// so the folder cannot be swapped for another between the check and the change.
bool MakePrivate(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), PRIVATE_MODE) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat link {};
    if (::lstat(native.constData(), &link) != 0 || !S_ISDIR(link.st_mode)) {
        return false; // missing, a link, or not a folder
    }
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    bool usable = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) && info.st_dev == link.st_dev &&
                  info.st_ino == link.st_ino && info.st_uid == ::geteuid();
    if (usable && (info.st_mode & 07777) != PRIVATE_MODE) {
        usable = ::fchmod(fd, PRIVATE_MODE) == 0;
    }
    ::close(fd);
    return usable;
}

// "<base>/moonleaf/" when `base` is an absolute path under which the private folder can be
// made, otherwise empty.
QString FolderUnder(const QString& base) {
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) {
        return {};
    }
    const QString path = QDir::cleanPath(base + QStringLiteral("/moonleaf"));
    return MakePrivate(path) ? path + QLatin1Char('/') : QString();
}

// Qt's runtime location. Qt takes XDG_RUNTIME_DIR as it is when it is set, also when it is
// not an absolute path; such a value is hidden from Qt while it is asked, so that Qt answers
// with its own fallback folder.
QString QtRuntimeLocation(const QByteArray& xdg) {
    const bool hide = !xdg.isNull() && !QDir::isAbsolutePath(QFile::decodeName(xdg));
    if (hide) {
        qunsetenv("XDG_RUNTIME_DIR");
    }
    QString location = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (hide) {
        qputenv("XDG_RUNTIME_DIR", xdg);
    }
    return location;
}

} // namespace

QString PrivateFolder() {
    const QByteArray xdg = qgetenv("XDG_RUNTIME_DIR");
    QString folder = FolderUnder(QFile::decodeName(xdg));
    if (folder.isEmpty()) {
        folder = FolderUnder(QtRuntimeLocation(xdg));
    }
    return folder;
}

} // namespace moonleaf
