// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/ui/UniMsgBox.h"

#include "support/TestSupport.h"
#include "platform/VietnameseFont.h"
#include "text/ui/MsgBoxDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace moonleaf {
namespace {

// Runs `answer` on the message box as soon as it is shown; the box is closed from there, so
// no test is left waiting on it. A box that `answer` leaves open is closed with code -1.
void WhenShown(std::function<void(QDialog*)> answer) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer = std::move(answer)] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        answer(box);
        if (box->isVisible()) {
            box->done(-1);
        }
    });
    poll->start();
}

QPushButton* ButtonOf(QDialog* box, const char* name) {
    return box->findChild<QPushButton*>(QString::fromLatin1(name));
}

QStringList Captions(QDialog* box) {
    QStringList captions;
    for (const char* name :
         {"btOK", "btCancel", "btAbort", "btRetry", "btIgnore", "btYes", "btNo"}) {
        if (QPushButton* button = ButtonOf(box, name)) {
            captions << button->text();
        }
    }
    return captions;
}

// The message-box font: Tahoma at a 13-pixel cell and weight 500, its letters from a family
// that has the Vietnamese ones.
void ExpectMessageFont(const QFont& font) {
    EXPECT_EQ(font.family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(font.weight(), 500);
    const int cell = QFontMetrics(font).height();
    EXPECT_LE(cell, 13);
    EXPECT_GE(cell, 12);
    const QString shown = QFontInfo(font).family();
    EXPECT_TRUE(ShowsVietnamese(shown)) << shown.toStdString();
    if (!ShowsVietnamese(QStringLiteral("Tahoma"))) {
        EXPECT_EQ(shown, VietnameseFontFamily());
    }
}

TEST(UniMsgBox, StopBoxHasIconTextAndDongButton) {
    std::u16string text = u"Kho6ng tho6ng ba1o";
    int result = 0;
    WhenShown([](QDialog* box) {
        testing::SaveTestImage(QStringLiteral("msgbox-stop"), box->grab().toImage());
        EXPECT_NE(box->findChild<QLabel*>(QStringLiteral("Icon")), nullptr);
        auto* label = box->findChild<QLabel*>(QStringLiteral("Text"));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QStringLiteral("Không thông báo"));
        ExpectMessageFont(label->font());
        QPushButton* ok = ButtonOf(box, "btOK");
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), QString(QChar(272)) + QStringLiteral("óng"));
        ExpectMessageFont(ok->font());
        EXPECT_TRUE(ok->isDefault());
        ok->click();
    });
    result = UniMsgBox(text, 16, u"", nullptr);
    EXPECT_EQ(result, 1);
}

TEST(UniMsgBox, CallerTextIsConvertedInPlaceAndTheTitleOnACopy) {
    std::u16string text = u"Ba5n ca62n cho5n nga2y, tha1ng, na8m d9a62y d9u3!";
    const std::u16string title = u"Tho6ng ba1o!";
    WhenShown([](QDialog* box) {
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Thông báo!"));
        EXPECT_EQ(box->findChild<QLabel*>(QStringLiteral("Text"))->text(),
                  QStringLiteral("Bạn cần chọn ngày, tháng, năm đầy đủ!"));
        ButtonOf(box, "btOK")->click();
    });
    EXPECT_EQ(UniMsgBox(text, 48, title, nullptr), 1);
    EXPECT_EQ(text, u"Bạn cần chọn ngày, tháng, năm đầy đủ!");
    EXPECT_EQ(title, u"Tho6ng ba1o!");
}

TEST(UniMsgBox, YesNoBoxIgnoresEscapeAndAnswersNo) {
    std::u16string text = u"Tie61p tu5c?";
    WhenShown([](QDialog* box) {
        EXPECT_EQ(Captions(box), (QStringList{QStringLiteral("Có"), QStringLiteral("Không")}));
        QTest::keyClick(box, Qt::Key_Escape); // no Cancel button: Escape does nothing
        box->close();                         // nor does the close button
        EXPECT_TRUE(box->isVisible());
        ButtonOf(box, "btNo")->click();
    });
    EXPECT_EQ(UniMsgBox(text, 4 | 32, u"", nullptr), 7);
}

