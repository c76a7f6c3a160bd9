// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/ui/QuotationStore.h"

#include <QFile>
#include <QFileDevice>
#include <QResource>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <cstdio>
#include <utility>

namespace moonleaf {
namespace {

constexpr const char* FILE_NAME = "999";
constexpr const char* RESOURCE_PATH = ":/quotations/999";

} // namespace

QuotationStore::QuotationStore(QString folder) : folder_(std::move(folder)) {}

QString QuotationStore::Path() const {
    return folder_.isEmpty() ? QString() : folder_ + QString::fromLatin1(FILE_NAME);
}

const QByteArray& QuotationStore::Embedded() {
    static const QByteArray bytes = [] {
        // The list is stored uncompressed in the program: read it where it lies.
        const QResource stored(QString::fromLatin1(RESOURCE_PATH));
        if (stored.isValid() && stored.compressionAlgorithm() == QResource::NoCompression) {
            return QByteArray::fromRawData(reinterpret_cast<const char*>(stored.data()),
                                           static_cast<qsizetype>(stored.size()));
        }
        QFile resource(QString::fromLatin1(RESOURCE_PATH));
        return resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray();
    }();
    return bytes;
}

bool QuotationStore::LoadDN() {
    if (folder_.isEmpty() || Embedded().isEmpty()) {
        return false;
    }
    // A new file under a fresh name (created exclusively, never through an existing link),
    // written whole, then renamed over the old name: the rename replaces whatever stood
    // there, a longer file or a link alike.
    QTemporaryFile fresh(folder_ + QStringLiteral("999.XXXXXX"));
    if (!fresh.open()) {
        return false;
    }
    const QByteArray& bytes = Embedded();
    if (fresh.write(bytes) != bytes.size() || !fresh.flush()) {
        return false;
    }
    fresh.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    fresh.close();
    const QByteArray from = QFile::encodeName(fresh.fileName());
    const QByteArray to = QFile::encodeName(Path());
    if (std::rename(from.constData(), to.constData()) != 0) {
        return false;
    }
    fresh.setAutoRemove(false); // it has become the copy
    return true;
}

namespace {

// The byte offset of the next CR LF code-unit pair at or after `from`, in UTF-16LE text that
// starts at `origin`; -1 when there is none. A pair starts on a whole code unit only.
qsizetype NextLineEnd(QByteArrayView bytes, qsizetype origin, qsizetype from) {
    static constexpr char CR_LF[] = {'\r', '\0', '\n', '\0'};
    const QByteArrayView pair(CR_LF, sizeof CR_LF);
    for (qsizetype at = bytes.indexOf(pair, from); at >= 0; at = bytes.indexOf(pair, at + 1)) {
        if ((at - origin) % 2 == 0) {
            return at;
        }
    }
    return -1;
}

} // namespace

QString QuotationStore::LineOf(const QByteArray& bytes, std::int32_t n) {
    if (n < 1) {
        return {};
    }
    // Walk the CR LF pairs up to line n in the stored bytes and decode that line alone; the
    // program keeps no index of line offsets, and a draw should not decode the whole list.
    const qsizetype origin = bytes.startsWith("\xFF\xFE") ? 2 : 0;
    qsizetype start = origin;
    for (std::int32_t line = 1; line < n; ++line) {
        const qsizetype end = NextLineEnd(bytes, origin, start);
        if (end < 0) {
            return {};
        }
        start = end + 4;
    }
    const qsizetype end = NextLineEnd(bytes, origin, start);
    QStringDecoder decode(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
    return decode(QByteArrayView(bytes).sliced(start, (end < 0 ? bytes.size() : end) - start));
}

QString QuotationStore::ReadDNLine(std::int32_t n) const {
    // Each draw opens the copy anew, as a reader outside the program would see it.
    QFile copy(Path());
    if (!Path().isEmpty() && copy.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = copy.readAll();
        if (bytes.startsWith("\xFF\xFE")) {
            return LineOf(bytes, n);
        }
    }
    return LineOf(Embedded(), n);
}

void QuotationStore::Remove() {
    if (!Path().isEmpty()) {
        QFile::remove(Path());
    }
}

} // namespace moonleaf
