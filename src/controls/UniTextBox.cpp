// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/UniTextBox.h"

#include "controls/Ambient.h"
#include "controls/ColorValue.h"
#include "controls/ControlAccessibility.h"
#include "controls/EditWindow.h"
#include "controls/InputCodes.h"
#include "controls/PropertyBag.h"
#include "design/DesignUnits.h"
#include "controls/WindowMessages.h"

#include <QResizeEvent>

#include <array>

namespace moonleaf {
namespace {

// The edit window's messages raised as events after its own handling.
constexpr std::array<std::uint32_t, 10> EDIT_AFTER_MESSAGES = {
    wm::KEYUP,     wm::KEYDOWN,       wm::LBUTTONDOWN,   wm::LBUTTONUP, wm::RBUTTONDOWN,
    wm::RBUTTONUP, wm::LBUTTONDBLCLK, wm::RBUTTONDBLCLK, wm::MOUSEMOVE, wm::MOUSELEAVE};

// The pixel coordinates packed into the second parameter of a mouse message, in twips. They
// are read as signed: while a button is held the edit window keeps getting the mouse when it
// is dragged out to the left or above, and then the point lies at negative coordinates.
float MouseX(std::int32_t lParam) {
    return PixelsToTwips(static_cast<std::int16_t>(lParam & 0xFFFF));
}

float MouseY(std::int32_t lParam) {
    return PixelsToTwips(static_cast<std::int16_t>((lParam >> 16) & 0xFFFF));
}

} // namespace

UniTextBox::UniTextBox(QWidget* parent, const QString& name)
    : UniTextBox(parent, name, nullptr, nullptr) {}

UniTextBox::UniTextBox(QWidget* parent, const QString& name, const QRect& geometry,
                       const PropertyBag& design)
    : UniTextBox(parent, name, &geometry, &design) {}

UniTextBox::UniTextBox(QWidget* parent, const QString& name, const QRect* geometry,
                       const PropertyBag* design)
    : QWidget(parent),
      interception_([this](bool bBefore, bool& bHandled, std::int32_t& lReturn, QWidget*& lng_hWnd,
                           std::uint32_t& uMsg, std::int32_t& wParam, std::int32_t& lParam) {
          zSubclass_Text_Proc(bBefore, bHandled, lReturn, lng_hWnd, uMsg, wParam, lParam);
      }) {
    setObjectName(name);
    // Reached by the tab order; a click lands on the edit window, which fills the control.
    setFocusPolicy(Qt::TabFocus);
    setFont(AmbientFont(this));
    foreColor_ = AmbientForeColor(this);
    backColor_ = AmbientBackColor(this);
    ApplySurfaceColors();
    remembered_ = name;
    if (geometry != nullptr) {
        setGeometry(*geometry);
    }
    if (design != nullptr) {
        ReadProperties(*design);
    } else {
        RebuildEditWindow();
    }
    InstallControlAccessibility();
}

UniTextBox::~UniTextBox() {
    DestroyEditWindow();
}

QWidget* UniTextBox::EditWidget() const {
    return edit_ != nullptr ? edit_->Widget() : nullptr;
}

void UniTextBox::MarkChanged(const QString& name) {
    emit PropertyChanged(name);
}

// --- the edit window ----------------------------------------------------------------------

void UniTextBox::CreateEditWindow(const QString& text) {
    const EditStyle style = BuildEditStyle(props_);
    edit_ = moonleaf::CreateEditWindow(style, text, this);
    edit_->Widget()->setGeometry(rect());
    if (props_.Multiline) {
        return;
    }
    if (props_.PasswordChar.isEmpty()) {
        edit_->SetPasswordChar(0);
    } else if (props_.PasswordChar != QStringLiteral("*")) {
        edit_->SetPasswordChar(props_.PasswordChar.front().unicode());
    }
}

void UniTextBox::DestroyEditWindow() {
    if (edit_ != nullptr) {
        EditWindow* old = edit_;
        edit_ = nullptr;
        QWidget* widget = old->Widget();
        if (old->IsDispatching()) {
            // The edit window is inside one of its own events (a handler of that event
            // rebuilt the window or destroyed the control): it goes when that event has been
            // processed. Taken off the control, it also outlives a control destroyed now.
            widget->hide();
            widget->setObjectName(QString());
            widget->setParent(nullptr);
            widget->deleteLater();
        } else {
            delete widget;
        }
    }
    interception_.UnhookAllWindows();
}

void UniTextBox::RebuildEditWindow() {
    if (edit_ != nullptr) {
        remembered_ = GetEditText();
    }
    DestroyEditWindow();
    CreateEditWindow(remembered_);
    StartInterception();
    SetEditText(remembered_);
    ApplyFont();
    if (edit_ != nullptr) {
        edit_->LimitText(props_.MaxLength);
    }
    setCursor(Qt::ArrowCursor);
    if (edit_ != nullptr) {
        edit_->Widget()->setGeometry(rect());
    }
}

void UniTextBox::StartInterception() {
    if (interception_.HookWindow(this) < 0 ||
        !interception_.WatchMessage(this, wm::SETFOCUS, MessageInterception::AFTER)) {
        return;
    }
    if (edit_ == nullptr || interception_.HookWindow(edit_) < 0 ||
        !interception_.WatchMessage(edit_, wm::CHAR, MessageInterception::BEFORE)) {
        return;
    }
    for (const std::uint32_t message : EDIT_AFTER_MESSAGES) {
        if (!interception_.WatchMessage(edit_, message, MessageInterception::AFTER)) {
            return;
        }
    }
}

QString UniTextBox::GetEditText() {
    if (edit_ == nullptr) {
        return {};
    }
    interception_.UnhookAllWindows();
    QString text = edit_->WindowText();
    StartInterception();
    return text;
}

void UniTextBox::SetEditText(const QString& text) {
    if (edit_ == nullptr) {
        return;
    }
    interception_.UnhookAllWindows();
    edit_->SetWindowText(text);
    StartInterception();
}

void UniTextBox::ApplyFont() {
    if (edit_ != nullptr) {
        edit_->Widget()->setFont(font());
    }
}

void UniTextBox::ApplySurfaceColors() {
    QPalette surface = palette();
    surface.setColor(QPalette::Window, ColorFromValue(backColor_, surface));
    surface.setColor(QPalette::WindowText, ColorFromValue(foreColor_, surface));
    setPalette(surface);
    setAutoFillBackground(true);
}

// --- properties ---------------------------------------------------------------------------

QString UniTextBox::Text() {
    remembered_ = GetEditText();
    return remembered_;
}

void UniTextBox::SetText(const QString& text) {
    SetEditText(text);
    remembered_ = text;
    NotifyCaptionChanged(this); // the box is named by its text
    MarkChanged(QStringLiteral("Text"));
    emit Change();
}

void UniTextBox::SetMultiline(bool multiline) {
    props_.Multiline = multiline;
    MarkChanged(QStringLiteral("MultiLine"));
    RebuildEditWindow();
}

void UniTextBox::SetScrollbar(std::int32_t scrollbar) {
    props_.Scrollbar = scrollbar;
    MarkChanged(QStringLiteral("Scrollbar"));
    RebuildEditWindow();
}

void UniTextBox::SetAlignment(std::int32_t alignment) {
    props_.Alignment = alignment;
    MarkChanged(QStringLiteral("Alignment"));
    RebuildEditWindow();
}

void UniTextBox::SetLocked(bool locked) {
    props_.Locked = locked;
    MarkChanged(QStringLiteral("Locked"));
    if (edit_ != nullptr) {
        edit_->SetReadOnly(locked);
    }
}

void UniTextBox::SetNumberOnly(bool numberOnly) {
    props_.NumberOnly = numberOnly;
    MarkChanged(QStringLiteral("NumberOnly"));
    RebuildEditWindow();
}

void UniTextBox::SetHideSelection(bool hideSelection) {
    props_.HideSelection = hideSelection;
    MarkChanged(QStringLiteral("HideSelection"));
    RebuildEditWindow();
}

void UniTextBox::SetTextConvert(std::int32_t textConvert) {
    props_.TextConvert = textConvert;
    MarkChanged(QStringLiteral("TextConvert"));
    RebuildEditWindow();
}

void UniTextBox::SetPasswordChar(const QString& passwordChar) {
    props_.PasswordChar = passwordChar.left(1);
    if (edit_ != nullptr) {
        const bool none = props_.PasswordChar.isEmpty() || props_.Multiline;
        edit_->SetPasswordChar(none ? char16_t{0} : props_.PasswordChar.front().unicode());
    }
    update();
    MarkChanged(QStringLiteral("PasswordChar"));
}

void UniTextBox::SetMaxLength(std::int32_t maxLength) {
    props_.MaxLength = maxLength;
    if (edit_ != nullptr) {
        edit_->LimitText(maxLength);
    }
    MarkChanged(QStringLiteral("MaxLength"));
}

void UniTextBox::SetBorderStyle(std::int32_t borderStyle) {
    props_.BorderStyle = borderStyle;
    MarkChanged(QStringLiteral("BorderStyle"));
    RebuildEditWindow();
}

void UniTextBox::SetAppearance(std::int32_t appearance) {
    // The control's own surface has no look of its own to change: the edit window covers it.
    props_.Appearance = appearance;
    MarkChanged(QStringLiteral("Appearance"));
    RebuildEditWindow();
}

void UniTextBox::SetEnabled(bool enabled) {
    enabled_ = enabled;
    setEnabled(enabled);
    MarkChanged(QStringLiteral("Enabled"));
    RebuildEditWindow();
}

void UniTextBox::SetFont(const QFont& font) {
    setFont(font);
    MarkChanged(QStringLiteral("Font"));
    ApplyFont();
}

void UniTextBox::SetForeColor(std::uint32_t color) {
    foreColor_ = color;
    ApplySurfaceColors();
    MarkChanged(QStringLiteral("ForeColor"));
    ApplyFont();
}

void UniTextBox::SetBackColor(std::uint32_t color) {
    backColor_ = color;
    ApplySurfaceColors();
    MarkChanged(QStringLiteral("BackColor"));
}

std::int32_t UniTextBox::SelStart() const {
    return (edit_ != nullptr ? edit_->Selection().first : 0) + 1;
}

void UniTextBox::SetSelStart(std::int32_t selStart) {
    if (edit_ != nullptr) {
        edit_->SetSelection(selStart, selStart + lastSelLength_);
    }
    lastSelStart_ = selStart;
    MarkChanged(QStringLiteral("SelStart"));
}

std::int32_t UniTextBox::SelLength() const {
    if (edit_ == nullptr) {
        return 0;
    }
    const auto [start, end] = edit_->Selection();
    return end - start;
}

void UniTextBox::SetSelLength(std::int32_t selLength) {
    if (edit_ != nullptr) {
        edit_->SetSelection(lastSelStart_, lastSelStart_ + selLength);
    }
    lastSelLength_ = selLength;
    MarkChanged(QStringLiteral("SelLength"));
}

QString UniTextBox::SelText() {
    remembered_ = GetEditText();
    if (edit_ == nullptr) {
        return {};
    }
    const auto [start, end] = edit_->Selection();
    return remembered_.mid(start, end - start);
}

void UniTextBox::SetSelText(const QString& selText) {
    if (edit_ != nullptr) {
        interception_.UnhookAllWindows();
        edit_->ReplaceSelection(selText);
        StartInterception();
    }
    MarkChanged(QStringLiteral("SelText"));
}

void UniTextBox::Focus() {
    if (edit_ != nullptr) {
        edit_->Widget()->setFocus(Qt::OtherFocusReason);
    }
}

// --- stored properties --------------------------------------------------------------------

void UniTextBox::ReadProperties(const PropertyBag& bag) {
    // A design is read into a fresh instance, which has no edit window yet.
    DestroyEditWindow();
    setFont(bag.ReadFont(u"Font", AmbientFont(this)));
    foreColor_ = bag.ReadColor(u"ForeColor", AmbientForeColor(this));
    backColor_ = bag.ReadColor(u"BackColor", AmbientBackColor(this));
    ApplySurfaceColors();
    remembered_ = bag.ReadString(u"Text", objectName());
    props_.PasswordChar = bag.ReadString(u"PasswordChar", QString()).left(1);
    props_.Multiline = bag.ReadBool(u"MultiLine", false);
    props_.Appearance = bag.ReadInt32(u"Appearance", 1);
    props_.Locked = bag.ReadBool(u"Locked", false);
    enabled_ = bag.ReadBool(u"Enabled", true);
    setEnabled(enabled_);
    props_.BorderStyle = bag.ReadInt32(u"BorderStyle", 1);
    props_.Scrollbar = bag.ReadInt32(u"Scrollbar", 0);
    props_.Alignment = bag.ReadInt32(u"Alignment", 0);
    props_.HideSelection = bag.ReadBool(u"HideSelection", false);
    props_.TextConvert = bag.ReadInt32(u"TextConvert", 0);
    props_.NumberOnly = bag.ReadBool(u"NumberOnly", false);
    props_.MaxLength = bag.ReadInt32(u"MaxLength", 0);
    RebuildEditWindow();
}

void UniTextBox::WriteProperties(PropertyBag& bag) const {
    bag.WriteFont(QStringLiteral("Font"), font(), AmbientFont(this));
    bag.WriteColor(QStringLiteral("ForeColor"), foreColor_, AmbientForeColor(this));
    bag.WriteColor(QStringLiteral("BackColor"), backColor_, AmbientBackColor(this));
    bag.WriteString(QStringLiteral("Text"), remembered_, objectName());
    bag.WriteString(QStringLiteral("PasswordChar"), props_.PasswordChar, QString());
    bag.WriteBool(QStringLiteral("MultiLine"), props_.Multiline, false);
    bag.WriteInt32(QStringLiteral("Appearance"), props_.Appearance, 1);
    bag.WriteBool(QStringLiteral("Locked"), props_.Locked, false);
    bag.WriteBool(QStringLiteral("Enabled"), enabled_, true);
    bag.WriteInt32(QStringLiteral("BorderStyle"), props_.BorderStyle, 1);
    bag.WriteInt32(QStringLiteral("Scrollbar"), props_.Scrollbar, 0);
    bag.WriteInt32(QStringLiteral("Alignment"), props_.Alignment, 0);
    bag.WriteBool(QStringLiteral("HideSelection"), props_.HideSelection, false);
    bag.WriteInt32(QStringLiteral("TextConvert"), props_.TextConvert, 0);
    bag.WriteBool(QStringLiteral("NumberOnly"), props_.NumberOnly, false);
    bag.WriteInt32(QStringLiteral("MaxLength"), props_.MaxLength, 0);
}

// --- window messages ----------------------------------------------------------------------

bool UniTextBox::event(QEvent* event) {
    return InterceptEvent(event, ALL_PARTS, QPoint(),
                          [this, event] { return QWidget::event(event); });
}

void UniTextBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (edit_ != nullptr) {
        edit_->Widget()->setGeometry(0, 0, event->size().width(), event->size().height());
    }
}

