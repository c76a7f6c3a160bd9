// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/xButton.h"

#include "support/TestSupport.h"
#include "controls/ColorValue.h"
#include "controls/PropertyBag.h"
#include "platform/CursorProbe.h"
#include "platform/VisualStyle.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace moonleaf {
namespace {

using testing::InkBounds;
using testing::Mouse;
using testing::Render;
using testing::SaveTestImage;

// Each case runs twice: with the visual style (the QStyle bevel) and with the classic frame.
class xButtonTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        SetVisualStylesEnabled(GetParam());
        form = std::make_unique<QWidget>();
        form->setObjectName(QStringLiteral("frmTest"));
        button = new xButton(form.get(), QStringLiteral("xButton1"));
        button->setGeometry(20, 20, 100, 30);
        other = new QWidget(form.get());
        other->setObjectName(QStringLiteral("other"));
        other->setGeometry(200, 100, 50, 50);
        other->setFocusPolicy(Qt::StrongFocus);
        testing::ShowForm(form.get());
        other->setFocus();                         // the button starts without the focus
        Mouse::MoveTo(form.get(), QPoint(5, 190)); // well away from the button
    }

    void TearDown() override {
        form.reset();
        SetVisualStylesEnabled(true);
    }

    QString Path() const {
        return GetParam() ? QStringLiteral("styled") : QStringLiteral("classic");
    }
    QColor Face() const { return ColorFromValue(SYS_COLOR_BUTTON_FACE, button->palette()); }

    // Every event as one line, in order.
    void Record() {
        QObject::connect(
            button, &xButton::MouseDown, button, [this](qint16 b, qint16 s, float x, float y) {
                events << QStringLiteral("MouseDown %1 %2 %3 %4").arg(b).arg(s).arg(x).arg(y);
            });
        QObject::connect(button, &xButton::MouseUp, button, [this](qint16 b, qint16, float, float) {
            events << QStringLiteral("MouseUp %1").arg(b);
        });
        QObject::connect(button, &xButton::Click, button,
                         [this] { events << QStringLiteral("Click"); });
        QObject::connect(button, &xButton::DblClick, button,
                         [this] { events << QStringLiteral("DblClick"); });
    }

    std::unique_ptr<QWidget> form;
    xButton* button = nullptr;
    QWidget* other = nullptr;
    QStringList events;
};

TEST_P(xButtonTest, PressedLookDiffersAndKeepsTheCaptionInPlace) {
    button->SetCaption(QStringLiteral("Tìm"));
    const QImage normal = Render(button);
    Mouse::MoveTo(button, QPoint(50, 15));
    Mouse::Press();
    EXPECT_EQ(button->DrawnLook(), xButton::PRESSED);
    const QImage pressed = Render(button);
    Mouse::Release();
    SaveTestImage(QStringLiteral("button-%1-normal").arg(Path()), normal);
    SaveTestImage(QStringLiteral("button-%1-pressed").arg(Path()), pressed);
    EXPECT_NE(normal, pressed);
    // The caption is at the same place in both looks (to the pixel: the pressed bevel's
    // shading may tip one edge pixel of the letters over the ink threshold).
    const QRect centre(30, 5, 40, 20);
    const QRect normalInk = InkBounds(normal, normal.pixelColor(32, 15), centre);
    const QRect pressedInk = InkBounds(pressed, pressed.pixelColor(32, 15), centre);
    ASSERT_FALSE(normalInk.isEmpty());
    EXPECT_NEAR(normalInk.left(), pressedInk.left(), 1);
    EXPECT_NEAR(normalInk.right(), pressedInk.right(), 1);
    EXPECT_NEAR(normalInk.top(), pressedInk.top(), 1);
    EXPECT_NEAR(normalInk.bottom(), pressedInk.bottom(), 1);
}

// The classic frame is drawn only without visual styles.
class xButtonClassicTest : public xButtonTest {};

