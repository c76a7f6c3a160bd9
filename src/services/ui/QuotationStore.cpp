// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/ui/QuotationStore.h"

#include <QFile>
#include <QFileDevice>
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

QString QuotationStore::LineOf(const QByteArray& bytes, std::int32_t n) {
    if (n < 1) {
        return {};
    }
    QStringDecoder decode(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
    const QString text = decode(bytes.startsWith("\xFF\xFE") ? bytes.mid(2) : bytes);
    // Walk the CR LF pairs up to line n; the program keeps no index of line offsets.
    qsizetype start = 0;
    for (std::int32_t line = 1; line < n; ++line) {
        const qsizetype end = text.indexOf(QStringLiteral("\r\n"), start);
        if (end < 0) {
            return {};
        }
        start = end + 2;
    }
    const qsizetype end = text.indexOf(QStringLiteral("\r\n"), start);
    return text.mid(start, end < 0 ? -1 : end - start);
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
