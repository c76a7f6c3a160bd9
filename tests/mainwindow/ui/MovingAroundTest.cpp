// SPDX-License-Identifier: GPL-3.0-or-later
// The main window over time: its timers and clock, the change of day, the system-wide keys,
// the slides and the restore tab, the arrows, and the commands of later starts.
#include "mainwindow/ui/frmMain.h"

#include "LoadedMainWindow.h"

#include "controls/UniTextBox.h"
#include "controls/xButton.h"
#include "controls/xLabel.h"
#include "services/ui/QuotationStore.h"
#include "services/ui/frmSpy.h"
#include "support/Fakes.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace moonleaf {
namespace {


constexpr double HIDDEN_BY_BUTTON = -6400; // top after the hide button's slide
constexpr double HIDDEN_AT_START = -6500;  // top after the start-up slide

class MovingAroundTest : public testing::LoadedMainWindow {
protected:

    CalDate Shown() const { return form->ShownDate(); }
    QString Time() const { return form->findChild<QLabel*>(QStringLiteral("lbTime"))->text(); }
    QString Quotation() const {
        auto* tall = form->findChild<UniTextBox*>(QStringLiteral("txDanhNgon"));
        auto* shortBox = form->findChild<UniTextBox*>(QStringLiteral("txDanhNgonN"));
        return (tall->isVisibleTo(form.get()) ? tall : shortBox)->Text().trimmed();
    }
    void Press(GlobalKey key) { fakes.keys.Press(key); }
    CalDate StepFrom(CalDate from, Qt::KeyboardModifiers held, bool forward) {
        form->ViewDate(from.Day, from.Month, from.Year);
        fakes.keys.Modifiers = held;
        forward ? form->btNext_Click() : form->btPre_Click();
        return Shown();
    }
};

TEST_F(MovingAroundTest, TimersAreSwitchedAsTheTableSays) {
    EXPECT_TRUE(form->Timer1Enabled());
    EXPECT_TRUE(form->Timer2Enabled());
    EXPECT_FALSE(form->Timer3Enabled());
    form->Timer1_Timer(); // the start-up slide leaves the clock running
    EXPECT_FALSE(form->Timer1Enabled());
    EXPECT_TRUE(form->Timer2Enabled());
    form->btNext_Click(); // navigation: Timer2 off, Timer3 on for good
    EXPECT_FALSE(form->Timer2Enabled());
    EXPECT_TRUE(form->Timer3Enabled());
    Press(GlobalKey::F9); // F9 and the tab switch Timer2 on
    EXPECT_TRUE(form->Timer2Enabled());
    Press(GlobalKey::F10); // F10 and the hide button switch it off
    EXPECT_FALSE(form->Timer2Enabled());
    form->Tab()->ShowF();
    EXPECT_TRUE(form->Timer2Enabled());
    form->xButton1_Click();
    EXPECT_FALSE(form->Timer2Enabled());
    EXPECT_TRUE(form->Timer3Enabled());
}

TEST_F(MovingAroundTest, StartUpSlideHidesTheWindowAndShowsTheTab) {
    form->Timer1_Timer();
    EXPECT_EQ(form->Top(), HIDDEN_AT_START);
    EXPECT_EQ(form->y(), QGuiApplication::primaryScreen()->geometry().top() - 433);
    ASSERT_NE(form->Tab(), nullptr);
    EXPECT_TRUE(form->Tab()->isVisible());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(form->Tab()->geometry(),
              QRect(screen.left() + (screen.width() - 31) / 2, screen.top(), 31, 20));
    EXPECT_EQ(form->Tab()->Button()->geometry(), QRect(-1, -1, 33, 22));
    EXPECT_EQ(form->Tab()->Button()->toolTip(), QStringLiteral("Moonleaf 1.1"));
    EXPECT_TRUE(form->Tab()->windowFlags() & Qt::WindowStaysOnTopHint);
    form->Timer1_Timer(); // it fires once
    EXPECT_EQ(form->Top(), HIDDEN_AT_START);
}

TEST_F(MovingAroundTest, TheClockShowsTheTimeOfDay) {
    fakes.clock.Set(LocalTime{{9, 12, 2026}, 0, 5, 9, 3});
    form->ClockTick();
    EXPECT_EQ(Time(), QStringLiteral("00 : 05 : 09"));
}

TEST_F(MovingAroundTest, MidnightBringsASteppedToDateBackToTheNewToday) {
    form->btNext_Click();
    form->ViewDate(2, 9, 2026); // a holiday, shown after stepping
    EXPECT_EQ(Quotation(), QStringLiteral("Ngày Quốc khánh nước Cộng Hòa Xã Hội Chủ nghĩa Việt Nam"));
    fakes.clock.Set(LocalTime{{8, 12, 2026}, 23, 59, 59, 400});
    form->ClockTick();
    EXPECT_EQ(Shown(), (CalDate{2, 9, 2026})); // the stepped-to date stays all day
    fakes.clock.Advance(600);
    form->ClockTick();
    EXPECT_EQ(Shown(), (CalDate{9, 12, 2026}));
    EXPECT_EQ(Time(), QStringLiteral("00 : 00 : 00"));
    EXPECT_EQ(form->MaNgayCu(), 91226);
    EXPECT_NE(Quotation(), QStringLiteral("Ngày Quốc khánh nước Cộng Hòa Xã Hội Chủ nghĩa Việt Nam"));
    EXPECT_EQ(form->findChild<xLabel*>(QStringLiteral("lbThuV"))->Caption(),
              QStringLiteral("Thứ tư"));
}

TEST_F(MovingAroundTest, AClockSetBackOrForwardIsANewDayToo) {
    fakes.clock.Advance(-std::int64_t{3} * 24 * 3600 * 1000); // back to 5 December
    form->ClockTick();
    EXPECT_EQ(Shown(), (CalDate{5, 12, 2026}));
    fakes.clock.Set(LocalTime{{1, 3, 2027}, 8, 0, 0, 0}); // after a long suspend
    form->ClockTick();
    EXPECT_EQ(Shown(), (CalDate{1, 3, 2027}));
    EXPECT_EQ(form->MaNgayCu(), 10327);
}

TEST_F(MovingAroundTest, F9ShowsOnlyWhenHiddenF10HidesOnlyWhenShown) {
    Press(GlobalKey::F9); // shown: nothing
    EXPECT_EQ(form->Top(), 0);
    Press(GlobalKey::F10);
    EXPECT_EQ(form->Top(), HIDDEN_BY_BUTTON);
    EXPECT_TRUE(form->Tab()->isVisible());
    Press(GlobalKey::F10); // hidden: nothing
    EXPECT_EQ(form->Top(), HIDDEN_BY_BUTTON);
    Press(GlobalKey::F9);
    EXPECT_EQ(form->Top(), 0);
    EXPECT_FALSE(form->Tab()->isVisible());
    form->Timer1_Timer();
    Press(GlobalKey::F9); // from the start-up slide's end it comes back to 0 as well
    EXPECT_EQ(form->Top(), 0);
}

TEST_F(MovingAroundTest, F9AndF10HeldTogetherActOnF9) {
    form->xButton1_Click();
    fakes.keys.Hold(GlobalKey::F9, true);
    fakes.keys.Hold(GlobalKey::F10, true);
    form->KeyPass();
    EXPECT_EQ(form->Top(), 0);
    form->KeyPass(); // still both held: F9 is tested first and does nothing at the top
    EXPECT_EQ(form->Top(), 0);
    fakes.keys.Hold(GlobalKey::F9, false);
    fakes.keys.Hold(GlobalKey::F10, false);
    form->KeyPass(); // released: nothing is left over
    EXPECT_EQ(form->Top(), 0);
}

TEST_F(MovingAroundTest, F11EndsTheProgramFromAnyState) {
    form->xButton1_Click();
    QSignalSpy unloaded(form.get(), &frmMain::Unloaded);
    Press(GlobalKey::F11);
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(QFile::exists(store.Path()));
    EXPECT_FALSE(form->Tab()->isVisible());
}

TEST_F(MovingAroundTest, ModifiersHeldAtTheClickChooseTheStep) {
    const CalDate d{15, 6, 2026};
    EXPECT_EQ(StepFrom(d, Qt::NoModifier, true), (CalDate{16, 6, 2026}));
    EXPECT_EQ(StepFrom(d, Qt::ControlModifier, true), (CalDate{22, 6, 2026}));
    EXPECT_EQ(StepFrom(d, Qt::ControlModifier | Qt::AltModifier, true), (CalDate{15, 7, 2026}));
    EXPECT_EQ(StepFrom(d, Qt::ControlModifier | Qt::ShiftModifier, true), (CalDate{15, 6, 2027}));
    EXPECT_EQ(StepFrom(d, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier, true),
              (CalDate{15, 6, 2027}));
    EXPECT_EQ(StepFrom(d, Qt::AltModifier, true), (CalDate{16, 6, 2026}));
    EXPECT_EQ(StepFrom(d, Qt::ShiftModifier, true), (CalDate{16, 6, 2026}));
    EXPECT_EQ(StepFrom(d, Qt::ShiftModifier | Qt::AltModifier, false), (CalDate{14, 6, 2026}));
    EXPECT_EQ(StepFrom(d, Qt::ControlModifier, false), (CalDate{8, 6, 2026}));
    EXPECT_EQ(StepFrom(d, Qt::ControlModifier | Qt::AltModifier, false), (CalDate{15, 5, 2026}));
    EXPECT_EQ(StepFrom(d, Qt::ControlModifier | Qt::ShiftModifier, false), (CalDate{15, 6, 2025}));
}

TEST_F(MovingAroundTest, StepsAcrossMonthAndYearEndsThroughTheButtons) {
    const auto C = Qt::ControlModifier;
    EXPECT_EQ(StepFrom({31, 12, 2026}, {}, true), (CalDate{1, 1, 2027}));
    EXPECT_EQ(StepFrom({1, 1, 2027}, {}, false), (CalDate{31, 12, 2026}));
    EXPECT_EQ(StepFrom({28, 2, 2024}, {}, true), (CalDate{29, 2, 2024}));
    EXPECT_EQ(StepFrom({1, 3, 2100}, {}, false), (CalDate{28, 2, 2100}));
    EXPECT_EQ(StepFrom({26, 12, 2026}, C, true), (CalDate{2, 1, 2027}));
    EXPECT_EQ(StepFrom({3, 3, 2024}, C, false), (CalDate{25, 2, 2024}));
    EXPECT_EQ(StepFrom({31, 1, 2025}, C | Qt::AltModifier, true), (CalDate{28, 2, 2025}));
    EXPECT_EQ(StepFrom({31, 3, 2025}, C | Qt::AltModifier, false), (CalDate{28, 2, 2025}));
    EXPECT_EQ(StepFrom({29, 2, 2024}, C | Qt::ShiftModifier, true), (CalDate{28, 2, 2025}));
    // Four years forward from 29 February: the clipped day is not restored.
    form->ViewDate(29, 2, 2024);
    fakes.keys.Modifiers = C | Qt::ShiftModifier;
    for (int i = 0; i < 4; ++i) {
        form->btNext_Click();
    }
    EXPECT_EQ(Shown(), (CalDate{28, 2, 2028}));
    EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("lbNgayD"))->text(), QStringLiteral("28"));
}

