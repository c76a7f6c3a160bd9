// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PanelShadow.h"
#include "platform/PanelBorder.h"
#include "platform/ShadowWindow.h"
#include "platform/WindowTraits.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

const QSize PANEL_SIZE(328, 421);

// A panel as the calendar has it: a frameless opaque window with controls on it.
std::unique_ptr<QWidget> MakePanel() {
    auto panel = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    panel->setPalette(palette);
    panel->resize(PANEL_SIZE);
    auto* box = new QLineEdit(panel.get());
    box->setObjectName(QStringLiteral("txtFind"));
    box->setGeometry(0, 100, PANEL_SIZE.width(), 24);
    return panel;
}

TEST(PortableWindowTraits, MakesAFramelessToolWindowThatStaysOnTop) {
    auto panel = MakePanel();
    PortableWindowTraits traits;
    traits.MakePanel(panel.get());
    const Qt::WindowFlags flags = panel->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
}

TEST(PortableWindowTraits, AreTheTraitsOffX11) {
    auto traits = CreateWindowTraits();
    EXPECT_NE(dynamic_cast<PortableWindowTraits*>(traits.get()), nullptr);
}

TEST(PortableWindowTraits, ShadowIsOneBorderThatLeavesThePanelWhereItIs) {
    auto panel = MakePanel();
    panel->move(40, 30);
    const QRect geometry = panel->geometry();
    PortableWindowTraits traits;
    traits.DropShadow(panel.get());
    traits.DropShadow(panel.get());
    testing::ShowForm(panel.get(), PANEL_SIZE);
    EXPECT_EQ(panel->findChildren<PanelBorder*>().size(), 1);
    EXPECT_EQ(panel->geometry(), geometry);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        EXPECT_NE(top->objectName(), QStringLiteral("panelShadow"));
    }
}

TEST(PanelBorder, DrawsOnlyTheOutermostPixelsInDarkGrey) {
    auto panel = MakePanel();
    new PanelBorder(panel.get());
    testing::ShowForm(panel.get(), PANEL_SIZE);
    const QImage image = testing::Render(panel.get());
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    for (const QPoint edge :
         {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom),
          QPoint(right / 2, 0), QPoint(0, bottom / 2), QPoint(right, 200), QPoint(150, bottom)}) {
        EXPECT_EQ(image.pixelColor(edge), PanelBorder::COLOR) << edge.x() << "," << edge.y();
    }
    for (const QPoint inside : {QPoint(1, 1), QPoint(right - 1, bottom - 1), QPoint(160, 300)}) {
        EXPECT_EQ(image.pixelColor(inside), QColor(Qt::white)) << inside.x() << "," << inside.y();
    }
}

TEST(PanelBorder, StaysAboveControlsAddedLater) {
    auto panel = MakePanel();
    new PanelBorder(panel.get());
    // A control added afterwards that fills the panel with its colour.
    auto* cover = new QWidget(panel.get());
    cover->setAutoFillBackground(true);
    QPalette palette = cover->palette();
    palette.setColor(QPalette::Window, Qt::red);
    cover->setPalette(palette);
    cover->setGeometry(panel->rect());
    testing::ShowForm(panel.get(), PANEL_SIZE);
    const QImage image = testing::Render(panel.get());
    EXPECT_EQ(image.pixelColor(0, 50), PanelBorder::COLOR);
    EXPECT_EQ(image.pixelColor(5, 50), QColor(Qt::red));
}

TEST(PanelBorder, FollowsThePanelsSize) {
    auto panel = MakePanel();
    auto* border = new PanelBorder(panel.get());
    testing::ShowForm(panel.get(), PANEL_SIZE);
    panel->resize(200, 120);
    EXPECT_EQ(border->geometry(), QRect(0, 0, 200, 120));
}

TEST(PanelBorder, LetsTheMouseThroughToTheControlUnderIt) {
    auto panel = MakePanel();
    new PanelBorder(panel.get());
    testing::ShowForm(panel.get(), PANEL_SIZE);
    // The text box runs from edge to edge, so the frame lies over its ends.
    EXPECT_EQ(panel->childAt(0, 110), panel->findChild<QLineEdit*>(QStringLiteral("txtFind")));
    EXPECT_EQ(panel->childAt(160, 300), nullptr);
}

// The alpha of the shadow drawn on a transparent image.
QImage RenderShadow(QRect panel) {
    ShadowWindow shadow;
    shadow.setGeometry(ShadowWindow::GeometryFor(panel));
    QImage image(shadow.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    shadow.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

TEST(ShadowWindow, FallsBelowAndRightOfThePanel) {
    const QRect panel(QPoint(500, -200), PANEL_SIZE);
    const QRect shadow = ShadowWindow::GeometryFor(panel);
    EXPECT_TRUE(shadow.contains(panel.translated(ShadowWindow::OFFSET, ShadowWindow::OFFSET)));
    EXPECT_GT(shadow.bottom() - panel.bottom(), panel.top() - shadow.top());
    EXPECT_GT(shadow.right() - panel.right(), panel.left() - shadow.left());
}

TEST(ShadowWindow, IsDarkUnderThePanelEdgeAndFadesToNothing) {
    const QImage image = RenderShadow(QRect(QPoint(0, 0), PANEL_SIZE));
    const int y = image.height() / 2;
    const int coreRight = image.width() - 1 - ShadowWindow::SOFT_EDGE;
    EXPECT_EQ(qAlpha(image.pixel(coreRight, y)), ShadowWindow::DARKEST_ALPHA);
    EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, y)), 0);
    EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0);
    int previous = 255;
    for (int x = coreRight; x < image.width(); ++x) {
        const int alpha = qAlpha(image.pixel(x, y));
        EXPECT_LE(alpha, previous) << "at x " << x;
        previous = alpha;
    }
}

