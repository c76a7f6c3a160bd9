// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/UniTextBox.h"

#include "support/TestSupport.h"
#include "controls/Ambient.h"
#include "controls/PropertyBag.h"
#include "text/VniToUnicode.h"

#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <memory>

namespace moonleaf {
namespace {

using testing::Mouse;
using testing::Render;
using testing::SaveTestImage;

class UniTextBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<QWidget>();
        form->setObjectName(QStringLiteral("frmTest"));
        before = new QLineEdit(form.get());
        before->setObjectName(QStringLiteral("before"));
        before->setGeometry(10, 150, 100, 24);
        box = new UniTextBox(form.get(), QStringLiteral("txDanhNgon"));
        box->setGeometry(10, 10, 240, 60);
        QWidget::setTabOrder(before, box);
        testing::ShowForm(form.get());
    }

    QWindow* Window() const { return form->windowHandle(); }
    QLineEdit* Line() const { return qobject_cast<QLineEdit*>(box->EditWidget()); }
    QTextEdit* Multi() const { return qobject_cast<QTextEdit*>(box->EditWidget()); }
    QString Shown() const { return Line() != nullptr ? Line()->text() : Multi()->toPlainText(); }

    // Records every event with what the edit window holds at that moment.
    void Record() {
        auto add = [this](const QString& what) {
            events << what + QStringLiteral(" [") + Shown() + u']';
        };
        QObject::connect(box, &UniTextBox::KeyDown, box, [=](qint16 code, qint16 shift) {
            add(QStringLiteral("KeyDown %1 %2").arg(code).arg(shift));
        });
        QObject::connect(box, &UniTextBox::KeyPress, box,
                         [=](qint16 ascii) { add(QStringLiteral("KeyPress %1").arg(ascii)); });
        QObject::connect(box, &UniTextBox::KeyUp, box, [=](qint16 code, qint16 shift) {
            add(QStringLiteral("KeyUp %1 %2").arg(code).arg(shift));
        });
        QObject::connect(box, &UniTextBox::Change, box, [=] { add(QStringLiteral("Change")); });
        QObject::connect(box, &UniTextBox::Click, box, [=] { add(QStringLiteral("Click")); });
        QObject::connect(box, &UniTextBox::DbClick, box, [=] { add(QStringLiteral("DbClick")); });
        QObject::connect(box, &UniTextBox::MouseDown, box, [=](qint16 b, qint16, float x, float y) {
            add(QStringLiteral("MouseDown %1 %2 %3").arg(b).arg(x).arg(y));
        });
        QObject::connect(box, &UniTextBox::MouseUp, box, [=](qint16 b, qint16, float x, float y) {
            add(QStringLiteral("MouseUp %1 %2 %3").arg(b).arg(x).arg(y));
        });
    }

    std::unique_ptr<QWidget> form;
    QLineEdit* before = nullptr;
    UniTextBox* box = nullptr;
    QStringList events;
};

TEST_F(UniTextBoxTest, NewBoxHoldsItsNameInAnEditWindowFillingIt) {
    ASSERT_NE(Line(), nullptr);
    EXPECT_EQ(box->Text(), QStringLiteral("txDanhNgon"));
    EXPECT_EQ(box->EditWidget()->geometry(), box->rect());
    box->resize(300, 80);
    EXPECT_EQ(box->EditWidget()->geometry(), QRect(0, 0, 300, 80));
    EXPECT_EQ(box->Interception().UsedSlotCount(), 2); // the control window and the edit window
}

TEST_F(UniTextBoxTest, TypingALetterRaisesKeyDownKeyPressChangeKeyUp) {
    Record();
    // The multi-line window takes its keys on itself and its mouse on its viewport; both
    // windows keep the same order.
    for (const bool multiline : {false, true}) {
        box->SetMultiline(multiline);
        box->SetText(QString());
        box->Focus();
        events.clear();
        QTest::keyClick(Window(), 'a');
        EXPECT_EQ(events,
                  (QStringList{QStringLiteral("KeyDown 65 0 []"), QStringLiteral("KeyPress 97 []"),
                               QStringLiteral("Change [a]"), QStringLiteral("KeyUp 65 0 [a]")}))
            << "multiline " << multiline;
    }
}