TEST_P(xButtonClassicTest, FrameIsRaisedAtRestAndPushedWhileHeld) {
    const QPalette& palette = button->palette();
    QImage image = Render(button);
    EXPECT_EQ(image.pixel(0, 0), palette.color(QPalette::Light).rgb());
    EXPECT_EQ(image.pixel(99, 29), palette.color(QPalette::Shadow).rgb());
    Mouse::MoveTo(button, QPoint(50, 15));
    Mouse::Press();
    image = Render(button);
    Mouse::Release();
    EXPECT_EQ(image.pixel(0, 0), palette.color(QPalette::Shadow).rgb());
    EXPECT_EQ(image.pixel(99, 29), palette.color(QPalette::Light).rgb());
}

TEST_P(xButtonTest, DisabledCaptionIsInTheButtonShadowColour) {
    button->SetForeColor(0x000000FF); // red, so the enabled caption cannot pass for the shadow
    button->SetCaption(QStringLiteral("ĐĐĐĐ"));
    const QColor red(255, 0, 0);
    const QColor shadow = ColorFromValue(SYS_COLOR_BUTTON_SHADOW, button->palette());
    const QRect centre(25, 5, 50, 20);
    EXPECT_GT(testing::CountColor(Render(button), red, centre), 10);
    button->SetEnabled(false);
    const QImage image = Render(button);
    SaveTestImage(QStringLiteral("button-%1-disabled").arg(Path()), image);
    EXPECT_EQ(button->DrawnLook(), xButton::DISABLED);
    EXPECT_EQ(testing::CountColor(image, red, centre), 0);
    EXPECT_GT(testing::CountColor(image, shadow, centre), 10);

    QSignalSpy down(button, &xButton::MouseDown);
    Mouse::Click(button, QPoint(50, 15));
    EXPECT_EQ(down.count(), 0); // a disabled button raises no mouse events
}

TEST_P(xButtonTest, DoubleClickRaisesOneClickAndPressesTwice) {
    Record();
    QList<xButton::Look> looksAtRelease;
    QObject::connect(button, &xButton::MouseUp, button,
                     [&](qint16, qint16, float, float) { looksAtRelease << button->DrawnLook(); });
    Mouse::DoubleClick(button, QPoint(10, 4));
    EXPECT_EQ(events,
              (QStringList{QStringLiteral("MouseDown 1 0 150 60"), QStringLiteral("MouseUp 1"),
                           QStringLiteral("Click"), QStringLiteral("MouseDown 1 0 0 0"),
                           QStringLiteral("MouseUp 1")}));
    EXPECT_EQ(looksAtRelease, (QList<xButton::Look>{xButton::PRESSED, xButton::PRESSED}));
    EXPECT_EQ(button->DrawnLook(), xButton::FOCUSED);
}

TEST_P(xButtonTest, DraggingOffShowsHotAndReleasingOutsideGivesNoClick) {
    Record();
    Mouse::MoveTo(button, QPoint(50, 15));
    Mouse::Press();
    EXPECT_EQ(button->DrawnLook(), xButton::PRESSED);
    QSignalSpy moves(button, &xButton::MouseMove);
    Mouse::MoveTo(form.get(), QPoint(160, 160));
    EXPECT_EQ(button->DrawnLook(), xButton::HOT);
    Mouse::MoveTo(button, QPoint(40, 10));
    EXPECT_EQ(button->DrawnLook(), xButton::PRESSED);
    Mouse::MoveTo(form.get(), QPoint(160, 160));
    Mouse::Release();
    EXPECT_EQ(events,
              (QStringList{QStringLiteral("MouseDown 1 0 750 225"), QStringLiteral("MouseUp 1")}));
    // The moves, outside as well, reach the button while the left button holds it, each
    // with the left button held.
    ASSERT_EQ(moves.count(), 3);
    for (const QList<QVariant>& move : moves) {
        EXPECT_EQ(move.at(0).toInt(), 1);
    }
    EXPECT_EQ(moves.at(0).at(2).toFloat(), 15.0F * (160 - 20));
}