TEST_F(MovingAroundTest, ARealClickOnTheArrowSteps) {
    testing::ShowForm(form.get(), form->size());
    auto* next = form->findChild<xButton*>(QStringLiteral("btNext"));
    testing::Mouse::Click(next, next->rect().center());
    EXPECT_EQ(Shown(), (CalDate{9, 12, 2026}));
    auto* now = form->findChild<xButton*>(QStringLiteral("btNow"));
    testing::Mouse::Click(now, now->rect().center());
    EXPECT_EQ(Shown(), (CalDate{8, 12, 2026}));
}

TEST_F(MovingAroundTest, UpArrowHidesAndNoOtherKeyDoesAnything) {
    testing::ShowForm(form.get(), form->size());
    auto* next = form->findChild<xButton*>(QStringLiteral("btNext"));
    next->setFocus();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_F5}) {
        QTest::keyClick(next, key);
        EXPECT_EQ(form->Top(), 0);
        EXPECT_EQ(Shown(), (CalDate{8, 12, 2026}));
    }
    QTest::keyClick(next, Qt::Key_Up);
    EXPECT_EQ(form->Top(), HIDDEN_BY_BUTTON);
    EXPECT_FALSE(form->Timer2Enabled());
}

TEST_F(MovingAroundTest, TheTabBringsTheCalendarBackByClickOrDownArrow) {
    form->xButton1_Click();
    frmSpy* tab = form->Tab();
    testing::ShowForm(tab, tab->size());
    QTest::keyClick(tab->Button(), Qt::Key_Left);
    EXPECT_EQ(form->Top(), HIDDEN_BY_BUTTON);
    QTest::keyClick(tab->Button(), Qt::Key_Down);
    EXPECT_EQ(form->Top(), 0);
    EXPECT_FALSE(tab->isVisible());
    form->xButton1_Click();
    testing::ShowForm(tab, tab->size());
    testing::Mouse::Click(tab->Button(), tab->Button()->rect().center());
    EXPECT_EQ(form->Top(), 0);
    EXPECT_FALSE(tab->isVisible());
}