TEST_F(UniTextBoxTest, ShiftStateCountsTheModifierKeyItself) {
    box->Focus();
    QStringList keys;
    QObject::connect(box, &UniTextBox::KeyDown, box, [&](qint16 code, qint16 shift) {
        keys << QStringLiteral("down %1 %2").arg(code).arg(shift);
    });
    QObject::connect(box, &UniTextBox::KeyUp, box, [&](qint16 code, qint16 shift) {
        keys << QStringLiteral("up %1 %2").arg(code).arg(shift);
    });
    // Shift goes down, A is pressed and released, Shift comes up: the Shift key's own
    // release already finds it up.
    QTest::keyClick(Window(), Qt::Key_A, Qt::ShiftModifier);
    EXPECT_EQ(keys, (QStringList{QStringLiteral("down 16 1"), QStringLiteral("down 65 1"),
                                 QStringLiteral("up 65 1"), QStringLiteral("up 16 0")}));
}

TEST_F(UniTextBoxTest, MouseDraggedOutToTheLeftGivesNegativeTwips) {
    QStringList moves;
    QObject::connect(box, &UniTextBox::MouseMove, box,
                     [&](qint16 button, qint16, float x, float y) {
                         moves << QStringLiteral("%1 %2 %3").arg(button).arg(x).arg(y);
                     });
    Mouse::MoveTo(box->EditWidget(), QPoint(20, 10));
    Mouse::Press();
    moves.clear();
    // The box lies at (10, 10) in the form; the edge is two pixels: form x 2 is client x -10.
    Mouse::MoveTo(form.get(), QPoint(2, 20));
    Mouse::Release();
    EXPECT_EQ(moves, QStringList{QStringLiteral("1 -150 120")});
}

TEST_F(UniTextBoxTest, EveryKeyReleaseRaisesChange) {
    box->Focus();
    QSignalSpy change(box, &UniTextBox::Change);
    QTest::keyClick(Window(), Qt::Key_Left);
    QTest::keyClick(Window(), Qt::Key_Home);
    EXPECT_EQ(change.count(), 2);
}

TEST_F(UniTextBoxTest, WritingTextRaisesChangeOnceEvenWhenEqual) {
    QSignalSpy change(box, &UniTextBox::Change);
    box->SetText(QStringLiteral("Mồng 1"));
    box->SetText(QStringLiteral("Mồng 1"));
    EXPECT_EQ(change.count(), 2);
    EXPECT_EQ(box->Text(), QStringLiteral("Mồng 1"));
}

TEST_F(UniTextBoxTest, TabGivesTheFocusToTheFormAndStillRaisesKeyPress) {
    box->SetText(QStringLiteral("x"));
    box->Focus();
    QSignalSpy press(box, &UniTextBox::KeyPress);
    QTest::keyClick(Window(), Qt::Key_Tab);
    ASSERT_EQ(press.count(), 1);
    EXPECT_EQ(press.at(0).at(0).toInt(), 9);
    EXPECT_EQ(QApplication::focusWidget(), form.get());
    EXPECT_EQ(box->Text(), QStringLiteral("x"));
}

TEST_F(UniTextBoxTest, TabCharacterStillReachesAMultiLineEditWindow) {
    box->SetMultiline(true);
    box->SetText(QStringLiteral("x"));
    box->Focus();
    QTest::keyClick(Window(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.get());
    EXPECT_EQ(box->Text(), QStringLiteral("\tx"));
}

TEST_F(UniTextBoxTest, FocusOnTheControlPassesToTheEditWindow) {
    before->setFocus();
    QTest::keyClick(Window(), Qt::Key_Tab); // the form's tab order reaches the control
    EXPECT_EQ(QApplication::focusWidget(), box->EditWidget());
    box->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), box->EditWidget());
}

