// SPDX-License-Identifier: GPL-3.0-or-later
// The options dialog on the offscreen platform: its place below the restore tab, the box
// that is the autostart entry's presence, the repair on opening, and what it says when the
// entry cannot be written or deleted.
#include "services/ui/frmSet.h"

#include "controls/xLabel.h"
#include "design/DesignUnits.h"
#include "platform/Autostart.h"
#include "services/ui/frmSetDesign.h"
#include "services/ui/frmSpy.h"
#include "support/Fakes.h"
#include "support/TestSupport.h"
#include "text/ui/UniMsgBox.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <unistd.h>

namespace moonleaf {
namespace {

using testing::FakeServices;

class frmSetTest : public ::testing::Test {
protected:
    FakeServices fakes{LocalTime{{8, 12, 2026}, 9, 30, 0, 0},
                       QStringLiteral("/opt/Moon Leaf/bin/moonleaf")};
    Services services = fakes.Get();
    const Autostart& autostart = fakes.autostart;
    QPointer<frmSet> dialog = new frmSet(services);

    ~frmSetTest() override { delete dialog.data(); }

    QCheckBox* Box() const { return dialog->findChild<QCheckBox*>(QStringLiteral("Check1")); }
    void Open() { dialog->ShowOrRaise(nullptr); }
    // A click on the box's square, as the user ticks or clears it.
    void ClickBox() { testing::Mouse::Click(Box(), QPoint(8, Box()->height() / 2)); }

    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void PutEntry(const QByteArray& text) {
        ASSERT_TRUE(QDir().mkpath(autostart.Folder()));
        QFile file(autostart.EntryPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray EntryFor(const char* exec) const {
        return QByteArray("[Desktop Entry]\nType=Application\nName=Moonleaf\nExec=") + exec + '\n';
    }
    // Every name in the autostart folder, hidden ones too.
    QStringList FolderContents() const {
        return QDir(autostart.Folder())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    // The notice the dialog gave, if it gave one.
    static std::optional<AnsweredMessage> Notice() { return TakeAnsweredMessage(); }
};

TEST_F(frmSetTest, OpensCentredBelowTheTabWithItsElements) {
    frmSpy tab(services);
    tab.Form_Load();
    tab.show();
    dialog->ShowOrRaise(&tab);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // Top: the tab's top plus its width (465 twips); centred on the screen.
    EXPECT_EQ(dialog->frameGeometry().top(), tab.frameGeometry().top() + 31);
    EXPECT_EQ(dialog->frameGeometry().left(),
              screen.left() + TwipsToPixels((screen.width() * 15.0 - 4065) / 2));
    EXPECT_EQ(dialog->size(), QSize(271, 40));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Moonleaf - Options"));
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(fakes.traits.ToolWindows, std::vector<QWidget*>{dialog.data()});
    testing::ExpectBuiltAsDesigned(dialog, SetDesign());
    EXPECT_EQ(dialog->findChild<xLabel*>(QStringLiteral("xLabel1"))->Caption(),
              QStringLiteral("Tự động khởi động cùng windows."));
    ClickBox();
    testing::SaveTestImage(QStringLiteral("frmSet-ticked"), testing::Render(dialog));
}

TEST_F(frmSetTest, WithoutAnEntryTheBoxIsClearAndNothingIsWritten) {
    Open();
    EXPECT_FALSE(Box()->isChecked());
    EXPECT_FALSE(QFileInfo::exists(autostart.Folder()));
}

TEST_F(frmSetTest, AnEntryForAnotherProgramIsRepairedAndTicksTheBox) {
    PutEntry(EntryFor("/usr/local/bin/other-calendar --daemon"));
    Open();
    EXPECT_TRUE(Box()->isChecked());
    EXPECT_EQ(Read(autostart.EntryPath()), autostart.EntryText());
    EXPECT_EQ(xGetTargetPath(autostart.EntryPath()), autostart.Executable());
}

TEST_F(frmSetTest, ACorrectEntryIsWrittenAgainThroughTheBox) {
    PutEntry(EntryFor("\"/opt/Moon Leaf/bin/moonleaf\"") + "Comment=left by hand\n");
    Open();
    EXPECT_TRUE(Box()->isChecked());
    EXPECT_EQ(Read(autostart.EntryPath()), autostart.EntryText());
    EXPECT_FALSE(Notice().has_value());
}

TEST_F(frmSetTest, TickingWritesTheEntryAndClearingDeletesIt) {
    Open();
    ClickBox();
    EXPECT_TRUE(Box()->isChecked());
    EXPECT_EQ(Read(autostart.EntryPath()), autostart.EntryText());
    ClickBox();
    EXPECT_FALSE(Box()->isChecked());
    EXPECT_EQ(FolderContents(), QStringList());
    // Removed by other means meanwhile: clearing the box does nothing and says nothing.
    ClickBox();
    ASSERT_TRUE(QFile::remove(autostart.EntryPath()));
    ClickBox();
    EXPECT_FALSE(Box()->isChecked());
    EXPECT_FALSE(Notice().has_value());
}

TEST_F(frmSetTest, AnEntryTheUserDisabledCountsAsAbsent) {
    const QByteArray disabled = autostart.EntryText() + "Hidden=true\n";
    PutEntry(disabled);
    Open();
    EXPECT_FALSE(Box()->isChecked());
    EXPECT_EQ(Read(autostart.EntryPath()), disabled);
    ClickBox();
    EXPECT_EQ(Read(autostart.EntryPath()), autostart.EntryText());
    EXPECT_TRUE(autostart.IsOn());
}

TEST_F(frmSetTest, AFileWhereTheFolderShouldBeGivesOneNotice) {
    QFile blocker(autostart.Folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a folder");
    blocker.close();
    Open();
    SetNextUniMsgBoxAnswer(1);
    ClickBox();
    const std::optional<AnsweredMessage> notice = Notice();
    ASSERT_TRUE(notice.has_value());
    EXPECT_TRUE(notice->Text.startsWith(QStringLiteral("Không tạo được thư mục tự khởi động")))
        << notice->Text.toStdString();
    EXPECT_EQ(notice->Title, QStringLiteral("Moonleaf - Thông báo!"));
    EXPECT_EQ(notice->Style, 48U);
    EXPECT_FALSE(Box()->isChecked());
    EXPECT_EQ(Read(autostart.Folder()), QByteArray("not a folder"));
}

TEST_F(frmSetTest, AFolderWhereTheEntryShouldBeLeavesNoPartialFile) {
    ASSERT_TRUE(QDir().mkpath(autostart.EntryPath()));
    Open();
    EXPECT_FALSE(Box()->isChecked());
    SetNextUniMsgBoxAnswer(1);
    ClickBox();
    const std::optional<AnsweredMessage> notice = Notice();
    ASSERT_TRUE(notice.has_value());
    EXPECT_TRUE(notice->Text.startsWith(QStringLiteral("Không ghi được mục tự khởi động")));
    EXPECT_FALSE(Box()->isChecked());
    EXPECT_EQ(FolderContents(), QStringList{QString::fromLatin1(AUTOSTART_ENTRY_NAME)});
}

TEST_F(frmSetTest, AReadOnlyFolderGivesOneNoticeAndShowsTheEntryAsItIs) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    const QByteArray old = EntryFor("/usr/bin/old-moonleaf");
    PutEntry(old);
    // The folder is made writable again whatever happens, so it can be removed.
    const struct Writable {
        QString folder;
        ~Writable() {
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        }
    } writable{autostart.Folder()};
    QFile::setPermissions(autostart.Folder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    SetNextUniMsgBoxAnswer(1);
    Open(); // the repair fails: one notice, the entry is there, so the box is ticked
    EXPECT_TRUE(Notice().has_value());
    EXPECT_TRUE(Box()->isChecked());
    EXPECT_EQ(Read(autostart.EntryPath()), old);
    SetNextUniMsgBoxAnswer(1);
    ClickBox();
    const std::optional<AnsweredMessage> notice = Notice();
    ASSERT_TRUE(notice.has_value());
    EXPECT_TRUE(notice->Text.startsWith(QStringLiteral("Không xóa được mục tự khởi động")));
    EXPECT_TRUE(Box()->isChecked());
    EXPECT_EQ(FolderContents(), QStringList{QString::fromLatin1(AUTOSTART_ENTRY_NAME)});
}

TEST_F(frmSetTest, UnloadClosesAndDeletesTheDialog) {
    Open();
    QSignalSpy unloaded(dialog.data(), &frmSet::Unloaded);
    dialog->Unload();
    EXPECT_EQ(unloaded.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

} // namespace
} // namespace moonleaf
