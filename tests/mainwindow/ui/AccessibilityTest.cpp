// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as assistive technology finds them through QAccessible: every element a person
// sees is known by a role and says something, the pictures say what they show on the day
// shown, and the buttons can be found by name and pressed.
#include "mainwindow/ui/frmMain.h"

#include "controls/DesignShapes.h"
#include "controls/UniTextBox.h"
#include "controls/xButton.h"
#include "controls/xLabel.h"
#include "mainwindow/ui/LoadedMainWindow.h"
#include "services/ui/QuotationStore.h"
#include "services/ui/frmFind.h"
#include "services/ui/frmSet.h"
#include "services/ui/frmSpy.h"
#include "support/Fakes.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QPointer>

#include <gtest/gtest.h>

#include <algorithm>

namespace moonleaf {
namespace {

bool InsideTextBox(const QWidget* element) {
    for (const QWidget* up = element->parentWidget(); up != nullptr; up = up->parentWidget()) {
        if (qobject_cast<const UniTextBox*>(up) != nullptr) {
            return true;
        }
    }
    return false;
}

// Every element of `window` a person sees, as assistive technology finds it: known to an
// interface (not the generic client a widget gets when none knows it) and named or holding
// text, unless it is decoration or the panel behind other elements. The edit window inside
// a text box is the box's own part. A button's name has a letter in it: a button whose
// caption is a symbol says what it does by its accessible name.
void ExpectEveryElementSaysWhatItIs(QWidget* window) {
    int elements = 0;
    for (QWidget* element : window->findChildren<QWidget*>()) {
        if (!element->isVisibleTo(window) || InsideTextBox(element)) {
            continue;
        }
        SCOPED_TRACE(element->objectName().toStdString());
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(element);
        ASSERT_NE(iface, nullptr);
        const QAccessible::Role role = iface->role();
        EXPECT_NE(role, QAccessible::Client) << element->metaObject()->className();
        ++elements;
        if (role == QAccessible::Separator || role == QAccessible::Pane) {
            continue;
        }
        const QString name = iface->text(QAccessible::Name);
        EXPECT_FALSE(name.trimmed().isEmpty() &&
                     iface->text(QAccessible::Value).trimmed().isEmpty());
        if (role == QAccessible::Button) {
            EXPECT_TRUE(std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetter(); }))
                << name.toStdString();
        }
    }
    EXPECT_GT(elements, 0);
}

class AccessibilityTest : public testing::MainWindowOnFakes {
protected:
    AccessibilityTest() : MainWindowOnFakes(LocalTime{{17, 2, 2026}, 9, 30, 0, 0}) {}

    void SetUp() override { ASSERT_TRUE(Load()); }

    QString PictureName(const char* name) const {
        auto* picture = form->findChild<PictureBox*>(QString::fromLatin1(name));
        return QAccessible::queryAccessibleInterface(picture)->text(QAccessible::Name);
    }

    // The button a screen reader user finds by its name, pressed through its action.
    void Press(const QString& name) {
        for (auto* button : form->findChildren<xButton*>()) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(button);
            if (iface->text(QAccessible::Name) == name) {
                iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                QCoreApplication::processEvents();
                return;
            }
        }
        ADD_FAILURE() << "no button named " << name.toStdString();
    }
};

TEST_F(AccessibilityTest, MainWindowElementsEachSayWhatTheyAre) {
    ExpectEveryElementSaysWhatItIs(form.get());
}

TEST_F(AccessibilityTest, TabAndDialogsElementsEachSayWhatTheyAre) {
    frmSpy tab(services);
    tab.Form_Load();
    ExpectEveryElementSaysWhatItIs(&tab);

    QPointer<frmFind> lookup = new frmFind(services);
    lookup->ShowOrRaise();
    // The lookup, pressed as assistive technology presses it, fills the result lines.
    auto* view = lookup->findChild<xButton*>(QStringLiteral("xButton1"));
    QAccessible::queryAccessibleInterface(view)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_FALSE(lookup->findChild<xLabel*>(QStringLiteral("lbAm"))->Caption().isEmpty());
    ExpectEveryElementSaysWhatItIs(lookup);
    delete lookup.data();

    QPointer<frmSet> options = new frmSet(services);
    options->ShowOrRaise(&tab);
    ExpectEveryElementSaysWhatItIs(options);
    // The box has no text of its own: it is named after the label beside it.
    auto* box = options->findChild<QWidget*>(QStringLiteral("Check1"));
    const QString label = options->findChild<xLabel*>(QStringLiteral("xLabel1"))->Caption();
    EXPECT_FALSE(box->accessibleName().isEmpty());
    EXPECT_TRUE(label.startsWith(box->accessibleName())) << label.toStdString();
    delete options.data();
}

struct PictureRow {
    const char* tag;
    CalDate date;
    const char* moon;
    const char* animal;
};

// Dates of the lunar year Bính Ngọ (1/1 is 17 February 2026) and the month before it, a
// short one of 29 days (see moonleaf-cli table).
constexpr PictureRow PICTURE_ROWS[] = {
    {"full moon 15/1, a Tý day", {3, 3, 2026}, "Trăng ngày 15", "Con giáp: Chuột"},
    {"a Thìn day, 7/1", {23, 2, 2026}, "Trăng ngày 7", "Con giáp: Rồng"},
    {"a Mão day: the cat", {22, 2, 2026}, "Trăng ngày 6", "Con giáp: Mèo"},
    {"28/12 of 29 days shows picture 29", {15, 2, 2026}, "Trăng ngày 28", "Con giáp: Khỉ"},
    {"29/12, the last of 29 days", {16, 2, 2026}, "Không có trăng", "Con giáp: Gà"},
    {"1/1, Tết", {17, 2, 2026}, "Trăng ngày 1", "Con giáp: Chó"},
    {"2/1, a Hợi day", {18, 2, 2026}, "Trăng ngày 2", "Con giáp: Lợn"},
};

TEST_F(AccessibilityTest, PicturesSayTheMoonAndAnimalOfTheDayShown) {
    for (const PictureRow& row : PICTURE_ROWS) {
        SCOPED_TRACE(row.tag);
        form->ViewDate(row.date.Day, row.date.Month, row.date.Year);
        EXPECT_EQ(PictureName("PicLunar"), QString::fromUtf8(row.moon));
        EXPECT_EQ(PictureName("PicDateAni"), QString::fromUtf8(row.animal));
    }
}

TEST_F(AccessibilityTest, NavigationButtonsFoundByNameStepTheDay) {
    const CalDate today = form->ShownDate();
    Press(QStringLiteral("Ngày sau"));
    EXPECT_EQ(form->ShownDate(), (CalDate{18, 2, 2026}));
    EXPECT_EQ(PictureName("PicLunar"), QStringLiteral("Trăng ngày 2"));
    Press(QStringLiteral("Ngày trước"));
    Press(QStringLiteral("Ngày trước"));
    EXPECT_EQ(form->ShownDate(), (CalDate{16, 2, 2026}));
    Press(QStringLiteral("Hôm nay"));
    EXPECT_EQ(form->ShownDate(), today);
}

} // namespace
} // namespace moonleaf