TEST_F(UniTextBoxTest, NumberOnlyRefusesLettersButRaisesTheirKeyPress) {
    box->SetNumberOnly(true);
    box->SetText(QString());
    box->Focus();
    QSignalSpy press(box, &UniTextBox::KeyPress);
    testing::Type(box->EditWidget(), QStringLiteral("a1b2"));
    EXPECT_EQ(box->Text(), QStringLiteral("12"));
    EXPECT_EQ(press.count(), 4);
}

TEST_F(UniTextBoxTest, TextConvertChangesTheCaseOfTypedLetters) {
    box->SetText(QStringLiteral("giữ"));
    box->SetTextConvert(1);
    box->Focus();
    box->SetSelStart(3);
    testing::Type(box->EditWidget(), QStringLiteral(" việt"));
    EXPECT_EQ(box->Text(), QStringLiteral("giữ VIỆT")); // text already there stays
    box->SetTextConvert(2);
    box->Focus();
    box->SetSelStart(8);
    testing::Type(box->EditWidget(), QStringLiteral(" NAM"));
    EXPECT_EQ(box->Text(), QStringLiteral("giữ VIỆT nam"));
}

TEST_F(UniTextBoxTest, PasswordCharMasks) {
    box->SetText(QStringLiteral("abc"));
    box->SetPasswordChar(QStringLiteral("#"));
    EXPECT_EQ(Line()->displayText(), QStringLiteral("###"));
    box->SetPasswordChar(QStringLiteral("*x")); // only the first character counts
    EXPECT_EQ(box->PasswordChar(), QStringLiteral("*"));
    EXPECT_EQ(Line()->displayText(), QStringLiteral("***")); // set on the window as given
    box->SetAlignment(1);                                    // a new window: the platform mask
    const QChar mask = Line()->displayText().front();
    EXPECT_NE(mask, u'*');
    EXPECT_EQ(Line()->displayText(), QString(3, mask));
    EXPECT_EQ(box->Text(), QStringLiteral("abc"));
    box->SetPasswordChar(QString());
    EXPECT_EQ(Line()->displayText(), QStringLiteral("abc"));
    box->SetPasswordChar(QStringLiteral("#"));
    box->SetMultiline(true); // a multi-line box masks nothing
    ASSERT_NE(Multi(), nullptr);
    const QImage masked = Render(box);
    box->SetPasswordChar(QString());
    EXPECT_EQ(Render(box), masked);
}

TEST_F(UniTextBoxTest, RebuildKeepsTextFontLengthLimitAndSize) {
    const QFont font(QStringLiteral("DejaVu Sans"), 14, QFont::Bold);
    box->SetFont(font);
    box->SetText(QStringLiteral("Xin chào"));
    box->SetMaxLength(10);
    box->SetMultiline(true);
    ASSERT_NE(Multi(), nullptr);
    EXPECT_EQ(box->Text(), QStringLiteral("Xin chào"));
    EXPECT_EQ(box->EditWidget()->font(), font);
    EXPECT_EQ(box->EditWidget()->geometry(), QRect(0, 0, 240, 60));
    box->Focus();
    box->SetSelStart(8);
    testing::Type(box->EditWidget(), QStringLiteral(" bạn ơi"));
    EXPECT_EQ(box->Text(), QStringLiteral("Xin chào b"));

    box->SetMultiline(false);
    ASSERT_NE(Line(), nullptr);
    box->SetText(QStringLiteral("Một câu dài hơn giới hạn"));
    EXPECT_EQ(box->Text(), QStringLiteral("Một câu dài hơn giới hạn")); // never cut
    box->Focus();
    testing::Type(box->EditWidget(), QStringLiteral("x"));
    EXPECT_EQ(box->Text(), QStringLiteral("Một câu dài hơn giới hạn"));
}

