// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PanelShadow.h"
#include "platform/PanelBorder.h"
#include "platform/ShadowWindow.h"
#include "platform/WindowTraits.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

const QSize PANEL_SIZE(328, 421);

// A panel as the calendar has it: a frameless white window with a text box from edge to edge.
std::unique_ptr<QWidget> MakePanel() {
    auto panel = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
    panel->setAutoFillBackground(true);
    panel->setPalette(QPalette(Qt::black, Qt::white));
    panel->resize(PANEL_SIZE);
    new QLineEdit(panel.get());
    panel->findChild<QLineEdit*>()->setGeometry(0, 100, PANEL_SIZE.width(), 24);
    return panel;
}

bool AnyShadowWindow() {
    const auto tops = QApplication::topLevelWidgets();
    return std::any_of(tops.begin(), tops.end(), [](QWidget* top) {
        return top->objectName() == QLatin1String("panelShadow");
    });
}

TEST(PortableWindowTraits, TheShadowIsOneBorderOverTheEdgeOfThePanel) {
    auto panel = MakePanel();
    PortableWindowTraits traits;
    traits.MakePanel(panel.get());
    traits.DropShadow(panel.get());
    traits.DropShadow(panel.get());
    // A control added later, filling the panel, stays under the border.
    auto* cover = new QWidget(panel.get());
    cover->setAutoFillBackground(true);
    cover->setPalette(QPalette(Qt::black, Qt::red));
    cover->setGeometry(0, 0, PANEL_SIZE.width(), 50);
    testing::ShowForm(panel.get(), PANEL_SIZE);
    EXPECT_EQ(panel->findChildren<PanelBorder*>().size(), 1);
    EXPECT_FALSE(AnyShadowWindow());

    const QImage image = testing::Render(panel.get());
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    for (const QPoint edge : {QPoint(0, 0), QPoint(right, 200), QPoint(150, bottom),
                              QPoint(right, bottom), QPoint(100, 0)}) {
        EXPECT_EQ(image.pixelColor(edge), PanelBorder::COLOR) << edge.x() << "," << edge.y();
    }
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(160, 300), QColor(Qt::white));
    // The mouse goes through the border to the text box under it.
    EXPECT_EQ(panel->childAt(0, 110), panel->findChild<QLineEdit*>());
    panel->resize(200, 120);
    EXPECT_EQ(panel->findChild<PanelBorder*>()->geometry(), QRect(0, 0, 200, 120));
}

TEST(ShadowWindow, IsADarkRectangleFadingToNothingAndNeverOpaque) {
    ShadowWindow shadow;
    shadow.setGeometry(ShadowWindow::GeometryFor(QRect(QPoint(0, 0), PANEL_SIZE)));
    QImage image(shadow.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    shadow.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    const int y = image.height() / 2;
    const int coreRight = image.width() - 1 - ShadowWindow::SOFT_EDGE;
    EXPECT_EQ(qAlpha(image.pixel(coreRight, y)), ShadowWindow::DARKEST_ALPHA);
    EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0);
    for (int x = coreRight + 1; x < image.width(); ++x) {
        EXPECT_LT(qAlpha(image.pixel(x, y)), qAlpha(image.pixel(x - 1, y))) << "at x " << x;
    }
    for (int i = 0; i < image.width() * image.height(); ++i) {
        const QRgb pixel = image.pixel(i % image.width(), i / image.width());
        ASSERT_LE(qAlpha(pixel), ShadowWindow::DARKEST_ALPHA) << i;
        ASSERT_EQ(qRed(pixel) | qGreen(pixel) | qBlue(pixel), 0) << i;
    }
}

// PanelShadow with a desktop the test controls.
class PanelShadowTest : public ::testing::Test {
protected:
    PanelShadowTest() {
        panel_->move(300, 0);
        keeper_ = new PanelShadow(panel_.get(), {[this] { return compositing_; },
                                                 [this](QWidget*) { ++prepared_; },
                                                 [this](QWidget*, QWidget*) { ++stacked_; }});
    }

    void Show() {
        panel_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel_.get()));
    }

    QRect Expected() const { return ShadowWindow::GeometryFor(panel_->geometry()); }

    std::unique_ptr<QWidget> panel_ = MakePanel();
    PanelShadow* keeper_ = nullptr;
    bool compositing_ = true;
    int prepared_ = 0;
    int stacked_ = 0;
};

TEST_F(PanelShadowTest, TheShadowWindowFollowsEveryStepOfASlideAndEveryShow) {
    Show();
    QPointer<QWidget> shadow = keeper_->Shadow();
    ASSERT_NE(shadow, nullptr);
    EXPECT_TRUE(shadow->isVisible());
    EXPECT_EQ(keeper_->Border(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([this] { return stacked_ == 1; }));
    for (int top = 0; top >= -PANEL_SIZE.height(); top -= 40) {
        panel_->move(300, top);
        ASSERT_EQ(shadow->geometry(), Expected()) << "top " << top;
    }
    EXPECT_EQ(panel_->geometry(), QRect(QPoint(300, -400), PANEL_SIZE));
    panel_->hide();
    EXPECT_FALSE(shadow->isVisible());
    panel_->move(100, 50); // moved while hidden
    Show();
    EXPECT_EQ(keeper_->Shadow(), shadow);
    EXPECT_EQ(shadow->geometry(), Expected());
    EXPECT_EQ(prepared_, 1);
    EXPECT_TRUE(QTest::qWaitFor([this] { return stacked_ == 2; }));
    panel_.reset();
    EXPECT_TRUE(shadow.isNull()) << "the shadow window goes with the panel";
}

TEST_F(PanelShadowTest, TheCompositorIsAskedAgainAtEachShow) {
    compositing_ = false;
    Show();
    EXPECT_EQ(keeper_->Shadow(), nullptr);
    ASSERT_NE(keeper_->Border(), nullptr);
    EXPECT_TRUE(keeper_->Border()->isVisible());
    EXPECT_FALSE(AnyShadowWindow());
    panel_->hide();
    compositing_ = true;
    Show();
    ASSERT_NE(keeper_->Shadow(), nullptr);
    EXPECT_FALSE(keeper_->Border()->isVisible());
    panel_->hide();
    compositing_ = false;
    Show();
    EXPECT_FALSE(AnyShadowWindow());
    EXPECT_TRUE(keeper_->Border()->isVisible());
}

} // namespace
} // namespace moonleaf
