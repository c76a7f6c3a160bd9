// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace moonleaf {

// The quotation list the program carries, and its copy in the user's private folder: the
// file "999", written at start-up, read one line per draw and deleted at exit.
//
// The list is UTF-16LE text with a byte-order mark, CR LF between lines and U+0000 after the
// last line. The copy is always written whole and fresh (a new file renamed into place, so
// nothing of an older, longer file survives and a link planted under the name is replaced,
// never followed). When the copy cannot be written or read, lines come from the list the
// program carries, so the quotation area keeps working.
class QuotationStore {
public:
    // `folder` is the private folder, ending in '/'; empty means there is none.
    explicit QuotationStore(QString folder);

    // The file's path (the folder followed by "999"); empty without a folder.
    QString Path() const;

    // Writes the copy. False when it could not be written (no folder, disk full ...).
    bool LoadDN();

    // The text of line n (1-based) without its line end: read from the copy, or from the
    // carried list when the copy cannot be opened. Empty past the last line or for n < 1.
    QString ReadDNLine(std::int32_t n) const;

    // Deletes the copy; a failure is ignored.
    void Remove();

    // The list's bytes as the program carries them.
    static const QByteArray& Embedded();

    // Line n of a list in the stored format (BOM, UTF-16LE, CR LF); empty past the end.
    static QString LineOf(const QByteArray& bytes, std::int32_t n);

private:
    QString folder_;
};

} // namespace moonleaf
