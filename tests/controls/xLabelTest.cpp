// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/xLabel.h"

#include "support/TestSupport.h"
#include "controls/ColorValue.h"
#include "controls/PropertyBag.h"
#include "text/VniToUnicode.h"

#include <QFontMetrics>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace moonleaf {
namespace {

using testing::InkBounds;
using testing::InkCount;
using testing::Mouse;
using testing::Render;
using testing::SaveTestImage;

class xLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<QWidget>();
        form->setObjectName(QStringLiteral("frmTest"));
        label = new xLabel(form.get(), QStringLiteral("xLabel1"));
        label->setGeometry(10, 10, 200, 40);
        testing::ShowForm(form.get());
    }

    QColor Face() const { return ColorFromValue(SYS_COLOR_BUTTON_FACE, label->palette()); }

    std::unique_ptr<QWidget> form;
    xLabel* label = nullptr;
};

TEST_F(xLabelTest, NewLabelShowsUniLabelOnTheButtonFace) {
    const QImage image = Render(label);
    SaveTestImage(QStringLiteral("label-new"), image);
    EXPECT_EQ(label->Caption(), QStringLiteral("UniLabel"));
    EXPECT_EQ(label->Font(), form->font()); // the container's font
    EXPECT_EQ(image.pixel(199, 39), Face().rgb());
    const QRect ink = InkBounds(image, Face());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LT(ink.left(), 3);
    const int width = QFontMetrics(label->font()).horizontalAdvance(QStringLiteral("UniLabel"));
    EXPECT_NEAR(ink.right(), width, 3);
    EXPECT_LT(ink.top(), 8); // at the top, not centred
}

TEST_F(xLabelTest, CaptionShowsOnlyAfterRefresh) {
    label->SetCaption(QString());
    label->Refresh();
    QApplication::processEvents();
    EXPECT_EQ(InkCount(Render(label), Face()), 0); // an empty caption draws nothing

    label->SetCaption(QStringLiteral("Tháng giêng"));
    label->update(); // a repaint shows the retained image, not the new caption
    QApplication::processEvents();
    const QImage before = Render(label);
    SaveTestImage(QStringLiteral("label-before-refresh"), before);
    EXPECT_EQ(InkCount(before, Face()), 0);

    label->Refresh();
    const QImage after = Render(label);
    SaveTestImage(QStringLiteral("label-after-refresh"), after);
    EXPECT_GT(InkCount(after, Face()), 20);
}

TEST_F(xLabelTest, ResizeAndAlignmentDrawTheCurrentCaption) {
    label->SetCaption(QString());
    label->Refresh();
    label->SetCaption(QStringLiteral("A"));
    label->resize(180, 40);
    EXPECT_GT(InkCount(Render(label), Face()), 0);

    label->SetCaption(QString());
    label->SetAlignment(0);
    EXPECT_EQ(InkCount(Render(label), Face()), 0);
}