TEST(UniMsgBox, YesNoCancelDefaultsToTheSecondButtonWithItsBit) {
    std::u16string text = u"?";
    WhenShown([](QDialog* box) {
        EXPECT_EQ(Captions(box), (QStringList{QStringLiteral("Thoát"), QStringLiteral("Có"),
                                              QStringLiteral("Không")}));
        EXPECT_TRUE(ButtonOf(box, "btNo")->isDefault());
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(UniMsgBox(text, 3 | 0x100, u"", nullptr), 7);
}

TEST(UniMsgBox, RetryCancelBoxAnswersCancelToEscape) {
    std::u16string text = u"Lo64i";
    WhenShown([](QDialog* box) {
        EXPECT_EQ(ButtonOf(box, "btRetry")->text(), QStringLiteral("Th") + QChar(7917) +
                                                        QStringLiteral(" l") + QChar(7841) +
                                                        QStringLiteral("i"));
        EXPECT_EQ(ButtonOf(box, "btRetry")->text(), QStringLiteral("Thử lại"));
        EXPECT_EQ(ButtonOf(box, "btCancel")->text(), QStringLiteral("Thoát"));
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(UniMsgBox(text, 5, u"", nullptr), 2);
}

TEST(UniMsgBox, AbortAndIgnoreKeepTheSystemCaptionsAndFont) {
    std::u16string text = u"x";
    WhenShown([](QDialog* box) {
        QDialogButtonBox standard;
        QPushButton* abort = ButtonOf(box, "btAbort");
        QPushButton* ignore = ButtonOf(box, "btIgnore");
        ASSERT_NE(abort, nullptr);
        ASSERT_NE(ignore, nullptr);
        EXPECT_EQ(abort->text(), standard.addButton(QDialogButtonBox::Abort)->text());
        EXPECT_EQ(ignore->text(), standard.addButton(QDialogButtonBox::Ignore)->text());
        EXPECT_NE(abort->font(), MsgBoxDialog::MessageFont());
        EXPECT_EQ(ButtonOf(box, "btRetry")->font(), MsgBoxDialog::MessageFont());
        ignore->click();
    });
    EXPECT_EQ(UniMsgBox(text, 2, u"", nullptr), 5);
}

TEST(UniMsgBox, BoxIsModalToItsOwner) {
    QWidget owner;
    owner.setObjectName(QStringLiteral("frmMain"));
    testing::ShowForm(&owner);
    std::u16string text = u"x";
    WhenShown([&owner](QDialog* box) {
        EXPECT_EQ(box->parentWidget(), &owner);
        EXPECT_EQ(box->windowModality(), Qt::WindowModal);
        ButtonOf(box, "btOK")->click();
    });
    EXPECT_EQ(UniMsgBox(text, 64, u"", &owner), 1);
}

TEST(UniMsgBox, BoxThatCannotBeShownReturnsZeroButStillConverts) {
    std::u16string text = u"d9u3";
    EXPECT_EQ(UniMsgBox(text, 9, u"", nullptr), 0); // no such button set
    EXPECT_EQ(text, u"đủ");
}

TEST(UniMsgBox, TestHookAnswersOneBoxWithoutShowingIt) {
    SetNextUniMsgBoxAnswer(6);
    std::u16string text = u"Co1 kho6ng?";
    EXPECT_EQ(UniMsgBox(text, 4, u"Ho3i", nullptr), 6);
    EXPECT_EQ(text, u"Có không?");
    const std::optional<AnsweredMessage> answered = TakeAnsweredMessage();
    ASSERT_TRUE(answered.has_value());
    EXPECT_EQ(answered->Text, QStringLiteral("Có không?"));
    EXPECT_EQ(answered->Title, QStringLiteral("Hỏi"));
    EXPECT_EQ(answered->Style, 4U);
    EXPECT_FALSE(TakeAnsweredMessage().has_value());
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty() ||
                QApplication::activeModalWidget() == nullptr);
}

} // namespace
} // namespace moonleaf
