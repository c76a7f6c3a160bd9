// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/xButton.h"

#include "controls/Ambient.h"
#include "controls/ColorValue.h"
#include "controls/ControlAccessibility.h"
#include "controls/InputCodes.h"
#include "controls/PropertyBag.h"
#include "design/DesignUnits.h"
#include "platform/CursorProbe.h"
#include "platform/VisualStyle.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <qdrawutil.h>

namespace moonleaf {
namespace {

constexpr int HOVER_POLL_MS = 100;

float Twips(qreal pixels) {
    return PixelsToTwips(static_cast<float>(pixels));
}

} // namespace

xButton::xButton(QWidget* parent, const QString& name)
    : QWidget(parent), foreColor_(SYS_COLOR_BUTTON_TEXT) {
    setObjectName(name);
    setFont(AmbientFont(this));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    hoverTimer_.setObjectName(QStringLiteral("hoverTimer"));
    connect(&hoverTimer_, &QTimer::timeout, this, &xButton::HoverTick);
    hoverTimer_.start(HOVER_POLL_MS);
    InstallControlAccessibility();
}

// --- drawing ------------------------------------------------------------------------------

bool xButton::DrawThemePart(QPainter& painter, Look look, const QRect& rect) {
    if (!VisualStylesEnabled()) {
        return false;
    }
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = rect;
    option.state &= QStyle::State_Active | QStyle::State_Window;
    switch (look) {
    case NORMAL:
        option.state |= QStyle::State_Enabled | QStyle::State_Raised;
        break;
    case HOT:
        option.state |= QStyle::State_Enabled | QStyle::State_Raised | QStyle::State_MouseOver;
        break;
    case PRESSED:
        option.state |= QStyle::State_Enabled | QStyle::State_Sunken | QStyle::State_MouseOver;
        break;
    case DISABLED:
        option.state |= QStyle::State_Raised;
        break;
    case FOCUSED:
        option.state |= QStyle::State_Enabled | QStyle::State_Raised | QStyle::State_HasFocus;
        option.features |= QStyleOptionButton::DefaultButton;
        break;
    }
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
    return true;
}

void xButton::DrawButton(Look look) {
    if (!isEnabled()) {
        look = DISABLED;
    }
    drawnLook_ = look;
    if (!shown_) {
        return; // nothing is on screen yet: the first show draws the button
    }
    RenderButton();
    update();
}

void xButton::RenderButton() {
    firstDrawingDue_ = false;
    const Look look = drawnLook_;
    const qreal ratio = devicePixelRatioF();
    if (surface_.size() != (QSizeF(size()) * ratio).toSize()) {
        surface_ = QImage((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        surface_.setDevicePixelRatio(ratio);
    }
    if (surface_.isNull()) {
        return;
    }
    const QPalette& colors = palette();
    const QColor face = ColorFromValue(SYS_COLOR_BUTTON_FACE, colors);
    surface_.fill(face);
    QPainter painter(&surface_);
    const QRect area(QPoint(0, 0), size());
    if (!DrawThemePart(painter, look, area)) {
        // The classic push button: raised, or pushed while held down.
        const QBrush fill(face);
        qDrawWinButton(&painter, area, colors, look == PRESSED, &fill);
    }
    // The caption stays in the same place in every look.
    painter.setFont(font());
    painter.setPen(ColorFromValue(look == DISABLED ? SYS_COLOR_BUTTON_SHADOW : foreColor_, colors));
    painter.drawText(area,
                     Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip | Qt::TextShowMnemonic,
                     caption_);
}

const QImage& xButton::Surface() {
    if (firstDrawingDue_) {
        RenderButton();
    }
    return surface_;
}

void xButton::paintEvent(QPaintEvent* /*event*/) {
    if (firstDrawingDue_) {
        RenderButton();
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), surface_);
}

void xButton::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    DrawButton(NORMAL);
}

void xButton::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    shown_ = true;
    // The resting look is drawn by the first paint, once the window is on screen; a change
    // before then draws at once.
    drawnLook_ = isEnabled() ? NORMAL : DISABLED;
    firstDrawingDue_ = true;
    update();
}

void xButton::Refresh() {
    update();
}

void xButton::PerformClick() {
    if (isEnabled()) {
        emit Click();
    }
}

// --- properties ---------------------------------------------------------------------------

void xButton::SetCaption(const QString& caption) {
    caption_ = caption;
    DrawButton(NORMAL);
    NotifyCaptionChanged(this);
    emit PropertyChanged(QStringLiteral("Caption"));
}