TEST_F(xLabelTest, SettingColoursAndStylesDoesNotRedraw) {
    const QImage drawn = Render(label);
    label->SetBackColor(0x000000FF);
    label->SetForeColor(0x00FF0000);
    label->SetBackStyle(0);
    label->SetFont(QFont(QStringLiteral("DejaVu Sans"), 20));
    label->SetEnabled(false);
    QApplication::processEvents();
    EXPECT_EQ(Render(label), drawn);
    label->Refresh();
    EXPECT_NE(Render(label), drawn);
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

TEST_F(xLabelTest, RefreshDrawsAnewOnlyWhatWouldLookDifferent) {
    label->SetCaption(QStringLiteral("Giờ: Canh Tý"));
    label->Refresh();
    QApplication::processEvents();
    const qint64 drawn = label->Surface().cacheKey();
    PaintCounter paints(label);

    // The clock refreshes every label each second: an unchanged one is left alone.
    for (int i = 0; i < 3; ++i) {
        label->Refresh();
        QApplication::processEvents();
    }
    EXPECT_EQ(label->Surface().cacheKey(), drawn);
    EXPECT_EQ(paints.count, 0);

    label->SetCaption(QStringLiteral("Giờ: Nhâm Tý"));
    label->Refresh();
    QApplication::processEvents();
    EXPECT_NE(label->Surface().cacheKey(), drawn);
    EXPECT_GT(paints.count, 0);

    // A border that came and went left the old picture shifted: the next Refresh redraws.
    label->SetBorderStyle(1);
    label->SetBorderStyle(0);
    const qint64 shifted = label->Surface().cacheKey();
    label->Refresh();
    EXPECT_NE(label->Surface().cacheKey(), shifted);
}

TEST(xLabelFirstShow, TheFirstPaintDrawsTheLabelAsItWasWhenShown) {
    QWidget form;
    auto* label = new xLabel(&form, QStringLiteral("xLabel1"));
    label->setGeometry(10, 10, 200, 40);
    label->SetCaption(QStringLiteral("Tháng giêng"));
    form.resize(240, 80);
    form.show();
    // Before the first paint, a caption set without Refresh must not reach the screen.
    label->SetCaption(QString());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QColor face = ColorFromValue(SYS_COLOR_BUTTON_FACE, label->palette());
    EXPECT_GT(InkCount(Render(label), face), 20);
    label->Refresh();
    EXPECT_EQ(InkCount(Render(label), face), 0);
}

struct AlignmentRow {
    std::int16_t alignment;
    const char* name;
};

void PrintTo(const AlignmentRow& row, std::ostream* out) {
    *out << row.name << " (" << row.alignment << ")";
}

class xLabelAlignment : public xLabelTest, public ::testing::WithParamInterface<AlignmentRow> {};

TEST_P(xLabelAlignment, CaptionPosition) {
    label->resize(200, 60);
    label->SetCaption(QStringLiteral("Đông chí"));
    label->SetAlignment(GetParam().alignment);
    const QImage image = Render(label);
    SaveTestImage(QStringLiteral("label-align-") + QString::fromLatin1(GetParam().name), image);
    const QRect ink = InkBounds(image, Face());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LT(ink.top(), 6); // never centred vertically
    switch (GetParam().alignment) {
    case 0:
        EXPECT_LT(ink.left(), 3);
        break;
    case 1:
        EXPECT_NEAR(ink.center().x(), 100, 3);
        break;
    default:
        EXPECT_GT(ink.right(), 195);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Flags, xLabelAlignment,
                         ::testing::Values(AlignmentRow{0, "left"}, AlignmentRow{1, "centre"},
                                           AlignmentRow{2, "right"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(xLabelTest, CaptionWiderThanTheLabelIsCutAtItsEdge) {
    label->resize(40, 30);
    label->SetCaption(QStringLiteral("Thứ năm Thứ năm Thứ năm"));
    label->SetAlignment(1);
    const QImage image = Render(label);
    EXPECT_GT(InkCount(image, Face(), QRect(0, 0, 2, 30)), 0);
    EXPECT_GT(InkCount(image, Face(), QRect(38, 0, 2, 30)), 0);
}

TEST_F(xLabelTest, LineBreaksStartNewLines) {
    label->resize(200, 80);
    label->SetCaption(QStringLiteral("Giờ\r\nNgày\rTháng\nNăm"));
    label->Refresh();
    const QImage image = Render(label);
    SaveTestImage(QStringLiteral("label-lines"), image);
    const int lineHeight = QFontMetrics(label->font()).height();
    for (int line = 0; line < 4; ++line) {
        EXPECT_GT(InkCount(image, Face(), QRect(0, line * lineHeight + 2, 200, lineHeight - 4)), 0)
            << "line " << line;
    }
}

TEST_F(xLabelTest, TransparentShowsTheContainerOpaqueFillsWithBackColor) {
    form->setAutoFillBackground(true);
    QPalette red = form->palette();
    red.setColor(QPalette::Window, QColor(255, 0, 0));
    form->setPalette(red);
    label->SetBackColor(0x0000FF00); // green
    label->SetBackStyle(0);
    label->Refresh();
    QImage image = form->grab(label->geometry()).toImage();
    SaveTestImage(QStringLiteral("label-transparent"), image);
    EXPECT_EQ(image.pixelColor(199, 39), QColor(255, 0, 0));

    label->SetBackStyle(1);
    label->Refresh();
    image = form->grab(label->geometry()).toImage();
    SaveTestImage(QStringLiteral("label-opaque"), image);
    EXPECT_EQ(image.pixelColor(199, 39), QColor(0, 255, 0));
}

TEST_F(xLabelTest, SingleLineBorderSurroundsTheClientArea) {
    label->SetCaption(QStringLiteral("|"));
    label->SetBorderStyle(1);
    label->Refresh();
    const QImage image = Render(label);
    SaveTestImage(QStringLiteral("label-border"), image);
    const QColor frame = ColorFromValue(SYS_COLOR_WINDOW_FRAME, label->palette());
    EXPECT_EQ(image.pixel(0, 20), frame.rgb());
    EXPECT_EQ(image.pixel(199, 20), frame.rgb());
    EXPECT_EQ(image.pixel(100, 0), frame.rgb());
    EXPECT_EQ(label->Surface().size(), QSize(198, 38));
    // The caption starts at the left edge of the client area, inside the border.
    const QRect ink = InkBounds(image, Face(), QRect(1, 1, 198, 38));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 1);
    EXPECT_LE(ink.left(), 4);
}

TEST_F(xLabelTest, BorderComingOrGoingDrawsNothingNew) {
    const QImage drawn = Render(label); // "UniLabel", no border
    label->SetCaption(QStringLiteral("Tháng giêng"));
    label->SetBorderStyle(1);
    const QImage framed = Render(label);
    SaveTestImage(QStringLiteral("label-border-before-refresh"), framed);
    // Inside the border the old image is still shown, where it was on screen.
    EXPECT_EQ(framed.copy(1, 1, 198, 38), drawn.copy(1, 1, 198, 38));

    label->SetBorderStyle(0);
    EXPECT_EQ(Render(label), drawn);

    PropertyBag bag;
    bag.Set(QStringLiteral("borderstyle"), std::int32_t{1});
    label->ReadProperties(bag);
    EXPECT_EQ(Render(label).copy(1, 1, 198, 38), drawn.copy(1, 1, 198, 38));
    label->Refresh();
    EXPECT_NE(Render(label).copy(1, 1, 198, 38), drawn.copy(1, 1, 198, 38));
}

TEST_F(xLabelTest, LabelNarrowerThanItsBorderDrawsNoCaption) {
    label->resize(1, 1);
    label->SetBorderStyle(1);
    label->Refresh();
    EXPECT_TRUE(label->Surface().isNull());
    EXPECT_EQ(Render(label).size(), QSize(1, 1));
}

TEST_F(xLabelTest, DisabledContainerLeavesTheLabelsOwnSettingAlone) {
    form->setEnabled(false);
    EXPECT_TRUE(label->Enabled());
    PropertyBag saved;
    label->WriteProperties(saved);
    EXPECT_EQ(saved.Find(u"Enabled"), nullptr); // still the default, so not written

    label->SetEnabled(false);
    form->setEnabled(true);
    EXPECT_FALSE(label->Enabled());
    label->WriteProperties(saved);
    EXPECT_FALSE(saved.ReadBool(u"Enabled", true));
}

TEST_F(xLabelTest, VietnameseCaptionIsDrawnLetterForLetter) {
    std::u16string vni = u"Tha1ng gie6ng";
    const QString caption = QString::fromStdU16String(VniToUnicode(vni));
    ASSERT_EQ(caption, QStringLiteral("Tháng giêng"));
    const QFontMetrics metrics(label->font());
    for (const QChar ch : caption) {
        EXPECT_TRUE(metrics.inFont(ch)) << static_cast<int>(ch.unicode());
    }
    label->SetCaption(caption);
    label->Refresh();
    const QImage marked = Render(label);
    label->SetCaption(QStringLiteral("Thang gieng"));
    label->Refresh();
    const QImage plain = Render(label);
    EXPECT_GT(InkCount(marked, Face()), InkCount(plain, Face())); // the marks are drawn
}

TEST_F(xLabelTest, MouseEventsInTwipsAndOneClick) {
    QStringList events;
    QObject::connect(label, &xLabel::MouseDown, label, [&](qint16 b, qint16 s, float x, float y) {
        events << QStringLiteral("MouseDown %1 %2 %3 %4").arg(b).arg(s).arg(x).arg(y);
    });
    QObject::connect(label, &xLabel::MouseUp, label, [&](qint16 b, qint16, float, float) {
        events << QStringLiteral("MouseUp %1").arg(b);
    });
    QObject::connect(label, &xLabel::Click, label, [&] { events << QStringLiteral("Click"); });
    QObject::connect(label, &xLabel::DblClick, label,
                     [&] { events << QStringLiteral("DblClick"); });
    Mouse::Click(label, QPoint(4, 5));
    EXPECT_EQ(events, (QStringList{QStringLiteral("MouseDown 1 0 60 75"),
                                   QStringLiteral("MouseUp 1"), QStringLiteral("Click")}));
    events.clear();
    Mouse::DoubleClick(label, QPoint(4, 5));
    EXPECT_EQ(events, (QStringList{QStringLiteral("MouseDown 1 0 60 75"),
                                   QStringLiteral("MouseUp 1"), QStringLiteral("Click"),
                                   QStringLiteral("DblClick"), QStringLiteral("MouseUp 1")}));
}

TEST_F(xLabelTest, DisabledLabelRaisesNoMouseEvents) {
    QSignalSpy down(label, &xLabel::MouseDown);
    QSignalSpy click(label, &xLabel::Click);
    label->SetEnabled(false);
    Mouse::Click(label, QPoint(4, 5));
    EXPECT_EQ(down.count(), 0);
    EXPECT_EQ(click.count(), 0);
}

TEST_F(xLabelTest, KeysAreRelayedWithShiftState) {
    label->setFocus();
    QSignalSpy down(label, &xLabel::KeyDown);
    QSignalSpy press(label, &xLabel::KeyPress);
    QSignalSpy up(label, &xLabel::KeyUp);
    QTest::sendKeyEvent(QTest::Click, form->windowHandle(), Qt::Key_A, QStringLiteral("A"),
                        Qt::ShiftModifier);
    // The Shift key itself goes down and up first and last.
    ASSERT_EQ(down.count(), 2);
    EXPECT_EQ(down.at(0).at(0).toInt(), 16);
    EXPECT_EQ(down.at(1).at(0).toInt(), 65);
    EXPECT_EQ(down.at(1).at(1).toInt(), 1);
    ASSERT_EQ(press.count(), 1);
    EXPECT_EQ(press.at(0).at(0).toInt(), 'A');
    EXPECT_EQ(up.count(), 2);
}

TEST_F(xLabelTest, StoredPropertiesApplyWithoutNoticeOrDrawing) {
    const QImage drawn = Render(label);
    PropertyBag bag;
    bag.Set(QStringLiteral("_extentx"), std::int32_t{5292});
    bag.Set(QStringLiteral("backcolor"), std::int32_t{0x00FFFFFF});
    bag.Set(QStringLiteral("caption"), QStringLiteral("lbNgayD"));
    bag.Set(QStringLiteral("alignment"), std::int32_t{1});
    QSignalSpy changed(label, &xLabel::PropertyChanged);
    label->ReadProperties(bag);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(label->Caption(), QStringLiteral("lbNgayD"));
    EXPECT_EQ(label->Alignment(), 1);
    EXPECT_EQ(label->BackColor(), 0x00FFFFFFU);
    EXPECT_EQ(label->ForeColor(), SYS_COLOR_BUTTON_TEXT); // missing: the default
    EXPECT_EQ(Render(label), drawn);

    PropertyBag saved;
    label->SetBorderStyle(1);
    label->WriteProperties(saved);
    QStringList keys;
    for (const auto& entry : saved.Entries()) {
        keys << entry.Key;
    }
    EXPECT_EQ(keys, (QStringList{QStringLiteral("BackColor"), QStringLiteral("BorderStyle"),
                                 QStringLiteral("Caption"), QStringLiteral("Alignment")}));
}

} // namespace
} // namespace moonleaf
