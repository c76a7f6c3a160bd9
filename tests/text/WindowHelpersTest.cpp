// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/ui/WindowHelpers.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

TEST(SetTopMost, VisibleWindowStaysWhereItIs) {
    QWidget window;
    window.setObjectName(QStringLiteral("frmSpy"));
    testing::ShowForm(&window, QSize(120, 40));
    window.move(50, 60);
    QApplication::processEvents();
    const QRect geometry = window.geometry();
    SetTopMost(&window);
    QApplication::processEvents();
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), geometry);
}

TEST(SetTopMost, HiddenWindowStaysHiddenAndIsTopmostWhenShown) {
    QWidget window;
    SetTopMost(&window);
    EXPECT_FALSE(window.isVisible());
    window.show();
    EXPECT_TRUE(window.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    SetTopMost(nullptr); // nothing to do
}

TEST(PauseTicks, ZeroOrLessReturnsWithoutProcessingEvents) {
    bool ran = false;
    QTimer::singleShot(0, qApp, [&ran] { ran = true; });
    PauseTicks(0);
    PauseTicks(-3);
    EXPECT_FALSE(ran);
    PauseTicks(1);
    EXPECT_TRUE(ran);
}

TEST(PauseTicks, PausesAtLeastAMillisecondPerTick) {
    QElapsedTimer clock;
    clock.start();
    PauseTicks(5);
    EXPECT_GE(clock.elapsed(), 5);
}

} // namespace
} // namespace moonleaf