TEST_F(UniTextBoxTest, VietnameseTextRoundTripsExactly) {
    std::u16string vni = u"Nguye64n Tra4i: \"Ngu7o72i ta la2 hoa d9a61t\" 𝄞";
    const QString text = QString::fromStdU16String(VniToUnicode(vni));
    box->SetText(text);
    EXPECT_EQ(box->Text().toStdU16String(), vni);
    box->SetMultiline(true);
    EXPECT_EQ(box->Text().toStdU16String(), vni);
    SaveTestImage(QStringLiteral("textbox-vietnamese"), Render(box));
    // No-break spaces, line separators and line breaks come back as written, in both windows.
    const QString spaced = QString::fromUtf16(u"Mồng\u00A01 Tết\u2028ông\nbà");
    box->SetText(spaced);
    EXPECT_EQ(box->Text(), spaced);
    box->SetMultiline(false);
    EXPECT_EQ(box->Text(), spaced);
}

TEST_F(UniTextBoxTest, SelectionStartReadsOneBasedAndWritesZeroBased) {
    box->SetText(QStringLiteral("Đông chí"));
    EXPECT_EQ(box->SelStart(), 1); // the caret at the very beginning
    box->SetSelStart(2);
    EXPECT_EQ(box->SelStart(), 3);
    box->SetSelStart(box->SelStart()); // reading and writing back moves one to the right
    EXPECT_EQ(box->SelStart(), 4);
    box->SetSelStart(0);
    box->SetSelLength(4);
    EXPECT_EQ(box->SelLength(), 4);
    EXPECT_EQ(box->SelText(), QStringLiteral("Đông"));
    box->SetSelStart(5); // combined with the last written length
    EXPECT_EQ(box->SelText(), QStringLiteral("chí"));
    QSignalSpy change(box, &UniTextBox::Change);
    box->SetSelText(QStringLiteral("Hạ"));
    EXPECT_EQ(box->Text(), QStringLiteral("Đông Hạ"));
    EXPECT_EQ(change.count(), 0);
}

TEST_F(UniTextBoxTest, LeftButtonClicksRightButtonDoesNot) {
    Record();
    Mouse::Click(box->EditWidget(), QPoint(12, 7));
    // The sunken edge is two pixels wide: (12, 7) is (10, 5) in the client area.
    EXPECT_EQ(events, (QStringList{QStringLiteral("MouseDown 1 150 75 [txDanhNgon]"),
                                   QStringLiteral("MouseUp 0 150 75 [txDanhNgon]"),
                                   QStringLiteral("Click [txDanhNgon]")}));
    events.clear();
    Mouse::Click(box->EditWidget(), QPoint(12, 7), Qt::RightButton);
    EXPECT_EQ(events, (QStringList{QStringLiteral("MouseDown 2 150 75 [txDanhNgon]"),
                                   QStringLiteral("MouseUp 0 150 75 [txDanhNgon]")}));
}

TEST_F(UniTextBoxTest, DoubleClickRaisesDbClickInPlaceOfTheSecondMouseDown) {
    Record();
    Mouse::DoubleClick(box->EditWidget(), QPoint(12, 7));
    QStringList kinds;
    for (const QString& e : events) {
        kinds << e.section(u' ', 0, 0);
    }
    EXPECT_EQ(kinds, (QStringList{QStringLiteral("MouseDown"), QStringLiteral("MouseUp"),
                                  QStringLiteral("Click"), QStringLiteral("DbClick"),
                                  QStringLiteral("MouseUp"), QStringLiteral("Click")}));
}

TEST_F(UniTextBoxTest, ClickHandlerMayWriteTextAndEventsGoOn) {
    int clicks = 0;
    QObject::connect(box, &UniTextBox::Click, box, [&] {
        ++clicks;
        box->SetText(QStringLiteral("Lần %1").arg(clicks));
    });
    Mouse::Click(box->EditWidget(), QPoint(20, 10));
    Mouse::Click(box->EditWidget(), QPoint(30, 10));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(box->Text(), QStringLiteral("Lần 2"));
    EXPECT_EQ(box->Interception().UsedSlotCount(), 2);
    QSignalSpy press(box, &UniTextBox::KeyPress);
    QTest::keyClick(Window(), 'z');
    EXPECT_EQ(press.count(), 1);
}