TEST(ShadowWindow, IsNeverAnOpaqueOrColouredBox) {
    const QImage image = RenderShadow(QRect(QPoint(0, 0), PANEL_SIZE));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            ASSERT_LE(qAlpha(pixel), ShadowWindow::DARKEST_ALPHA) << x << "," << y;
            ASSERT_EQ(qRed(pixel) | qGreen(pixel) | qBlue(pixel), 0) << x << "," << y;
        }
    }
}

// PanelShadow with a desktop the test controls.
class PanelShadowTest : public ::testing::Test {
protected:
    PanelShadowTest() {
        panel_->move(300, 0);
        keeper_ = new PanelShadow(panel_.get(), {
                                                    [this] { return compositing_; },
                                                    [this](QWidget*) { ++prepared_; },
                                                    [this](QWidget* shadow, QWidget* panel) {
                                                        stacked_.emplace_back(shadow, panel);
                                                    },
                                                });
    }

    void Show() {
        panel_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel_.get()));
    }

    QRect ExpectedShadow() const { return ShadowWindow::GeometryFor(panel_->geometry()); }

    std::unique_ptr<QWidget> panel_ = MakePanel();
    PanelShadow* keeper_ = nullptr;
    bool compositing_ = true;
    int prepared_ = 0;
    std::vector<std::pair<QWidget*, QWidget*>> stacked_;
};

TEST_F(PanelShadowTest, WithACompositorTheShadowWindowLiesUnderThePanel) {
    Show();
    QWidget* shadow = keeper_->Shadow();
    ASSERT_NE(shadow, nullptr);
    EXPECT_TRUE(shadow->isVisible());
    EXPECT_EQ(shadow->geometry(), ExpectedShadow());
    EXPECT_EQ(prepared_, 1);
    ASSERT_EQ(stacked_.size(), 1u);
    EXPECT_EQ(stacked_.front(), std::make_pair(shadow, panel_.get()));
    EXPECT_EQ(keeper_->Border(), nullptr);
    EXPECT_EQ(panel_->geometry(), QRect(QPoint(300, 0), PANEL_SIZE));
}

TEST_F(PanelShadowTest, TheShadowFollowsEveryStepOfASlide) {
    Show();
    for (int top = 0; top >= -400; top -= 40) {
        panel_->move(300, top);
        ASSERT_EQ(keeper_->Shadow()->geometry(), ExpectedShadow()) << "top " << top;
    }
    panel_->resize(328, 200);
    EXPECT_EQ(keeper_->Shadow()->geometry(), ExpectedShadow());
}

TEST_F(PanelShadowTest, TheShadowHidesAndShowsWithThePanel) {
    Show();
    QWidget* shadow = keeper_->Shadow();
    panel_->hide();
    EXPECT_FALSE(shadow->isVisible());
    panel_->move(100, 50); // moved while hidden
    Show();
    EXPECT_EQ(keeper_->Shadow(), shadow);
    EXPECT_TRUE(shadow->isVisible());
    EXPECT_EQ(shadow->geometry(), ExpectedShadow());
    EXPECT_EQ(prepared_, 1);
    EXPECT_TRUE(QTest::qWaitFor([this] { return stacked_.size() == 2; }));
}

TEST_F(PanelShadowTest, WithoutACompositorThereIsABorderAndNoShadowWindow) {
    compositing_ = false;
    Show();
    EXPECT_EQ(keeper_->Shadow(), nullptr);
    ASSERT_NE(keeper_->Border(), nullptr);
    EXPECT_TRUE(keeper_->Border()->isVisible());
    for (QWidget* top : QApplication::topLevelWidgets()) {
        EXPECT_NE(top->objectName(), QStringLiteral("panelShadow"));
    }
    EXPECT_EQ(prepared_, 0);
}

TEST_F(PanelShadowTest, TheCompositorIsAskedAgainAtEachShow) {
    Show();
    QPointer<QWidget> shadow = keeper_->Shadow();
    panel_->hide();
    compositing_ = false;
    Show();
    EXPECT_TRUE(shadow.isNull());
    ASSERT_NE(keeper_->Border(), nullptr);
    EXPECT_TRUE(keeper_->Border()->isVisible());
    panel_->hide();
    compositing_ = true;
    Show();
    ASSERT_NE(keeper_->Shadow(), nullptr);
    EXPECT_TRUE(keeper_->Shadow()->isVisible());
    EXPECT_FALSE(keeper_->Border()->isVisible());
}

TEST_F(PanelShadowTest, TheShadowGoesWithThePanel) {
    Show();
    QPointer<QWidget> shadow = keeper_->Shadow();
    panel_.reset();
    EXPECT_TRUE(shadow.isNull());
}

} // namespace
} // namespace moonleaf
