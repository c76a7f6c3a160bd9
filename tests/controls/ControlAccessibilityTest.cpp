// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology learns of the self-drawn controls through QAccessible: names
// from captions or accessible names, roles, the button's press action, the text box's text
// and read-only state, and the shapes as decoration.
#include "controls/DesignShapes.h"
#include "controls/UniTextBox.h"
#include "controls/xButton.h"
#include "controls/xLabel.h"
#include "support/TestSupport.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace moonleaf {
namespace {

QAccessibleInterface* Accessible(QWidget* widget) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    EXPECT_NE(iface, nullptr);
    return iface;
}

QString Name(QWidget* widget) {
    return Accessible(widget)->text(QAccessible::Name);
}

class ControlAccessibilityTest : public ::testing::Test {
protected:
    std::unique_ptr<QWidget> form = std::make_unique<QWidget>();
};

TEST_F(ControlAccessibilityTest, LabelIsStaticTextNamedByItsCaption) {
    auto* label = new xLabel(form.get(), QStringLiteral("lbThangD"));
    label->SetCaption(QStringLiteral("Tháng Chạp"));
    EXPECT_EQ(Accessible(label)->role(), QAccessible::StaticText);
    EXPECT_EQ(Name(label), QStringLiteral("Tháng Chạp"));
    // The name follows the caption at once, before the label draws it.
    label->SetCaption(QStringLiteral("Giêng && Hai"));
    EXPECT_EQ(Name(label), QStringLiteral("Giêng & Hai"));
    label->SetAlignment(0x800); // no '&' processing: the caption is drawn as it is
    EXPECT_EQ(Name(label), QStringLiteral("Giêng && Hai"));
    label->setAccessibleName(QStringLiteral("Tháng âm"));
    EXPECT_EQ(Name(label), QStringLiteral("Tháng âm"));
}

TEST_F(ControlAccessibilityTest, SymbolButtonIsNamedByItsAccessibleNameAndTextButtonByCaption) {
    auto* arrow = new xButton(form.get(), QStringLiteral("btNext"));
    arrow->SetCaption(QStringLiteral("\u25B6"));
    EXPECT_EQ(Accessible(arrow)->role(), QAccessible::Button);
    EXPECT_EQ(Name(arrow), QStringLiteral("\u25B6"));
    arrow->setAccessibleName(QStringLiteral("Ngày sau"));
    EXPECT_EQ(Name(arrow), QStringLiteral("Ngày sau"));
    arrow->SetCaption(QStringLiteral("\u25C0")); // the accessible name still stands
    EXPECT_EQ(Name(arrow), QStringLiteral("Ngày sau"));

    auto* text = new xButton(form.get(), QStringLiteral("btTimAm"));
    text->SetCaption(QStringLiteral("&Tìm ngày âm"));
    EXPECT_EQ(Name(text), QStringLiteral("Tìm ngày âm"));
}

TEST_F(ControlAccessibilityTest, PressActionRaisesClickOnceAfterTheCallReturnsWhenEnabled) {
    auto* button = new xButton(form.get(), QStringLiteral("btNow"));
    testing::ShowForm(form.get());
    QSignalSpy clicks(button, &xButton::Click);
    QSignalSpy downs(button, &xButton::MouseDown);
    QAccessibleActionInterface* actions = Accessible(button)->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    // A handler may open a modal box: the click waits for the event loop.
    EXPECT_EQ(clicks.count(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(downs.count(), 0); // no mouse was involved

    button->SetEnabled(false);
    EXPECT_FALSE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(ControlAccessibilityTest, TextBoxExposesItsTextAndReadOnlyState) {
    auto* box = new UniTextBox(form.get(), QStringLiteral("txDanhNgon"));
    box->setGeometry(0, 0, 300, 40);
    const QString saying = QStringLiteral("Có công mài sắt, có ngày nên kim (Tục ngữ)");
    box->SetText(saying);
    box->SetLocked(true);
    QAccessibleInterface* iface = Accessible(box);
    EXPECT_EQ(iface->role(), QAccessible::EditableText);
    EXPECT_EQ(iface->text(QAccessible::Name), saying);
    EXPECT_EQ(iface->text(QAccessible::Value), saying);
    EXPECT_TRUE(iface->state().readOnly);
    EXPECT_FALSE(iface->state().editable);
    QAccessibleTextInterface* text = iface->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), saying.size());
    EXPECT_EQ(text->text(0, 7), QStringLiteral("Có công"));

    box->SetLocked(false);
    EXPECT_FALSE(iface->state().readOnly);
    EXPECT_TRUE(iface->state().editable);
    // A new edit window (multi-line now) carries the text; the box still reads it.
    box->SetMultiline(true);
    EXPECT_TRUE(iface->state().multiLine);
    EXPECT_EQ(iface->text(QAccessible::Value), saying);
    EXPECT_EQ(iface->textInterface()->characterCount(), saying.size());
    // The edit window keeps its own interface, with the same text.
    QAccessibleInterface* inner = Accessible(box->EditWidget());
    EXPECT_EQ(inner->role(), QAccessible::EditableText);
    EXPECT_EQ(inner->text(QAccessible::Value), saying);
    // A name set on the box stands in for the text as its name, not as its value.
    box->setAccessibleName(QStringLiteral("Danh ngôn"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Danh ngôn"));
    EXPECT_EQ(iface->text(QAccessible::Value), saying);
}

TEST_F(ControlAccessibilityTest, PasswordBoxDoesNotTellItsText) {
    auto* box = new UniTextBox(form.get(), QStringLiteral("txSecret"));
    box->SetPasswordChar(QStringLiteral("*"));
    box->SetText(QStringLiteral("bí mật"));
    QAccessibleInterface* iface = Accessible(box);
    EXPECT_TRUE(iface->state().passwordEdit);
    EXPECT_FALSE(iface->text(QAccessible::Value).contains(QStringLiteral("bí mật")));
    EXPECT_FALSE(iface->text(QAccessible::Name).contains(QStringLiteral("bí mật")));
}

TEST_F(ControlAccessibilityTest, PictureIsAGraphicOrThePaneOfWhatItHoldsAndShapesSeparate) {
    auto* moon = new PictureBox(form.get(), QStringLiteral("PicLunar"));
    EXPECT_EQ(Accessible(moon)->role(), QAccessible::Graphic);
    auto* panel = new PictureBox(form.get(), QStringLiteral("Picture1"));
    new xLabel(panel, QStringLiteral("lbTietKhi"));
    EXPECT_EQ(Accessible(panel)->role(), QAccessible::Pane);
    EXPECT_EQ(Accessible(new ShapeBox(panel))->role(), QAccessible::Separator);
    EXPECT_EQ(Accessible(new LineShape(panel))->role(), QAccessible::Separator);
}

} // namespace
} // namespace moonleaf