void UniTextBox::zSubclass_Text_Proc(bool /*bBefore*/, bool& /*bHandled*/,
                                     std::int32_t& /*lReturn*/, QWidget*& lng_hWnd,
                                     std::uint32_t& uMsg, std::int32_t& wParam,
                                     std::int32_t& lParam) {
    const float x = MouseX(lParam);
    const float y = MouseY(lParam);
    if (!AmbientUserMode(this)) {
        // In a designer the control raises nothing: the first message ends the interception.
        interception_.UnhookAllWindows();
        return;
    }
    if (lng_hWnd == this && uMsg == wm::SETFOCUS) {
        Focus();
    }
    if (edit_ == nullptr || lng_hWnd != edit_->Widget()) {
        return;
    }
    const auto code = static_cast<qint16>(wParam & 0x7FFF);
    const qint16 shift = CurrentShiftState();
    switch (uMsg) {
    case wm::KEYDOWN:
        emit KeyDown(code, ShiftStateAfterKey(shift, code, true));
        break;
    case wm::KEYUP:
        emit Change();
        emit KeyUp(code, ShiftStateAfterKey(shift, code, false));
        break;
    case wm::CHAR:
        if (code == 9) {
            // Tab leaves the box for the window that holds it.
            window()->setFocus(Qt::TabFocusReason);
        }
        emit KeyPress(code);
        break;
    case wm::MOUSEMOVE:
        emit MouseMove(code, shift, x, y);
        break;
    case wm::LBUTTONDOWN:
    case wm::RBUTTONDOWN:
        emit MouseDown(code, shift, x, y);
        break;
    case wm::LBUTTONUP:
        emit MouseUp(code, shift, x, y);
        emit Click();
        break;
    case wm::RBUTTONUP:
        emit MouseUp(code, shift, x, y);
        break;
    case wm::LBUTTONDBLCLK:
    case wm::RBUTTONDBLCLK:
        emit DbClick();
        break;
    case wm::MOUSELEAVE:
        emit MouseLeave();
        break;
    default:
        break;
    }
}

} // namespace moonleaf
