// SPDX-License-Identifier: GPL-3.0-or-later
// The screen effect: what it shows first, how its blocks move, and every way it ends. Each
// case checks from inside the running effect (a zero timer fires within its event loop) and
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

using testing::FakeServices;
using testing::Mouse;

const QColor LINE_COLOR(Qt::white);
constexpr int LINE_ROW = 300;

// Counts the times a widget is shown.
class ShowCounter : public QObject {
public:
    int Shows = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        Shows += event->type() == QEvent::Show ? 1 : 0;
        return false;
    }
};

// Records the regions a widget paints.
class PaintRecorder : public QObject {
public:
    QRegion Painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            Painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

class frmEffTest : public ::testing::Test {
protected:
    FakeServices fakes{LocalTime{{8, 12, 2026}, 9, 30, 0, 0}};
    Services services = fakes.Get();
    std::unique_ptr<frmEff> eff = std::make_unique<frmEff>(services);
    QRect screen = QGuiApplication::primaryScreen()->geometry();
    bool hung = false;
    QTimer guard;
    QObject context; // what the calls from inside the effect belong to

    void SetUp() override {
        // A stuck effect is ended so that the case fails instead of hanging.
        guard.setSingleShot(true);
        guard.setInterval(20000);
        QObject::connect(&guard, &QTimer::timeout, &guard, [this] {
            hung = eff != nullptr && eff->Running();
            if (eff != nullptr) {
                eff->Unload();
            }
        });
        guard.start();
    }
    void TearDown() override { EXPECT_FALSE(hung) << "the effect did not end"; }

    // Runs the effect, with `inside` called once from within it. A case that has failed
    // inside ends the effect, in case it failed before ending it itself.
    void RunWith(const std::function<void()>& inside) {
        QTimer::singleShot(0, &context, [this, inside] {
            inside();
            if (HasFailure() && eff != nullptr) {
                eff->Unload();
            }
        });
        eff->doeffect();
    }

    // A picture in which every pixel differs from its neighbours.
    QImage Pattern() const {
        QImage image(screen.size(), QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 50 + (y / 256) * 13));
            }
        }
        return image;
    }
    // Black, with one white line across the whole width.
    QImage Line() const {
        QImage image(screen.size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        for (int x = 0; x < image.width(); ++x) {
            image.setPixelColor(x, LINE_ROW, LINE_COLOR);
        }
        return image;
    }
    QImage Shown() const {
        return testing::Render(eff.get()).convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(frmEffTest, CoversTheScreenBelowTheTopmostWindowsAndFirstShowsTheUnchangedCopy) {
    fakes.capture.Picture = Pattern();
    eff->HoldFrames();
    RunWith([this] {
        EXPECT_TRUE(eff->isVisible());
        EXPECT_EQ(eff->objectName(), QStringLiteral("frmEff"));
        EXPECT_EQ(eff->geometry(), screen);
        EXPECT_TRUE(eff->windowFlags() & Qt::FramelessWindowHint);
        EXPECT_FALSE(eff->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_TRUE(eff->Running());
        const QImage first = Shown();
        testing::SaveTestImage(QStringLiteral("effect-first-frame"), first);
        EXPECT_TRUE(first == fakes.capture.Picture) << "the first frame is not the still copy";
        eff->Unload();
    });
    EXPECT_EQ(fakes.capture.Captures, 1);
}

TEST_F(frmEffTest, BlocksMoveDownOrSidewaysAndNeverUpward) {
    fakes.capture.Picture = Line();
    eff->HoldFrames();
    RunWith([this] {
        EXPECT_EQ(eff->MovesPerFrame(), 50);                  // the offscreen screen reports 60 Hz
        ASSERT_TRUE(QTest::qWaitForWindowExposed(eff.get())); // no frames before that
        for (int frame = 0; frame < 200; ++frame) {
            eff->Frame();
        }
        const QImage shown = Shown();
        testing::SaveTestImage(QStringLiteral("effect-after-200-frames"), shown);
        EXPECT_TRUE(shown == eff->Picture()) << "the window does not show its copy";
        EXPECT_EQ(testing::CountColor(shown, LINE_COLOR, QRect(0, 0, screen.width(), LINE_ROW)), 0)
            << "a piece of the line moved upward";
        const QRect below(0, LINE_ROW + 1, screen.width(), screen.height() - LINE_ROW - 1);
        EXPECT_GT(testing::CountColor(shown, LINE_COLOR, below), 0) << "nothing moved down";
        eff->Unload();
    });
}

TEST_F(frmEffTest, EachFrameRepaintsThePixelsItChangedAndNotTheWholeScreen) {
    fakes.capture.Picture = Pattern();
    eff->HoldFrames();
    PaintRecorder paints;
    RunWith([&] {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(eff.get()));
        QCoreApplication::processEvents(); // the first, whole paint
        eff->installEventFilter(&paints);
        const QImage before = eff->Picture().copy();
        eff->Frame();
        const QImage after = eff->Picture();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !paints.Painted.isEmpty(); }));
        int changed = 0;
        for (int y = 0; y < after.height(); ++y) {
            for (int x = 0; x < after.width(); ++x) {
                if (before.pixel(x, y) != after.pixel(x, y)) {
                    ++changed;
                    ASSERT_TRUE(paints.Painted.contains(QPoint(x, y))) << x << "," << y;
                }
            }
        }
        EXPECT_GT(changed, 0);
        EXPECT_NE(paints.Painted, QRegion(eff->rect()));
        eff->Unload();
    });
}