TEST_P(xButtonTest, HotLookGoesWithinAPollOfTheCursorLeaving) {
    Mouse::MoveTo(button, QPoint(50, 15));
    EXPECT_EQ(button->DrawnLook(), xButton::HOT);
    SaveTestImage(QStringLiteral("button-%1-hot").arg(Path()), Render(button));
    EXPECT_TRUE(button->HoverTimerActive());
    Mouse::MoveTo(other, QPoint(10, 10));
    EXPECT_EQ(button->DrawnLook(), xButton::HOT); // until the timer looks
    QTest::qWait(180);
    EXPECT_EQ(button->DrawnLook(), xButton::NORMAL);
    EXPECT_FALSE(button->HoverTimerActive());

    button->setFocus();
    Mouse::MoveTo(button, QPoint(50, 15));
    Mouse::MoveTo(other, QPoint(10, 10));
    QTest::qWait(180);
    EXPECT_EQ(button->DrawnLook(), xButton::FOCUSED);
}

TEST_P(xButtonTest, AWindowOverTheButtonCountsAsElsewhere) {
    auto* cover = new QWidget(form.get());
    cover->setObjectName(QStringLiteral("cover"));
    cover->setGeometry(60, 20, 60, 30); // over the right part of the button
    cover->show();
    Mouse::MoveTo(button, QPoint(10, 15));
    EXPECT_EQ(button->DrawnLook(), xButton::HOT);
    Mouse::MoveTo(cover, QPoint(20, 15));
    QTest::qWait(180);
    EXPECT_EQ(button->DrawnLook(), xButton::NORMAL);
}

// A desktop that always reports the cursor over one widget.
class FixedCursorProbe final : public CursorProbe {
public:
    explicit FixedCursorProbe(QWidget* under) : under_(under) {}
    QPoint CursorPos() const override { return {}; }
    QWidget* WidgetAt(QPoint) const override { return under_; }

private:
    QWidget* under_;
};

TEST_P(xButtonTest, HoverPollAsksTheDesktopWhereTheCursorIs) {
    const FixedCursorProbe overButton(button);
    const CursorProbe* previous = CursorProbe::Replace(&overButton);
    Mouse::MoveTo(button, QPoint(50, 15));
    Mouse::MoveTo(other, QPoint(10, 10)); // Qt's cursor left, but the desktop says otherwise
    QTest::qWait(180);
    EXPECT_EQ(button->DrawnLook(), xButton::HOT);
    EXPECT_TRUE(button->HoverTimerActive());
    CursorProbe::Replace(previous);
    QTest::qWait(180);
    EXPECT_EQ(button->DrawnLook(), xButton::NORMAL);
}

TEST_P(xButtonTest, RightButtonDragChangesNothingVisible) {
    button->setFocus(); // so that the press gives no focus look of its own
    Mouse::MoveTo(button, QPoint(50, 15));
    const xButton::Look hot = button->DrawnLook();
    const QImage before = Render(button);
    Mouse::Press(Qt::RightButton);
    Mouse::MoveTo(button, QPoint(60, 20));
    EXPECT_EQ(button->DrawnLook(), hot);
    EXPECT_EQ(Render(button), before);
    Record();
    Mouse::Release(Qt::RightButton);
    // A right-button press and release over the control is a click too.
    EXPECT_EQ(events, (QStringList{QStringLiteral("MouseUp 2"), QStringLiteral("Click")}));
}

TEST_P(xButtonTest, KeysAreRelayedAndNeverClick) {
    button->setFocus();
    QSignalSpy click(button, &xButton::Click);
    QSignalSpy down(button, &xButton::KeyDown);
    QSignalSpy press(button, &xButton::KeyPress);
    QSignalSpy up(button, &xButton::KeyUp);
    QTest::keyClick(form->windowHandle(), Qt::Key_Space);
    QTest::keyClick(form->windowHandle(), Qt::Key_Return);
    EXPECT_EQ(click.count(), 0);
    ASSERT_EQ(down.count(), 2);
    EXPECT_EQ(down.at(0).at(0).toInt(), 32);
    EXPECT_EQ(down.at(1).at(0).toInt(), 13);
    ASSERT_EQ(press.count(), 2);
    EXPECT_EQ(press.at(1).at(0).toInt(), 13);
    EXPECT_EQ(up.count(), 2);
}

