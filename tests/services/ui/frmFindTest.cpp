// SPDX-License-Identifier: GPL-3.0-or-later
// The lookup dialog on the offscreen platform: its elements, the lists' rules on a change of
// month or year, the lookup and its notice, a second opening and the close button.
#include "services/ui/frmFind.h"

#include "controls/xButton.h"
#include "controls/xLabel.h"
#include "design/DesignUnits.h"
#include "services/DateLookup.h"
#include "services/ui/frmFindDesign.h"
#include "support/Fakes.h"
#include "support/TestSupport.h"
#include "text/ui/UniMsgBox.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

using testing::FakeServices;

constexpr int SHORT_HEIGHT = 119; // 1785 twips
constexpr int TALL_HEIGHT = 220;  // 3300 twips, frame included

class frmFindTest : public ::testing::Test {
protected:
    FakeServices fakes{LocalTime{{15, 8, 2008}, 9, 30, 0, 0}};
    Services services = fakes.Get();
    QPointer<frmFind> dialog = new frmFind(services);

    ~frmFindTest() override { delete dialog.data(); }

    QComboBox* List(const char* name) const {
        return dialog->findChild<QComboBox*>(QString::fromLatin1(name));
    }
    QString Text(const char* list) const { return List(list)->currentText(); }
    // Selects the entry `text` of `list`, as a choice in the list does.
    void Choose(const char* list, const QString& text) {
        QComboBox* box = List(list);
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
    }
    void ChooseDate(int day, int month, int year) {
        Choose("cbNam", QString::number(year));
        Choose("cbThang", QString::number(month));
        Choose("cbNgay", QString::number(day));
    }
    QString Line(const char* name) const {
        return dialog->findChild<xLabel*>(QString::fromLatin1(name))->Caption();
    }
    QStringList Lines() const {
        return {Line("lbDuong"), Line("lbAm"), Line("lbStr"), Line("lbGio")};
    }
    void Lookup() {
        auto* button = dialog->findChild<xButton*>(QStringLiteral("xButton1"));
        testing::Mouse::Click(button, button->rect().center());
    }
    static QStringList Expected(int day, int month, int year) {
        const LookupLines lines = ComposeLookup(QString::number(day).toStdU16String(),
                                                QString::number(month).toStdU16String(),
                                                QString::number(year).toStdU16String());
        return {QString::fromStdU16String(lines.lbDuong), QString::fromStdU16String(lines.lbAm),
                QString::fromStdU16String(lines.lbStr), QString::fromStdU16String(lines.lbGio)};
    }
};

