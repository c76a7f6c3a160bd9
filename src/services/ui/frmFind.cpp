// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/ui/frmFind.h"

#include "controls/DesignBuilder.h"
#include "controls/xButton.h"
#include "controls/xLabel.h"
#include "design/DesignUnits.h"
#include "mainwindow/DateSteps.h"
#include "platform/VietnameseFont.h"
#include "platform/WindowTraits.h"
#include "services/Clock.h"
#include "services/DateLookup.h"
#include "services/ui/frmFindDesign.h"
#include "text/ui/UniMsgBox.h"
#include "text/ui/WindowHelpers.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>

#include <utility>

namespace moonleaf {
namespace {

// The notice of a lookup with a list left without a selection, and its title (VNI).
constexpr const char16_t* INCOMPLETE_DATE_TEXT =
    u"Ba5n ca62n cho5n nga2y, tha1ng, na8m d9a62y d9u3!";
constexpr const char16_t* INCOMPLETE_DATE_TITLE = u"Tho6ng ba1o!";
constexpr std::uint32_t MB_ICONSTOP = 16;

// The lists behave as the design's drop-down lists: filling or clearing one selects
// nothing and runs no handler; only a selection (by the user or by the program) does.

void ClearList(QComboBox* list) {
    const QSignalBlocker quiet(list);
    list->clear();
}

// Appends the numbers `first` to `last` as entries. A list that had no selection keeps
// none (a combo box of its own would select the first entry it receives).
void AddNumbers(QComboBox* list, int first, int last) {
    const QSignalBlocker quiet(list);
    const int selected = list->currentIndex();
    for (int number = first; number <= last; ++number) {
        list->addItem(QString::number(number));
    }
    list->setCurrentIndex(selected);
}

// Selects entry `index`, which runs the list's handler when the selection changes.
void Select(QComboBox* list, double index) {
    list->setCurrentIndex(static_cast<int>(index));
}

double Number(const QString& listText) {
    return listText.toDouble();
}

std::u16string Text(const QComboBox* list) {
    return list->currentText().toStdU16String();
}

QString Unicode(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

} // namespace

frmFind::frmFind(const Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    setObjectName(QStringLiteral("frmFind"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Moonleaf - T\u00ECm ng\u00E0y \u00E2m"));
    setFont(DesignFont(FIND_FONT_POINTS));
    setFixedSize(TwipsToPixels(FIND_CLIENT_WIDTH_TWIPS), TwipsToPixels(FIND_CLIENT_HEIGHT_TWIPS));
    BuildDesign(this, FindDesign());

    xLabel1_ = findChild<xLabel*>(QStringLiteral("xLabel1"));
    xLabel2_ = findChild<xLabel*>(QStringLiteral("xLabel2"));
    cbNgay_ = findChild<QComboBox*>(QStringLiteral("cbNgay"));
    cbThang_ = findChild<QComboBox*>(QStringLiteral("cbThang"));
    cbNam_ = findChild<QComboBox*>(QStringLiteral("cbNam"));
    xButton1_ = findChild<xButton*>(QStringLiteral("xButton1"));
    xButton2_ = findChild<xButton*>(QStringLiteral("xButton2"));
    lbDuong_ = findChild<xLabel*>(QStringLiteral("lbDuong"));
    lbAm_ = findChild<xLabel*>(QStringLiteral("lbAm"));
    lbStr_ = findChild<xLabel*>(QStringLiteral("lbStr"));
    lbGio_ = findChild<xLabel*>(QStringLiteral("lbGio"));

    // A list's "Click" is any change of its selection, made by the user or by the program.
    connect(cbThang_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) {
            cbThang_Click();
        }
    });
    connect(cbNam_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) {
            cbNam_Click();
        }
    });
    connect(xButton1_, &xButton::Click, this, &frmFind::xButton1_Click);
    connect(xButton2_, &xButton::Click, this, &frmFind::xButton2_Click);

    services_.traits.MakeToolWindow(this);
}

void frmFind::ShowOrRaise() {
    if (!loaded_) {
        Form_Load();
    }
    show();
    raise();
    activateWindow();
}