TEST_F(UniTextBoxTest, HandlerMayRebuildTheEditWindowItIsIn) {
    QObject::connect(box, &UniTextBox::Click, box,
                     [this] { box->SetMultiline(!box->Multiline()); });
    Mouse::Click(box->EditWidget(), QPoint(20, 10));
    QApplication::processEvents();
    ASSERT_NE(Multi(), nullptr);
    EXPECT_EQ(box->findChildren<QWidget*>(QStringLiteral("Edit")).size(), 1);
    Mouse::Click(box->EditWidget(), QPoint(20, 10));
    EXPECT_NE(Line(), nullptr);
    EXPECT_EQ(box->Text(), QStringLiteral("txDanhNgon"));
}

TEST_F(UniTextBoxTest, InADesignerTheFirstMessageEndsInterceptionAndRaisesNothing) {
    SetDesignerMode(form.get(), true);
    box->Focus();
    Record();
    QTest::keyClick(Window(), 'a');
    // The key-down message ended the interception; the key itself reached the edit window.
    EXPECT_EQ(box->Interception().UsedSlotCount(), 0);
    EXPECT_EQ(Line()->text(), QStringLiteral("atxDanhNgon"));
    Mouse::Click(box->EditWidget(), QPoint(20, 10));
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(box->Interception().UsedSlotCount(), 0);
    box->setFocus(); // no interception, so the control window keeps the focus it is given
    EXPECT_EQ(QApplication::focusWidget(), box);
}

TEST_F(UniTextBoxTest, SelectionWithoutTheFocusIsKeptAndShownOnlyWithHideSelection) {
    const QColor highlight = box->palette().color(QPalette::Active, QPalette::Highlight);
    for (const bool hideSelection : {false, true}) {
        box->SetHideSelection(hideSelection);
        box->SetText(QStringLiteral("Quang Trung"));
        box->Focus();
        box->SetSelStart(0);
        box->SetSelLength(5);
        before->setFocus();
        const QImage image = Render(box);
        SaveTestImage(QStringLiteral("textbox-selection-%1").arg(hideSelection), image);
        EXPECT_EQ(box->SelLength(), 5) << hideSelection;
        const int highlighted = testing::CountColor(image, highlight);
        if (hideSelection) {
            EXPECT_GT(highlighted, 40);
        } else {
            EXPECT_EQ(highlighted, 0);
        }
    }
}

TEST_F(UniTextBoxTest, LockedBoxKeepsItsTextAndStillRaisesKeys) {
    box->SetLocked(true);
    box->Focus();
    QSignalSpy down(box, &UniTextBox::KeyDown);
    QTest::keyClick(Window(), 'q');
    EXPECT_EQ(box->Text(), QStringLiteral("txDanhNgon"));
    EXPECT_EQ(down.count(), 1);
}