TEST_F(frmEffTest, FramesComeByThemselvesWhileTheWindowShows) {
    fakes.capture.Picture = Line();
    RunWith([this] {
        EXPECT_TRUE(QTest::qWaitFor([this] { return eff->Frames() >= 3; }));
        eff->Unload();
    });
    const int frames = eff->Frames();
    QTest::qWait(100);
    EXPECT_EQ(eff->Frames(), frames) << "frames ran after the effect ended";
}

TEST_F(frmEffTest, AButtonPressOnTheWindowEndsItAtOnce) {
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        fakes.capture.Picture = Pattern();
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
}

TEST_F(frmEffTest, AClickEndsItAndItCanRunAgain) {
    fakes.capture.Picture = Pattern();
    RunWith([this] { Mouse::Click(eff.get(), QPoint(10, 10)); });
    EXPECT_FALSE(eff->isVisible());
    EXPECT_FALSE(eff->Running());
    RunWith([this] {
        EXPECT_TRUE(eff->isVisible());
        Mouse::Click(eff.get(), QPoint(700, 500));
    });
    EXPECT_EQ(fakes.capture.Captures, 2);
    EXPECT_FALSE(eff->isVisible());
}

TEST_F(frmEffTest, UnloadFromOutsideEndsItAsAClickDoes) {
    fakes.capture.Picture = Pattern();
    QObject caller; // another window's action, at a later pass of the event loop
    QTimer::singleShot(
        0, &caller, [this, &caller] { QTimer::singleShot(0, &caller, [this] { eff->Unload(); }); });
    eff->doeffect();
    EXPECT_FALSE(eff->isVisible());
    EXPECT_FALSE(eff->Running());
    eff->Unload(); // once more, with nothing running: nothing happens
    EXPECT_FALSE(eff->isVisible());
}

TEST_F(frmEffTest, ASecondStartWhileOneRunsReturnsAtOnce) {
    fakes.capture.Picture = Pattern();
    RunWith([this] {
        eff->doeffect();
        EXPECT_TRUE(eff->Running());
        EXPECT_TRUE(eff->isVisible());
        EXPECT_EQ(fakes.capture.Captures, 1);
        eff->Unload();
    });
    EXPECT_FALSE(eff->Running());
}

TEST_F(frmEffTest, WithoutACaptureItReturnsAtOnceShowingNothing) {
    ShowCounter shows;
    eff->installEventFilter(&shows);
    fakes.capture.Picture = QImage();
    eff->doeffect();
    EXPECT_EQ(fakes.capture.Captures, 1);
    EXPECT_EQ(shows.Shows, 0);
    EXPECT_FALSE(eff->Running());
    fakes.capture.Picture = QImage(QSize(0, 0), QImage::Format_RGB32);
    eff->doeffect();
    EXPECT_EQ(shows.Shows, 0);
}

TEST_F(frmEffTest, DestroyingTheWindowWhileItRunsEndsTheEffect) {
    fakes.capture.Picture = Pattern();
    RunWith([this] { eff.reset(); });
    EXPECT_EQ(eff, nullptr);
}

} // namespace
} // namespace moonleaf