void frmFind::Form_Load() {
    loaded_ = true;
    // "Chọn ngày dương lịch:", "Năm" and "Đóng", from literal pieces and code points.
    xLabel1_->SetCaption(QStringLiteral("Ch") + QChar(0x1ECD) + QStringLiteral("n ng\u00E0y d") +
                         QChar(0x01B0) + QChar(0x01A1) + QStringLiteral("ng l") + QChar(0x1ECB) +
                         QStringLiteral("ch:"));
    xLabel2_->SetCaption(QStringLiteral("N") + QChar(0x0103) + QStringLiteral("m"));
    xButton2_->SetCaption(QChar(0x0110) + QStringLiteral("\u00F3ng"));
    SetTopMost(this);

    // The dialog opens in the middle of the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }

    const CalDate today = services_.clock.Today();
    ngayHomNay_ = today.Day;
    thangHomNay_ = today.Month;
    namHomNay_ = today.Year;
    LoadCombo();
}

void frmFind::LoadCombo() {
    ClearList(cbNam_);
    AddNumbers(cbNam_, LOOKUP_FIRST_YEAR, LOOKUP_LAST_YEAR);
    // Its handler finds the month list still empty and does nothing.
    const double yearIndex = namHomNay_ - LOOKUP_FIRST_YEAR;
    if (yearIndex >= 0 && yearIndex < cbNam_->count()) {
        Select(cbNam_, yearIndex);
    }
    if (cbNam_->currentText().isEmpty()) {
        // Today's year is not in the list, so no date is selected. The months are offered
        // all the same: choosing a year and a month (in either order) fills the day list.
        AddNumbers(cbThang_, 1, 12);
        return;
    }
    const double year = Number(cbNam_->currentText());
    const bool leapYear = IsLeapYear(year);
    AddNumbers(cbThang_, 1, 12);
    // The month's handler fills the day list and selects today's day in it.
    Select(cbThang_, thangHomNay_ - 1);
    const double month = Number(cbThang_->currentText());
    ClearList(cbNgay_);
    AddNumbers(cbNgay_, 1, DayListLength(month, leapYear));
    Select(cbNgay_, ngayHomNay_ - 1);
}

void frmFind::cbThang_Click() {
    const double dayToKeep =
        cbNgay_->currentText().isEmpty() ? ngayHomNay_ : Number(cbNgay_->currentText());
    if (cbNam_->currentText().isEmpty()) {
        return;
    }
    const double year = Number(cbNam_->currentText());
    const double month = Number(cbThang_->currentText());
    ClearList(cbNgay_);
    const DayListChoice choice = DayListFor(dayToKeep, month, year);
    AddNumbers(cbNgay_, 1, choice.Entries);
    Select(cbNgay_, choice.Selected);
}

void frmFind::cbNam_Click() {
    if (!cbThang_->currentText().isEmpty()) {
        cbThang_Click();
    }
}

void frmFind::xButton1_Click() {
    if (cbNgay_->currentText().isEmpty() || cbThang_->currentText().isEmpty() ||
        cbNam_->currentText().isEmpty()) {
        std::u16string text = INCOMPLETE_DATE_TEXT;
        UniMsgBox(text, MB_ICONSTOP, INCOMPLETE_DATE_TITLE, this);
        return;
    }
    SetOuterHeightTwips(FIND_TALL_OUTER_HEIGHT_TWIPS);
    const LookupLines lines = ComposeLookup(Text(cbNgay_), Text(cbThang_), Text(cbNam_));
    const std::pair<xLabel*, const std::u16string*> shown[] = {{lbDuong_, &lines.lbDuong},
                                                               {lbAm_, &lines.lbAm},
                                                               {lbStr_, &lines.lbStr},
                                                               {lbGio_, &lines.lbGio}};
    for (const auto& [label, text] : shown) {
        label->SetCaption(Unicode(*text));
        label->Refresh();
    }
}

void frmFind::xButton2_Click() {
    close();
}

void frmFind::SetOuterHeightTwips(int twips) {
    // The outer height holds the title bar and frame; the client area gets the rest. A
    // window without a frame (or not yet framed) is all client area.
    const int frame = frameGeometry().height() - height();
    setFixedHeight(TwipsToPixels(twips) - frame);
}

void frmFind::closeEvent(QCloseEvent* event) {
    event->accept();
    emit Unloaded();
}

} // namespace moonleaf
