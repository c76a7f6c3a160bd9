// SPDX-License-Identifier: GPL-3.0-or-later
// The windows at a scale factor of 2 (this whole program runs at that scale): the layout
// in logical pixels is the one of scale 1, and the pictures, glyphs and captions are drawn
// afresh at twice the pixels, not enlarged from a drawing at scale 1. That the texts still
// fit is TextFitTest, built into this program too.
#include "mainwindow/ui/frmMain.h"

#include "controls/DesignShapes.h"
#include "controls/xButton.h"
#include "controls/xLabel.h"
#include "design/DesignUnits.h"
#include "mainwindow/ui/frmMainDesign.h"
#include "services/ui/QuotationStore.h"
#include "services/ui/frmFind.h"
#include "services/ui/frmFindDesign.h"
#include "services/ui/frmSet.h"
#include "services/ui/frmSetDesign.h"
#include "services/ui/frmSpy.h"
#include "services/ui/frmSpyDesign.h"
#include "support/Fakes.h"
#include "support/TestSupport.h"

#include <QGuiApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace moonleaf {
namespace {

using testing::FakeServices;

constexpr qreal SCALE = 2;

// Set before the program's application object is made, which reads it; ctest cannot be
// relied on to pass it (a discovered test keeps only the first of its environment entries).
const bool SCALED = [] { return qputenv("QT_SCALE_FACTOR", "2"); }();
const QColor WHITE_BACK(255, 255, 255);

// Pixels of `a` and `b` (the same size) that differ clearly in some channel.
int DifferentPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (!testing::Near(a.pixelColor(x, y), b.pixelColor(x, y), 24)) {
                ++count;
            }
        }
    }
    return count;
}

// Ink at twice the pixels lies where the ink at scale 1 lies, to a pixel of scale 1.
::testing::AssertionResult SamePlace(const QRect& fine, const QRect& coarse) {
    const QRect halved(QPoint(fine.left() / 2, fine.top() / 2),
                       QPoint(fine.right() / 2, fine.bottom() / 2));
    const QPoint a = halved.topLeft() - coarse.topLeft();
    const QPoint b = halved.bottomRight() - coarse.bottomRight();
    if (a.manhattanLength() <= 2 && b.manhattanLength() <= 2) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << ::testing::PrintToString(fine) << " at scale 2, "
                                         << ::testing::PrintToString(coarse) << " at scale 1";
}

void ExpectDesignLayout(QWidget* window, std::span<const DesignRow> design) {
    for (const DesignRow& row : design) {
        SCOPED_TRACE(row.Name);
        auto* element = window->findChild<QWidget*>(QString::fromLatin1(row.Name));
        ASSERT_NE(element, nullptr);
        if (row.Kind != ElementKind::Line) {
            EXPECT_EQ(element->geometry(),
                      QRect(TwipsToPixels(row.Left), TwipsToPixels(row.Top),
                            TwipsToPixels(row.Width), TwipsToPixels(row.Height)));
        }
    }
}

class ScaleTest : public ::testing::Test {
protected:
    FakeServices fakes{LocalTime{{3, 3, 2026}, 9, 30, 0, 0}}; // full moon, a Tý day
    Services services = fakes.Get();
    QuotationStore store{services.privateFolder};
    frmMain form{services, store};

    void SetUp() override {
        ASSERT_TRUE(SCALED);
        ASSERT_EQ(qApp->devicePixelRatio(), SCALE);
        ASSERT_TRUE(form.Form_Load());
        form.HoldTimers();
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.lbRefresh();
    }

    template <class T = QWidget> T* Element(const char* name) {
        return form.findChild<T*>(QString::fromLatin1(name));
    }
};

TEST_F(ScaleTest, WindowsKeepTheirLayoutInLogicalPixels) {
    EXPECT_EQ(form.size(), QSize(328, 421));
    ExpectDesignLayout(&form, MainWindowDesign());
    EXPECT_EQ(Element<LineShape>("Line1")->From(), QPoint(3, 207));
    frmSpy tab(services);
    EXPECT_EQ(tab.size(), QSize(31, 20));
    ExpectDesignLayout(&tab, SpyDesign());
    frmFind lookup(services);
    ExpectDesignLayout(&lookup, FindDesign());
    frmSet options(services);
    EXPECT_EQ(options.size(), QSize(271, 40));
    ExpectDesignLayout(&options, SetDesign());
}

TEST_F(ScaleTest, RetainedSurfacesAndGrabsHaveTwiceThePixels) {
    auto* label = Element<xLabel>("lbThangD");
    auto* button = Element<xButton>("btNext");
    EXPECT_EQ(label->Surface().devicePixelRatio(), SCALE);
    EXPECT_EQ(label->Surface().size(), label->size() * SCALE);
    EXPECT_EQ(button->Surface().devicePixelRatio(), SCALE);
    EXPECT_EQ(button->Surface().size(), button->size() * SCALE);
    for (const char* name : {"lbThangD", "btNext", "PicLunar", "PicDateAni"}) {
        SCOPED_TRACE(name);
        const QPixmap grab = Element(name)->grab();
        EXPECT_EQ(grab.devicePixelRatio(), SCALE);
        EXPECT_EQ(grab.size(), Element(name)->size() * SCALE);
    }
}

// Each element drawn at scale 2 against the same element drawn at scale 1 and enlarged
// twice: the same drawing in the same place, but with detail the enlargement cannot have.
TEST_F(ScaleTest, PicturesGlyphsAndCaptionsAreDrawnAtTwiceThePixels) {
    for (const char* name : {"PicLunar", "PicDateAni", "btNext", "btNow", "lbThangD"}) {
        SCOPED_TRACE(name);
        QWidget* element = Element(name);
        const QImage fine = element->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        QImage coarse(element->size(), QImage::Format_ARGB32);
        coarse.fill(WHITE_BACK);
        element->render(&coarse); // a target of one pixel per logical pixel
        const QImage enlarged =
            coarse.scaled(fine.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        testing::SaveTestImage(QStringLiteral("scale2-%1").arg(QLatin1String(name)), fine);
        testing::SaveTestImage(QStringLiteral("scale2-%1-enlarged").arg(QLatin1String(name)),
                               enlarged);

        const QColor back = fine.pixelColor(0, 0);
        const QRect fineInk = testing::InkBounds(fine, back);
        const QRect coarseInk = testing::InkBounds(coarse, back);
        ASSERT_FALSE(coarseInk.isEmpty());
        EXPECT_TRUE(SamePlace(fineInk, coarseInk));
        // An enlargement is made of 2 by 2 blocks of one colour; a drawing at twice the
        // pixels cuts through them along the edges of its ink (drawn at scale 1 and
        // enlarged, nothing would differ).
        const int differ = DifferentPixels(fine, enlarged);
        const int ink = testing::InkCount(coarse, back);
        EXPECT_GE(differ, std::max(8, ink / 10)) << "ink " << ink;
    }
}

} // namespace
} // namespace moonleaf
