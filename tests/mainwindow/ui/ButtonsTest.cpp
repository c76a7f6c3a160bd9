// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's buttons that open messages and dialogs: information and the screen
// effect, usage help, the lookup dialog and the options dialog.
#include "mainwindow/ui/frmMain.h"

#include "LoadedMainWindow.h"

#include "controls/xButton.h"
#include "services/ui/QuotationStore.h"
#include "services/ui/frmEff.h"
#include "services/ui/frmFind.h"
#include "services/ui/frmSet.h"
#include "services/ui/frmSpy.h"
#include "support/Fakes.h"
#include "support/TestSupport.h"
#include "text/ui/UniMsgBox.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

namespace moonleaf {
namespace {


class ButtonsTest : public testing::LoadedMainWindow {
protected:
    xButton* Button(const char* name) {
        return form->findChild<xButton*>(QString::fromLatin1(name));
    }
};

TEST_F(ButtonsTest, InformationThenTheScreenEffectUntilItIsEnded) {
    fakes.capture.Picture = QImage(64, 48, QImage::Format_RGB32);
    fakes.capture.Picture.fill(Qt::darkCyan);
    SetNextUniMsgBoxAnswer(1);
    bool ran = false;
    QTimer watch; // once the effect runs, the hide action ends it as a click does
    QObject::connect(&watch, &QTimer::timeout, form.get(), [&] {
        if (form->Effect() != nullptr && form->Effect()->Running()) {
            ran = true;
            watch.stop();
            form->xButton1_Click();
        }
    });
    watch.start(5);
    form->btInfo_Click();
    const std::optional<AnsweredMessage> about = TakeAnsweredMessage();
    ASSERT_TRUE(about.has_value());
    EXPECT_EQ(about->Title, QStringLiteral("Thông tin về Moonleaf!"));
    EXPECT_EQ(about->Style, 64U);
    EXPECT_TRUE(about->Text.startsWith(QStringLiteral("Tiện ích : Moonleaf\r\nPhiên bản : 1.1\r\n")));
    EXPECT_TRUE(ran);
    EXPECT_FALSE(form->Effect()->Running());
    EXPECT_EQ(fakes.capture.Captures, 1);
}

TEST_F(ButtonsTest, WithoutACaptureTheEffectIsSkipped) {
    SetNextUniMsgBoxAnswer(1);
    form->btInfo_Click(); // returns: nothing to melt
    EXPECT_TRUE(TakeAnsweredMessage().has_value());
    EXPECT_FALSE(form->Effect()->Running());
}

TEST_F(ButtonsTest, HelpNamesTheCommandsOnlyWhereTheKeysCannotBeWatched) {
    SetNextUniMsgBoxAnswer(1);
    form->xButton2_Click();
    std::optional<AnsweredMessage> help = TakeAnsweredMessage();
    ASSERT_TRUE(help.has_value());
    EXPECT_EQ(help->Title, QStringLiteral("Moonleaf - Hướng dẫn!"));
    EXPECT_FALSE(help->Text.contains(QStringLiteral("--show")));
    fakes.keys.Available = false;
    form->Timer4_Timer();
    SetNextUniMsgBoxAnswer(1);
    form->xButton2_Click();
    help = TakeAnsweredMessage();
    ASSERT_TRUE(help.has_value());
    EXPECT_TRUE(help->Text.contains(QStringLiteral("moonleaf --show")));
}

TEST_F(ButtonsTest, TheLookupDialogOpensOnceFromTheButtonAndTheDayNumber) {
    form->OpenLookupDialog();
    QPointer<frmFind> first = form->LookupDialog();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    auto* day = form->findChild<QLabel*>(QStringLiteral("lbNgayD"));
    testing::ShowForm(form.get(), form->size());
    testing::Mouse::Click(day, day->rect().center());
    EXPECT_EQ(form->LookupDialog(), first.data()); // brought forward, not a second one
    first->xButton2_Click();
    EXPECT_EQ(form->LookupDialog(), nullptr);
    testing::Mouse::Click(Button("btTimAm"), Button("btTimAm")->rect().center());
    EXPECT_NE(form->LookupDialog(), nullptr);
}

TEST_F(ButtonsTest, OptionsHideTheCalendarFirstAndF9ClosesThem) {
    form->btOption_Click();
    EXPECT_EQ(form->Top(), -6400);
    ASSERT_NE(form->Tab(), nullptr);
    EXPECT_TRUE(form->Tab()->isVisible());
    QPointer<frmSet> options = form->OptionsDialog();
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(options->isVisible());
    EXPECT_FALSE(form->Timer2Enabled());
    fakes.keys.Press(GlobalKey::F9);
    EXPECT_EQ(form->Top(), 0);
    EXPECT_EQ(form->OptionsDialog(), nullptr);
    EXPECT_TRUE(options.isNull() || !options->isVisible());
}

TEST_F(ButtonsTest, TheTabClosesTheOptionsToo) {
    form->btOption_Click();
    ASSERT_NE(form->OptionsDialog(), nullptr);
    form->Tab()->ShowF();
    EXPECT_EQ(form->OptionsDialog(), nullptr);
}

} // namespace
} // namespace moonleaf