TEST_P(xButtonTest, ShiftStateCountsTheModifierKeyItself) {
    button->setFocus();
    QStringList keys;
    QObject::connect(button, &xButton::KeyDown, button, [&](qint16 code, qint16 shift) {
        keys << QStringLiteral("down %1 %2").arg(code).arg(shift);
    });
    QObject::connect(button, &xButton::KeyUp, button, [&](qint16 code, qint16 shift) {
        keys << QStringLiteral("up %1 %2").arg(code).arg(shift);
    });
    QTest::keyClick(form->windowHandle(), Qt::Key_A, Qt::ShiftModifier);
    EXPECT_EQ(keys, (QStringList{QStringLiteral("down 16 1"), QStringLiteral("down 65 1"),
                                 QStringLiteral("up 65 1"), QStringLiteral("up 16 0")}));
}

TEST_P(xButtonTest, SettersRedrawTheNormalLookEvenWithTheFocus) {
    button->setFocus();
    EXPECT_EQ(button->DrawnLook(), xButton::FOCUSED);
    SaveTestImage(QStringLiteral("button-%1-focused").arg(Path()), Render(button));
    button->SetCaption(QStringLiteral("Hôm nay"));
    EXPECT_EQ(button->DrawnLook(), xButton::NORMAL);
    button->setFocus(); // already focused: nothing new
    EXPECT_EQ(button->DrawnLook(), xButton::NORMAL);
    other->setFocus();
    button->setFocus();
    EXPECT_EQ(button->DrawnLook(), xButton::FOCUSED);
    button->SetForeColor(0x00FF0000);
    EXPECT_EQ(button->DrawnLook(), xButton::NORMAL);
}

TEST_P(xButtonTest, StoredPropertiesInOrderAndAppliedWithoutDrawing) {
    const QImage drawn = Render(button);
    PropertyBag bag;
    bag.Set(QStringLiteral("caption"), QStringLiteral("r"));
    bag.Set(QStringLiteral("forecolor"), std::int32_t{0x00C00000});
    QSignalSpy changed(button, &xButton::PropertyChanged);
    button->ReadProperties(bag);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(button->Caption(), QStringLiteral("r"));
    EXPECT_EQ(button->ForeColor(), 0x00C00000U);
    EXPECT_EQ(Render(button), drawn);

    button->SetEnabled(false);
    button->SetFont(QFont(QStringLiteral("DejaVu Sans"), 14));
    PropertyBag saved;
    button->WriteProperties(saved);
    QStringList keys;
    for (const auto& entry : saved.Entries()) {
        keys << entry.Key;
    }
    EXPECT_EQ(keys, (QStringList{QStringLiteral("ForeColor"), QStringLiteral("Enabled"),
                                 QStringLiteral("Font"), QStringLiteral("Caption")}));
}

TEST_P(xButtonTest, LosingTheFocusForgetsTheLeftPress) {
    Mouse::Click(button, QPoint(50, 15)); // takes the focus; the left press is remembered
    EXPECT_EQ(button->DrawnLook(), xButton::FOCUSED);
    other->setFocus();
    EXPECT_EQ(button->DrawnLook(), xButton::NORMAL);
    button->setFocus(); // no left press since the focus left: the focused look
    EXPECT_EQ(button->DrawnLook(), xButton::FOCUSED);
}

TEST_P(xButtonTest, DisabledContainerLeavesTheButtonsOwnSettingAlone) {
    form->setEnabled(false);
    EXPECT_TRUE(button->Enabled());
    PropertyBag saved;
    button->WriteProperties(saved);
    EXPECT_EQ(saved.Find(u"Enabled"), nullptr); // still the default, so not written

    button->SetEnabled(false);
    form->setEnabled(true);
    EXPECT_FALSE(button->Enabled());
    button->WriteProperties(saved);
    EXPECT_FALSE(saved.ReadBool(u"Enabled", true));
}

INSTANTIATE_TEST_SUITE_P(Paths, xButtonClassicTest, ::testing::Values(false),
                         [](const auto&) { return "Classic"; });
INSTANTIATE_TEST_SUITE_P(Paths, xButtonTest, ::testing::Values(true, false),
                         [](const auto& row) { return row.param ? "VisualStyle" : "Classic"; });

} // namespace
} // namespace moonleaf