void xButton::SetForeColor(std::uint32_t color) {
    foreColor_ = color;
    DrawButton(NORMAL);
    emit PropertyChanged(QStringLiteral("ForeColor"));
}

void xButton::SetEnabled(bool enabled) {
    setEnabled(enabled);
    DrawButton(NORMAL);
    emit PropertyChanged(QStringLiteral("Enabled"));
}

void xButton::SetFont(const QFont& font) {
    setFont(font);
    DrawButton(NORMAL);
    emit PropertyChanged(QStringLiteral("Font"));
}

void xButton::ReadProperties(const PropertyBag& bag) {
    if (firstDrawingDue_) {
        RenderButton(); // the due drawing shows the button as it was when shown
    }
    foreColor_ = bag.ReadColor(u"ForeColor", SYS_COLOR_BUTTON_TEXT);
    setEnabled(bag.ReadBool(u"Enabled", true));
    setFont(bag.ReadFont(u"Font", AmbientFont(this)));
    caption_ = bag.ReadString(u"Caption", QStringLiteral("UniButton"));
}

void xButton::WriteProperties(PropertyBag& bag) const {
    bag.WriteColor(QStringLiteral("ForeColor"), foreColor_, SYS_COLOR_BUTTON_TEXT);
    bag.WriteBool(QStringLiteral("Enabled"), Enabled(), true);
    bag.WriteFont(QStringLiteral("Font"), font(), AmbientFont(this));
    bag.WriteString(QStringLiteral("Caption"), caption_, QStringLiteral("UniButton"));
}

// --- input --------------------------------------------------------------------------------

bool xButton::IsCursorOver() const {
    // Only the button itself counts: over a child or an overlapping window the cursor is
    // elsewhere.
    const CursorProbe& probe = CursorProbe::Current();
    return probe.WidgetAt(probe.CursorPos()) == this;
}

void xButton::MouseDownStep(qint16 button, qint16 shift, float x, float y) {
    emit MouseDown(button, shift, x, y);
    if (button == 1) {
        leftDown_ = true;
        DrawButton(PRESSED);
    } else {
        leftDown_ = false;
    }
}

void xButton::mousePressEvent(QMouseEvent* event) {
    clickButton_ = event->button();
    MouseDownStep(ButtonCode(event->button()), ShiftState(event->modifiers()),
                  Twips(event->position().x()), Twips(event->position().y()));
}

void xButton::mouseMoveEvent(QMouseEvent* event) {
    const qint16 buttons = ButtonState(event->buttons());
    emit MouseMove(buttons, ShiftState(event->modifiers()), Twips(event->position().x()),
                   Twips(event->position().y()));
    if (buttons == 1) {
        DrawButton(IsCursorOver() ? PRESSED : HOT);
    } else if (buttons == 2) {
        // a right-button drag changes nothing
    } else {
        hoverTimer_.start(HOVER_POLL_MS);
        DrawButton(HOT);
    }
}

void xButton::mouseReleaseEvent(QMouseEvent* event) {
    emit MouseUp(ButtonCode(event->button()), ShiftState(event->modifiers()),
                 Twips(event->position().x()), Twips(event->position().y()));
    DrawButton(RestingLook());
    // A click is a press and a release of the same button over the control; the release
    // after a double-click's second press completes none.
    const bool click =
        clickButton_ == event->button() && rect().contains(event->position().toPoint());
    if (clickButton_ == event->button()) {
        clickButton_ = Qt::NoButton;
    }
    if (click) {
        emit Click();
    }
}

void xButton::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
    // The second press of a double-click is one more press of the left button; the mouse
    // stays with the control until the release (Qt's implicit grab).
    clickButton_ = Qt::NoButton;
    if (leftDown_) {
        MouseDownStep(1, 0, 0.0F, 0.0F);
    }
}

void xButton::HoverTick() {
    if (!IsCursorOver()) {
        hoverTimer_.stop();
        DrawButton(RestingLook());
    }
}

void xButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    focused_ = true;
    if (!leftDown_) {
        DrawButton(FOCUSED);
    }
}

void xButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    focused_ = false;
    DrawButton(NORMAL);
    leftDown_ = false;
}

void xButton::keyPressEvent(QKeyEvent* event) {
    RelayKeyPress(*this, *event);
}

void xButton::keyReleaseEvent(QKeyEvent* event) {
    RelayKeyRelease(*this, *event);
}

} // namespace moonleaf