TEST_F(frmFindTest, OpensShortWithTodaySelectedAndEveryElementInPlace) {
    dialog->ShowOrRaise();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Moonleaf - Tìm ngày âm"));
    EXPECT_EQ(dialog->size(), QSize(271, SHORT_HEIGHT));
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(dialog->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(fakes.traits.ToolWindows, std::vector<QWidget*>{dialog.data()});
    testing::ExpectBuiltAsDesigned(dialog, FindDesign());
    // The result lines lie below the client area until a lookup.
    EXPECT_GE(dialog->findChild<QWidget*>(QStringLiteral("lbDuong"))->y(), dialog->height());
    EXPECT_EQ(dialog->findChild<xLabel*>(QStringLiteral("xLabel1"))->Caption(),
              QStringLiteral("Chọn ngày dương lịch:"));
    EXPECT_EQ(dialog->findChild<xLabel*>(QStringLiteral("xLabel2"))->Caption(),
              QStringLiteral("Năm"));
    EXPECT_EQ(dialog->findChild<xButton*>(QStringLiteral("xButton2"))->Caption(),
              QStringLiteral("Đóng"));
    EXPECT_EQ(List("cbNam")->count(), 201);
    EXPECT_EQ(List("cbNam")->itemText(0), QStringLiteral("1900"));
    EXPECT_EQ(List("cbNam")->itemText(200), QStringLiteral("2100"));
    EXPECT_EQ(List("cbThang")->count(), 12);
    EXPECT_EQ(List("cbNgay")->count(), 31);
    EXPECT_EQ((QStringList{Text("cbNgay"), Text("cbThang"), Text("cbNam")}),
              (QStringList{"15", "8", "2008"}));
}

TEST_F(frmFindTest, ADayTheNewMonthLacksFallsBackToDay1) {
    dialog->ShowOrRaise();
    ChooseDate(31, 1, 2025);
    Choose("cbThang", QStringLiteral("4"));
    EXPECT_EQ(List("cbNgay")->count(), 30);
    EXPECT_EQ(Text("cbNgay"), QStringLiteral("1"));
    // A day the new month has is kept, also when the user moves the month with the keys.
    Choose("cbNgay", QStringLiteral("30"));
    List("cbThang")->setFocus();
    QTest::keyClick(List("cbThang"), Qt::Key_Down);
    EXPECT_EQ(Text("cbThang"), QStringLiteral("5"));
    EXPECT_EQ(List("cbNgay")->count(), 31);
    EXPECT_EQ(Text("cbNgay"), QStringLiteral("30"));
}

TEST_F(frmFindTest, LeapDayThroughACommonYearAndBack) {
    dialog->ShowOrRaise();
    ChooseDate(29, 2, 2008);
    Choose("cbNam", QStringLiteral("2009"));
    EXPECT_EQ(List("cbNgay")->count(), 28);
    EXPECT_EQ(Text("cbNgay"), QStringLiteral("1"));
    Choose("cbNam", QStringLiteral("2008"));
    EXPECT_EQ(List("cbNgay")->count(), 29);
    EXPECT_EQ(Text("cbNgay"), QStringLiteral("1"));
}

TEST_F(frmFindTest, FebruaryOfTheCenturyYears) {
    dialog->ShowOrRaise();
    Choose("cbThang", QStringLiteral("2"));
    for (const auto& [year, days] : {std::pair{1900, 28}, {2000, 29}, {2100, 28}}) {
        Choose("cbNam", QString::number(year));
        EXPECT_EQ(List("cbNgay")->count(), days) << year;
    }
}

TEST_F(frmFindTest, LookupsFillTheTallDialogAndAnIncompleteDateOnlyGivesTheNotice) {
    dialog->ShowOrRaise();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    Lookup();
    EXPECT_EQ(dialog->frameGeometry().height(), TALL_HEIGHT);
    EXPECT_EQ(Lines(), (QStringList{"Ngày 15, tháng 8, năm 2008 dương lịch nhằm :",
                                    "Ngày 15, tháng 7, năm 2008 âm lịch, tức:",
                                    "Ngày Đinh Hợi, tháng Canh Thân, năm Mậu Tý",
                                    "15-7- 2008 (Giờ Canh Tý)"}));
    testing::SaveTestImage(QStringLiteral("frmFind-tall"), testing::Render(dialog));
    ChooseDate(1, 1, 1900);
    Lookup();
    EXPECT_EQ(Lines(), Expected(1, 1, 1900));
    for (int i = 0; i < 4; ++i) {
        EXPECT_NE(Lines().at(i), Expected(15, 8, 2008).at(i)) << i;
    }
    EXPECT_EQ(dialog->frameGeometry().height(), TALL_HEIGHT);
    // A lookup without a day gives the notice and keeps the lines.
    List("cbNgay")->setCurrentIndex(-1);
    SetNextUniMsgBoxAnswer(1);
    Lookup();
    const std::optional<AnsweredMessage> notice = TakeAnsweredMessage();
    ASSERT_TRUE(notice.has_value());
    EXPECT_EQ(notice->Text, QStringLiteral("Bạn cần chọn ngày, tháng, năm đầy đủ!"));
    EXPECT_EQ(notice->Title, QStringLiteral("Thông báo!"));
    EXPECT_EQ(notice->Style, 16U);
    EXPECT_EQ(Lines(), Expected(1, 1, 1900));
}

TEST_F(frmFindTest, ASecondOpeningKeepsSelectionHeightAndLines) {
    dialog->ShowOrRaise();
    ChooseDate(3, 3, 2003);
    Lookup();
    const QStringList lines = Lines();
    fakes.clock.AdvanceDay();
    dialog->ShowOrRaise();
    EXPECT_EQ((QStringList{Text("cbNgay"), Text("cbThang"), Text("cbNam")}),
              (QStringList{"3", "3", "2003"}));
    EXPECT_EQ(List("cbThang")->count(), 12); // the lists were not filled again
    EXPECT_EQ(Lines(), lines);
    EXPECT_EQ(dialog->frameGeometry().height(), TALL_HEIGHT);
}

class frmFindOutOfRangeTest : public frmFindTest, public ::testing::WithParamInterface<int> {};

TEST_P(frmFindOutOfRangeTest, OpensWithNoYearAndStaysUsable) {
    fakes.clock.Set(LocalTime{{20, 6, static_cast<double>(GetParam())}, 9, 0, 0, 0});
    dialog->ShowOrRaise();
    EXPECT_EQ(Text("cbNam"), QString());
    EXPECT_EQ(Text("cbThang"), QString());
    EXPECT_EQ(List("cbThang")->count(), 12);
    EXPECT_EQ(List("cbNgay")->count(), 0);
    SetNextUniMsgBoxAnswer(1);
    Lookup();
    EXPECT_TRUE(TakeAnsweredMessage().has_value());
    EXPECT_EQ(dialog->height(), SHORT_HEIGHT);
    // A month, then a year, fill the day list with today's day kept.
    Choose("cbThang", QStringLiteral("6"));
    EXPECT_EQ(List("cbNgay")->count(), 0);
    Choose("cbNam", QStringLiteral("2100"));
    EXPECT_EQ(List("cbNgay")->count(), 30);
    EXPECT_EQ(Text("cbNgay"), QStringLiteral("20"));
    Lookup();
    EXPECT_FALSE(TakeAnsweredMessage().has_value());
    EXPECT_EQ(Lines(), Expected(20, 6, 2100));
}

INSTANTIATE_TEST_SUITE_P(Years, frmFindOutOfRangeTest, ::testing::Values(1899, 2101),
                         [](const ::testing::TestParamInfo<int>& year) {
                             return "year" + std::to_string(year.param);
                         });

TEST_F(frmFindTest, CloseButtonUnloadsTheDialog) {
    dialog->ShowOrRaise();
    QSignalSpy unloaded(dialog.data(), &frmFind::Unloaded);
    auto* close = dialog->findChild<xButton*>(QStringLiteral("xButton2"));
    testing::Mouse::Click(close, close->rect().center());
    EXPECT_EQ(unloaded.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

} // namespace
} // namespace moonleaf