TEST_F(UniTextBoxTest, CentredMultiLineQuotationBox) {
    PropertyBag bag;
    bag.Set(QStringLiteral("text"), QString());
    bag.Set(QStringLiteral("multiline"), true);
    bag.Set(QStringLiteral("locked"), true);
    bag.Set(QStringLiteral("borderstyle"), std::int32_t{0});
    bag.Set(QStringLiteral("alignment"), std::int32_t{2});
    bag.Set(QStringLiteral("hideselection"), true);
    bag.Set(QStringLiteral("backcolor"), std::int32_t{0x00FFFFFF});
    box->ReadProperties(bag);
    ASSERT_NE(Multi(), nullptr);
    EXPECT_TRUE(Multi()->isReadOnly());
    EXPECT_EQ(box->Text(), QString());
    box->SetText(QStringLiteral("Ai ơi"));
    const QImage image = Render(box);
    SaveTestImage(QStringLiteral("textbox-centred"), image);
    const QRect ink = testing::InkBounds(image, image.pixelColor(0, 0));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.center().x(), 120, 4);

    PropertyBag saved;
    box->WriteProperties(saved);
    QStringList keys;
    for (const auto& entry : saved.Entries()) {
        keys << entry.Key;
    }
    // "Text" is the last text written: "Ai ơi".
    EXPECT_EQ(keys, (QStringList{QStringLiteral("BackColor"), QStringLiteral("Text"),
                                 QStringLiteral("MultiLine"), QStringLiteral("Locked"),
                                 QStringLiteral("BorderStyle"), QStringLiteral("Alignment"),
                                 QStringLiteral("HideSelection")}));
}

TEST_F(UniTextBoxTest, ABoxPlacedByADesignEqualsAFreshBoxThatReadIt) {
    PropertyBag design;
    design.Set(QStringLiteral("Text"), QStringLiteral("Thuốc đắng dã tật"));
    design.Set(QStringLiteral("MultiLine"), true);
    design.Set(QStringLiteral("Locked"), true);
    design.Set(QStringLiteral("BorderStyle"), std::int32_t{0});
    design.Set(QStringLiteral("Alignment"), std::int32_t{2});
    const QRect place(12, 80, 200, 46);
    auto* placed = new UniTextBox(form.get(), QStringLiteral("txPlaced"), place, design);
    auto* read = new UniTextBox(form.get(), QStringLiteral("txPlaced"));
    read->setGeometry(place);
    read->ReadProperties(design);

    EXPECT_EQ(placed->geometry(), place);
    ASSERT_NE(qobject_cast<QTextEdit*>(placed->EditWidget()), nullptr);
    EXPECT_EQ(placed->EditWidget()->geometry(), QRect(QPoint(0, 0), place.size()));
    EXPECT_TRUE(placed->findChildren<QLineEdit*>().isEmpty());
    EXPECT_EQ(placed->Text(), read->Text());
    PropertyBag fromPlaced;
    PropertyBag fromRead;
    placed->WriteProperties(fromPlaced);
    read->WriteProperties(fromRead);
    ASSERT_EQ(fromPlaced.Entries().size(), fromRead.Entries().size());
    for (std::size_t i = 0; i < fromRead.Entries().size(); ++i) {
        EXPECT_EQ(fromPlaced.Entries()[i].Key, fromRead.Entries()[i].Key);
    }
}

