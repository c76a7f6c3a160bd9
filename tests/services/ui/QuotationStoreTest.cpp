// SPDX-License-Identifier: GPL-3.0-or-later
// The quotation file in the private folder: written whole and fresh, never through a link,
// read line by line, and replaced by the carried list when it is gone.
#include "services/ui/QuotationStore.h"

#include "services/QuotationRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace moonleaf {
namespace {

class QuotationStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder = dir.path() + QLatin1Char('/');
    QuotationStore store{folder};

    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(QuotationStoreTest, CarriedListHasTheStoredFormat) {
    const QByteArray& bytes = QuotationStore::Embedded();
    ASSERT_TRUE(bytes.startsWith("\xFF\xFE"));
    EXPECT_TRUE(bytes.endsWith(QByteArray("\0\0", 2)));
    EXPECT_FALSE(QuotationStore::LineOf(bytes, QUOTATION_LINES).isEmpty());
    EXPECT_TRUE(QuotationStore::LineOf(bytes, QUOTATION_LINES + 1).isEmpty());
    EXPECT_TRUE(QuotationStore::LineOf(bytes, 0).isEmpty());
    EXPECT_TRUE(QuotationStore::LineOf(bytes, -5).isEmpty());
    EXPECT_FALSE(QuotationStore::LineOf(bytes, 1).contains(QLatin1Char('\r')));
}

// Lines end at CR LF code units only: the same four bytes across two code units (here
// U+0D41 U+0A00) are part of a line, and each line is decoded as a whole list would be.
TEST(QuotationLines, OnlyWholeCodeUnitsEndALine) {
    const QString first = QStringLiteral("a") + QChar(0x0D41) + QChar(0x0A00) + QChar(0x4100) +
                          QStringLiteral("ạ");
    const QString text = first + QStringLiteral("\r\nCông cha như núi Thái Sơn\r\n");
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    ASSERT_NE(bytes.indexOf(QByteArray("\r\0\n\0", 4)) % 2, 0); // the trap is there
    EXPECT_EQ(QuotationStore::LineOf(bytes, 1), first);
    EXPECT_EQ(QuotationStore::LineOf(bytes, 2), QStringLiteral("Công cha như núi Thái Sơn"));
    EXPECT_TRUE(QuotationStore::LineOf(bytes, 3).isEmpty());
    // Without the final line break the last line runs to the end; an odd last byte decodes
    // to a replacement character, as in the whole list.
    bytes.chop(4);
    bytes.append('x');
    EXPECT_EQ(QuotationStore::LineOf(bytes, 2),
              QStringLiteral("Công cha như núi Thái Sơn") + QChar(QChar::ReplacementCharacter));
}

TEST_F(QuotationStoreTest, WritesTheWholeListAsFile999) {
    ASSERT_TRUE(store.LoadDN());
    EXPECT_EQ(store.Path(), folder + QStringLiteral("999"));
    EXPECT_EQ(Read(store.Path()), QuotationStore::Embedded());
    EXPECT_EQ(QFileInfo(store.Path()).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
              QFileDevice::Permissions());
    EXPECT_EQ(store.ReadDNLine(1), QuotationStore::LineOf(QuotationStore::Embedded(), 1));
    EXPECT_EQ(store.ReadDNLine(2358), QuotationStore::LineOf(QuotationStore::Embedded(), 2358));
    // Nothing but the file is left in the folder (no temporary name behind it).
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("999")});
}

TEST_F(QuotationStoreTest, ALongerOldFileLeavesNoTail) {
    QFile old(store.Path());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QuotationStore::Embedded());
    old.write(QByteArray(5000, 'x'));
    old.close();
    ASSERT_TRUE(store.LoadDN());
    EXPECT_EQ(Read(store.Path()), QuotationStore::Embedded());
}

TEST_F(QuotationStoreTest, APlantedLinkIsReplacedNotFollowed) {
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.path() + QStringLiteral("/victim");
    QFile target(victim);
    ASSERT_TRUE(target.open(QIODevice::WriteOnly));
    target.write("precious");
    target.close();
    ASSERT_TRUE(QFile::link(victim, store.Path()));
    ASSERT_TRUE(store.LoadDN());
    EXPECT_EQ(Read(victim), QByteArray("precious"));
    EXPECT_FALSE(QFileInfo(store.Path()).isSymLink());
    EXPECT_EQ(Read(store.Path()), QuotationStore::Embedded());
}

TEST_F(QuotationStoreTest, RemoveDeletesTheFileAndAMissingFileStillGivesLines) {
    ASSERT_TRUE(store.LoadDN());
    store.Remove();
    EXPECT_FALSE(QFile::exists(store.Path()));
    store.Remove(); // nothing there: no harm
    EXPECT_EQ(store.ReadDNLine(7), QuotationStore::LineOf(QuotationStore::Embedded(), 7));
}

TEST_F(QuotationStoreTest, AnUnwritableFolderFailsQuietly) {
    QuotationStore nowhere(dir.path() + QStringLiteral("/missing/"));
    EXPECT_FALSE(nowhere.LoadDN());
    EXPECT_FALSE(nowhere.ReadDNLine(3).isEmpty());
    QuotationStore none{QString()};
    EXPECT_FALSE(none.LoadDN());
    EXPECT_TRUE(none.Path().isEmpty());
    EXPECT_FALSE(none.ReadDNLine(3).isEmpty());
    // A folder the user cannot write to.
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0500), 0);
    if (::access(QFile::encodeName(dir.path()).constData(), W_OK) != 0) { // not as root
        EXPECT_FALSE(store.LoadDN());
    }
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
}

} // namespace
} // namespace moonleaf
