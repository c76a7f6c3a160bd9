// SPDX-License-Identifier: GPL-3.0-or-later
// The screen effect: what it shows first, how its blocks move, and every way it ends. Each
// case looks from inside the running effect (a zero timer fires within its event loop) and
// again after doeffect has returned.
#include "services/ui/frmEff.h"

#include "support/Fakes.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace moonleaf {
namespace {

using testing::Mouse;

// Collects the regions a widget paints.
struct Paints : QObject {
    QRegion region;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            region += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

class frmEffTest : public ::testing::Test {
protected:
    testing::FakeServices fakes{LocalTime{{8, 12, 2026}, 9, 30, 0, 0}};
    Services services = fakes.Get();
    std::unique_ptr<frmEff> eff = std::make_unique<frmEff>(services);
    QRect screen = QGuiApplication::primaryScreen()->geometry();
    QObject context; // what the calls from inside the effect belong to

    // Runs the effect with `inside` called once from within it; a case that failed there
    // ends the effect itself.
    void RunWith(const std::function<void()>& inside) {
        QTimer::singleShot(0, &context, [this, inside] {
            inside();
            if (HasFailure() && eff != nullptr) {
                eff->Unload();
            }
        });
        eff->doeffect();
    }
    // Every pixel differs from its neighbours.
    QImage Pattern() const {
        QImage image(screen.size(), QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 50 + (y / 256) * 13));
            }
        }
        return image;
    }
    // What the window shows over the screen (it reaches one pixel past the screen's right
    // edge, which nobody sees).
    QImage Shown() const {
        return testing::Render(eff.get())
            .convertToFormat(QImage::Format_RGB32)
            .copy(QRect(QPoint(0, 0), screen.size()));
    }
};

TEST_F(frmEffTest, CoversTheScreenBelowTopmostWindowsAndFirstShowsTheUnchangedCopy) {
    fakes.capture.Picture = Pattern();
    eff->HoldFrames();
    RunWith([this] {
        EXPECT_TRUE(eff->isVisible());
        EXPECT_EQ(eff->objectName(), QStringLiteral("frmEff"));
        EXPECT_EQ(eff->geometry().topLeft(), screen.topLeft());
        EXPECT_TRUE(eff->geometry().contains(screen));
        EXPECT_NE(eff->geometry(), screen); // not the screen's own size: see frmEff
        EXPECT_TRUE(eff->windowFlags() & Qt::FramelessWindowHint);
        EXPECT_FALSE(eff->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_TRUE(Shown() == fakes.capture.Picture) << "the first frame is not the copy";
        eff->Unload();
    });
}

TEST_F(frmEffTest, BlocksMoveDownOrSidewaysNeverUpAndWhatChangedIsRepainted) {
    constexpr int LINE_ROW = 300; // one white line across a black screen
    fakes.capture.Picture = QImage(screen.size(), QImage::Format_RGB32);
    fakes.capture.Picture.fill(Qt::black);
    for (int x = 0; x < screen.width(); ++x) {
        fakes.capture.Picture.setPixel(x, LINE_ROW, qRgb(255, 255, 255));
    }
    eff->HoldFrames();
    RunWith([&] {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(eff.get())); // no frames before that
        QCoreApplication::processEvents();                    // the first, whole paint
        Paints paints;
        eff->installEventFilter(&paints);
        eff->Frame();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !paints.region.isEmpty(); }));
        for (int y = 0; y < screen.height(); ++y) { // every changed pixel is repainted
            for (int x = 0; x < screen.width(); ++x) {
                if (eff->Picture().pixel(x, y) != fakes.capture.Picture.pixel(x, y)) {
                    ASSERT_TRUE(paints.region.contains(QPoint(x, y))) << x << "," << y;
                }
            }
        }
        EXPECT_NE(paints.region, QRegion(eff->rect())) << "the whole window was repainted";
        eff->removeEventFilter(&paints);
        for (int frame = 1; frame < 200; ++frame) {
            eff->Frame();
        }
        const QImage shown = Shown();
        testing::SaveTestImage(QStringLiteral("effect-after-200-frames"), shown);
        EXPECT_TRUE(shown == eff->Picture()) << "the window does not show its copy";
        EXPECT_EQ(testing::CountColor(shown, Qt::white, QRect(0, 0, screen.width(), LINE_ROW)), 0)
            << "a piece of the line moved upward";
        EXPECT_GT(testing::CountColor(shown, Qt::white,
                                      QRect(0, LINE_ROW + 1, screen.width(), screen.height())),
                  0);
        eff->Unload();
    });
}

TEST_F(frmEffTest, FramesComeByThemselvesWhileItRuns) {
    fakes.capture.Picture = Pattern();
    RunWith([this] {
        EXPECT_TRUE(QTest::qWaitFor([this] { return eff->Frames() >= 3; }));
        eff->Unload();
    });
}

TEST_F(frmEffTest, AnyButtonPressEndsItAtOnceAndItCanRunAgain) {
    fakes.capture.Picture = Pattern();
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        bool goneAtPress = false;
        RunWith([&] {
            Mouse::MoveTo(eff.get(), QPoint(400, 250));
            Mouse::Press(button);
            goneAtPress = !eff->isVisible() && !eff->Running();
            Mouse::Release(button);
        });
        EXPECT_TRUE(goneAtPress) << "button " << button;
        EXPECT_FALSE(eff->isVisible());
        EXPECT_TRUE(eff->Picture().isNull()); // the copy is released
    }
    EXPECT_EQ(fakes.capture.Captures, 2);
}

TEST_F(frmEffTest, UnloadFromOutsideEndsItAndASecondStartDoesNotNest) {
    fakes.capture.Picture = Pattern();
    RunWith([this] {
        eff->doeffect(); // returns at once
        EXPECT_TRUE(eff->Running());
        EXPECT_EQ(fakes.capture.Captures, 1);
        QTimer::singleShot(0, &context, [this] { eff->Unload(); }); // another window's action
    });
    EXPECT_FALSE(eff->isVisible());
    EXPECT_FALSE(eff->Running());
}

TEST_F(frmEffTest, WithoutACaptureItReturnsAtOnceShowingNothing) {
    eff->doeffect(); // the fake's picture is null
    fakes.capture.Picture = QImage(QSize(0, 0), QImage::Format_RGB32);
    eff->doeffect();
    EXPECT_EQ(fakes.capture.Captures, 2);
    EXPECT_EQ(eff->windowHandle(), nullptr) << "the window was shown";
}

TEST_F(frmEffTest, DestroyingTheWindowWhileItRunsEndsTheEffect) {
    fakes.capture.Picture = Pattern();
    RunWith([this] { eff.reset(); });
    EXPECT_EQ(eff, nullptr);
}

} // namespace
} // namespace moonleaf