TEST_F(UniTextBoxTest, StoredPropertiesKeepTheirOrderAndReadBackWithoutRegardToCase) {
    box->SetFont(QFont(QStringLiteral("DejaVu Sans"), 14));
    box->SetForeColor(0x000000FF);
    box->SetBackColor(0x00FFFFFF);
    box->SetText(QStringLiteral("Tết Nguyên Đán"));
    box->SetPasswordChar(QStringLiteral("#"));
    box->SetMultiline(true);
    box->SetAppearance(0);
    box->SetLocked(true);
    box->SetEnabled(false);
    box->SetBorderStyle(0);
    box->SetScrollbar(2);
    box->SetAlignment(1);
    box->SetHideSelection(true);
    box->SetTextConvert(2);
    box->SetNumberOnly(true);
    box->SetMaxLength(20);
    PropertyBag saved;
    box->WriteProperties(saved);
    QStringList keys;
    PropertyBag lowered; // as the form data holds them
    for (const auto& entry : saved.Entries()) {
        keys << entry.Key;
        lowered.Set(entry.Key.toLower(), entry.Stored);
    }
    EXPECT_EQ(keys, (QStringList{"Font", "ForeColor", "BackColor", "Text", "PasswordChar",
                                 "MultiLine", "Appearance", "Locked", "Enabled", "BorderStyle",
                                 "Scrollbar", "Alignment", "HideSelection", "TextConvert",
                                 "NumberOnly", "MaxLength"}));

    auto* copy = new UniTextBox(form.get(), QStringLiteral("txCopy"));
    copy->ReadProperties(lowered);
    EXPECT_EQ(copy->Font(), box->Font());
    EXPECT_EQ(copy->ForeColor(), 0x000000FFU);
    EXPECT_EQ(copy->BackColor(), 0x00FFFFFFU);
    EXPECT_EQ(copy->Text(), QStringLiteral("Tết Nguyên Đán"));
    EXPECT_EQ(copy->PasswordChar(), QStringLiteral("#"));
    EXPECT_TRUE(copy->Multiline());
    EXPECT_EQ(copy->Appearance(), 0);
    EXPECT_TRUE(copy->Locked());
    EXPECT_FALSE(copy->Enabled());
    EXPECT_FALSE(copy->isEnabled());
    EXPECT_EQ(copy->BorderStyle(), 0);
    EXPECT_EQ(copy->Scrollbar(), 2);
    EXPECT_EQ(copy->Alignment(), 1);
    EXPECT_TRUE(copy->HideSelection());
    EXPECT_EQ(copy->TextConvert(), 2);
    EXPECT_TRUE(copy->NumberOnly());
    EXPECT_EQ(copy->MaxLength(), 20);
    ASSERT_NE(qobject_cast<QTextEdit*>(copy->EditWidget()), nullptr);
    EXPECT_TRUE(qobject_cast<QTextEdit*>(copy->EditWidget())->isReadOnly());
}

TEST_F(UniTextBoxTest, MissingKeysGiveTheDefaultsAndDefaultsAreNotWritten) {
    PropertyBag design;
    design.Set(QStringLiteral("_extentx"), std::int32_t{4560});
    design.Set(QStringLiteral("_extenty"), std::int32_t{690});
    box->SetMultiline(true); // whatever the instance held before, the design decides
    box->ReadProperties(design);
    EXPECT_EQ(box->Text(), QStringLiteral("txDanhNgon")); // the instance's name
    EXPECT_FALSE(box->Multiline());
    EXPECT_EQ(box->BorderStyle(), 1);
    EXPECT_EQ(box->Appearance(), 1);
    EXPECT_TRUE(box->Enabled());
    EXPECT_EQ(box->Font(), form->font());
    ASSERT_NE(Line(), nullptr);
    PropertyBag saved;
    box->WriteProperties(saved);
    EXPECT_TRUE(saved.Entries().empty());
}

TEST_F(UniTextBoxTest, KeyPressHandlerMayWriteTextAndTheCharacterStillArrives) {
    // Writing Text suspends the interception before the character reaches the edit window.
    QObject::connect(box, &UniTextBox::KeyPress, box,
                     [this] { box->SetText(QStringLiteral("Ất")); });
    box->Focus();
    Record();
    QTest::keyClick(Window(), 'y');
    EXPECT_EQ(box->Text(), QStringLiteral("yẤt")); // the caret stood at the start
    EXPECT_EQ(events,
              (QStringList{QStringLiteral("KeyDown 89 0 [txDanhNgon]"),
                           QStringLiteral("Change [Ất]"), QStringLiteral("KeyPress 121 [Ất]"),
                           QStringLiteral("Change [yẤt]"), QStringLiteral("KeyUp 89 0 [yẤt]")}));
}

TEST_F(UniTextBoxTest, ClickHandlerMayDestroyTheBox) {
    QPointer<QWidget> edit = box->EditWidget();
    QObject::connect(box, &UniTextBox::Click, form.get(), [this] {
        delete box;
        box = nullptr;
    });
    Mouse::Click(edit, QPoint(20, 10));
    EXPECT_EQ(box, nullptr);
    EXPECT_TRUE(form->findChildren<UniTextBox*>().isEmpty());
    // The edit window the click was in goes once that click has been processed.
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(edit.isNull());
}

} // namespace
} // namespace moonleaf