TEST_F(MovingAroundTest, CommandsOfALaterStart) {
    const QJsonObject status = QJsonDocument::fromJson(form->Command("status")).object();
    EXPECT_EQ(status.value(QStringLiteral("shown")).toString(), QStringLiteral("2026-12-08"));
    EXPECT_EQ(status.value(QStringLiteral("today")).toString(), QStringLiteral("2026-12-08"));
    EXPECT_TRUE(status.value(QStringLiteral("visible")).toBool());
    EXPECT_EQ(status.value(QStringLiteral("quotation")).toString(), Quotation());
    EXPECT_FALSE(Quotation().isEmpty());

    EXPECT_EQ(form->Command("hide\n"), QByteArray("ok"));
    EXPECT_EQ(form->Top(), 0); // acted on after the answer has gone
    QCoreApplication::processEvents();
    EXPECT_EQ(form->Top(), HIDDEN_BY_BUTTON);
    EXPECT_FALSE(QJsonDocument::fromJson(form->Command("status"))
                     .object()
                     .value(QStringLiteral("visible"))
                     .toBool());
    EXPECT_EQ(form->Command("toggle"), QByteArray("ok"));
    QCoreApplication::processEvents();
    EXPECT_EQ(form->Top(), 0);
    EXPECT_EQ(form->Command("show"), QByteArray("ok")); // shown: nothing, as F9
    QCoreApplication::processEvents();
    EXPECT_EQ(form->Top(), 0);
    EXPECT_TRUE(form->Command("jump").startsWith("error"));
    QSignalSpy unloaded(form.get(), &frmMain::Unloaded);
    EXPECT_EQ(form->Command("quit"), QByteArray("ok"));
    QCoreApplication::processEvents();
    EXPECT_EQ(unloaded.count(), 1);
}

TEST_F(MovingAroundTest, KeysDuringASlideWaitForItsEnd) {
    // A key whose activity arrives while the window slides is acted on after the slide.
    bool pressed = false;
    QTimer::singleShot(0, form.get(), [&] {
        pressed = true;
        Press(GlobalKey::F9);
    });
    form->xButton1_Click(); // the F9 arrives during this slide
    ASSERT_TRUE(pressed);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->Top(), 0);
}

} // namespace
} // namespace moonleaf
