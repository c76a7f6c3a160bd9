// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/xLabel.h"

#include "controls/Ambient.h"
#include "controls/ColorValue.h"
#include "controls/ControlAccessibility.h"
#include "controls/InputCodes.h"
#include "controls/PropertyBag.h"
#include "design/DesignUnits.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace moonleaf {
namespace {

// Text-format bits of the caption drawing.
constexpr std::uint32_t DT_CENTER = 0x1;
constexpr std::uint32_t DT_RIGHT = 0x2;
constexpr std::uint32_t DT_VCENTER = 0x4;
constexpr std::uint32_t DT_BOTTOM = 0x8;
constexpr std::uint32_t DT_WORDBREAK = 0x10;
constexpr std::uint32_t DT_SINGLELINE = 0x20;
constexpr std::uint32_t DT_EXPANDTABS = 0x40;
constexpr std::uint32_t DT_NOCLIP = 0x100;
constexpr std::uint32_t DT_CALCRECT = 0x400;
constexpr std::uint32_t DT_NOPREFIX = 0x800;
constexpr std::uint32_t DT_END_ELLIPSIS = 0x8000;
constexpr std::uint32_t DT_PATH_ELLIPSIS = 0x4000;
constexpr std::uint32_t DT_WORD_ELLIPSIS = 0x40000;
constexpr std::uint32_t DT_HIDEPREFIX = 0x100000;

int QtTextFlags(std::uint32_t format) {
    int flags = Qt::AlignLeft;
    if ((format & DT_CENTER) != 0) {
        flags = Qt::AlignHCenter;
    } else if ((format & DT_RIGHT) != 0) {
        flags = Qt::AlignRight;
    }
    // Vertical placement applies to a single line only; several lines start at the top.
    if ((format & DT_SINGLELINE) != 0) {
        flags |= Qt::TextSingleLine;
        if ((format & DT_VCENTER) != 0) {
            flags |= Qt::AlignVCenter;
        } else if ((format & DT_BOTTOM) != 0) {
            flags |= Qt::AlignBottom;
        } else {
            flags |= Qt::AlignTop;
        }
    } else {
        flags |= Qt::AlignTop;
    }
    if ((format & DT_WORDBREAK) != 0) {
        flags |= Qt::TextWordWrap;
    }
    if ((format & DT_EXPANDTABS) != 0) {
        flags |= Qt::TextExpandTabs;
    }
    if ((format & DT_NOPREFIX) == 0) {
        flags |= (format & DT_HIDEPREFIX) != 0 ? Qt::TextHideMnemonic : Qt::TextShowMnemonic;
    }
    return flags;
}

// The caption as it is drawn: every kind of line break ends a line.
QString DrawnText(const QString& caption, std::uint32_t format, const QFontMetrics& metrics,
                  int width) {
    QString text = caption;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Qt::TextElideMode elide = Qt::ElideNone;
    if ((format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) != 0) {
        elide = Qt::ElideRight;
    } else if ((format & DT_PATH_ELLIPSIS) != 0) {
        elide = Qt::ElideMiddle;
    }
    if (elide != Qt::ElideNone) {
        QStringList lines = text.split(QLatin1Char('\n'));
        for (QString& line : lines) {
            line = metrics.elidedText(line, elide, width);
        }
        text = lines.join(QLatin1Char('\n'));
    }
    return text;
}

} // namespace

xLabel::xLabel(QWidget* parent, const QString& name)
    : QWidget(parent), backColor_(SYS_COLOR_BUTTON_FACE), foreColor_(SYS_COLOR_BUTTON_TEXT) {
    setObjectName(name);
    setFont(AmbientFont(this));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    ResizeSurface(ClientRect().topLeft());
    InstallControlAccessibility();
}

QRect xLabel::ClientRect() const {
    const int border = borderStyle_ == 1 ? 1 : 0;
    return rect().adjusted(border, border, -border, -border);
}

// Fits the surface to the client area, whose top left corner was at `oldOrigin` (in the
// label's coordinates) when the surface was last sized. What was drawn stays where it is on
// screen; what the surface gains is cleared as the last drawing cleared it. So a border that
// comes or goes draws nothing new: the old image shows inside it until the next drawing.
void xLabel::ResizeSurface(QPoint oldOrigin) {
    const QRect client = ClientRect();
    const QSize size = client.size().expandedTo(QSize(0, 0));
    const qreal ratio = devicePixelRatioF();
    QImage resized((QSizeF(size) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    resized.setDevicePixelRatio(ratio);
    resized.fill(drawnFill_);
    if (!surface_.isNull() && !resized.isNull()) {
        QPainter painter(&resized);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(oldOrigin - client.topLeft(), surface_);
    }
    surface_ = resized;
    drawn_.reset(); // what was kept is no whole drawing of the caption
}

xLabel::DrawnStamp xLabel::CurrentStamp() const {
    return DrawnStamp{.caption = caption_,
                      .alignment = alignment_,
                      .font = font(),
                      .fill = backStyle_ == 0 ? QColor(Qt::transparent)
                                              : ColorFromValue(backColor_, palette()),
                      .pen = ColorFromValue(foreColor_, palette()),
                      .size = surface_.size(),
                      .ratio = surface_.devicePixelRatio()};
}

void xLabel::DrawCaption() {
    RenderCaption();
    update();
}

void xLabel::RenderCaption() {
    firstDrawingDue_ = false;
    const DrawnStamp stamp = CurrentStamp();
    drawnFill_ = stamp.fill;
    surface_.fill(drawnFill_);
    drawn_ = stamp;
    if (surface_.isNull()) {
        return;
    }
    const auto format = static_cast<std::uint32_t>(static_cast<std::uint16_t>(alignment_));
    if ((format & DT_CALCRECT) != 0) {
        return; // that format only measures
    }
    QPainter painter(&surface_);
    const QRect area(QPoint(0, 0), ClientRect().size());
    if ((format & DT_NOCLIP) == 0) {
        painter.setClipRect(area);
    }
    painter.setFont(stamp.font);
    painter.setPen(stamp.pen);
    painter.drawText(area, QtTextFlags(format),
                     DrawnText(caption_, format, painter.fontMetrics(), area.width()));
}

// A drawing due since the first show is made before anything changes what it would draw,
// so that it shows the label as it was when shown.
void xLabel::CompleteFirstDrawing() {
    if (firstDrawingDue_) {
        RenderCaption();
    }
}

const QImage& xLabel::Surface() {
    CompleteFirstDrawing();
    return surface_;
}

void xLabel::SetCaption(const QString& caption) {
    CompleteFirstDrawing();
    caption_ = caption;
    NotifyCaptionChanged(this);
    emit PropertyChanged(QStringLiteral("Caption"));
}

void xLabel::SetAlignment(std::int16_t alignment) {
    CompleteFirstDrawing();
    alignment_ = alignment;
    DrawCaption();
    emit PropertyChanged(QStringLiteral("Alignment"));
}

void xLabel::SetBackColor(std::uint32_t color) {
    CompleteFirstDrawing();
    backColor_ = color;
    emit PropertyChanged(QStringLiteral("BackColor"));
}

void xLabel::SetForeColor(std::uint32_t color) {
    CompleteFirstDrawing();
    foreColor_ = color;
    emit PropertyChanged(QStringLiteral("ForeColor"));
}

void xLabel::SetEnabled(bool enabled) {
    setEnabled(enabled);
    emit PropertyChanged(QStringLiteral("Enabled"));
}

void xLabel::SetFont(const QFont& font) {
    CompleteFirstDrawing();
    setFont(font);
    emit PropertyChanged(QStringLiteral("Font"));
}

void xLabel::SetBackStyle(std::int16_t backStyle) {
    CompleteFirstDrawing();
    backStyle_ = backStyle;
    emit PropertyChanged(QStringLiteral("BackStyle"));
}

void xLabel::SetBorderStyle(std::int16_t borderStyle) {
    ApplyBorderStyle(borderStyle);
    emit PropertyChanged(QStringLiteral("BorderStyle"));
}

void xLabel::ApplyBorderStyle(std::int16_t borderStyle) {
    CompleteFirstDrawing();
    // The border takes a pixel from each side of the client area. The label itself keeps
    // its size, so this is no resize: the surface follows the client area without drawing.
    const QPoint oldOrigin = ClientRect().topLeft();
    borderStyle_ = borderStyle;
    if (ClientRect().topLeft() != oldOrigin) {
        ResizeSurface(oldOrigin);
    }
    update();
}

void xLabel::Refresh() {
    // A label whose surface already shows exactly this caption, in these colours, font and
    // size, would be drawn to the same pixels: the clock refreshes every label each second,
    // and an idle panel should not draw its whole text anew for that.
    if (!firstDrawingDue_ && drawn_ && *drawn_ == CurrentStamp()) {
        return;
    }
    DrawCaption();
}

void xLabel::ReadProperties(const PropertyBag& bag) {
    CompleteFirstDrawing();
    backColor_ = bag.ReadColor(u"BackColor", SYS_COLOR_BUTTON_FACE);
    foreColor_ = bag.ReadColor(u"ForeColor", SYS_COLOR_BUTTON_TEXT);
    setEnabled(bag.ReadBool(u"Enabled", true));
    setFont(bag.ReadFont(u"Font", AmbientFont(this)));
    backStyle_ = bag.ReadInt16(u"BackStyle", 1);
    ApplyBorderStyle(bag.ReadInt16(u"BorderStyle", 0));
    caption_ = bag.ReadString(u"Caption", QStringLiteral("UniLabel"));
    alignment_ = bag.ReadInt16(u"Alignment", 0);
}

void xLabel::WriteProperties(PropertyBag& bag) const {
    bag.WriteColor(QStringLiteral("BackColor"), backColor_, SYS_COLOR_BUTTON_FACE);
    bag.WriteColor(QStringLiteral("ForeColor"), foreColor_, SYS_COLOR_BUTTON_TEXT);
    bag.WriteBool(QStringLiteral("Enabled"), Enabled(), true);
    bag.WriteFont(QStringLiteral("Font"), font(), AmbientFont(this));
    bag.WriteInt16(QStringLiteral("BackStyle"), backStyle_, 1);
    bag.WriteInt16(QStringLiteral("BorderStyle"), borderStyle_, 0);
    bag.WriteString(QStringLiteral("Caption"), caption_, QStringLiteral("UniLabel"));
    bag.WriteInt16(QStringLiteral("Alignment"), alignment_, 0);
}

void xLabel::paintEvent(QPaintEvent* /*event*/) {
    CompleteFirstDrawing();
    QPainter painter(this);
    const QRect client = ClientRect();
    painter.drawImage(client.topLeft(), surface_);
    if (borderStyle_ == 1) {
        painter.setPen(ColorFromValue(SYS_COLOR_WINDOW_FRAME, palette()));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void xLabel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ResizeSurface(ClientRect().topLeft());
    // Before the first show nothing is on screen to keep current: the first show draws.
    if (shown_) {
        DrawCaption();
    }
}

void xLabel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shown_) {
        shown_ = true;
        firstDrawingDue_ = true;
        update();
    }
}

QPointF xLabel::ClientTwips(const QMouseEvent& event) const {
    const QPointF client = event.position() - QPointF(ClientRect().topLeft());
    return {PixelsToTwips(static_cast<float>(client.x())),
            PixelsToTwips(static_cast<float>(client.y()))};
}

void xLabel::mousePressEvent(QMouseEvent* event) {
    clickButton_ = event->button();
    const QPointF at = ClientTwips(*event);
    emit MouseDown(ButtonCode(event->button()), ShiftState(event->modifiers()),
                   static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void xLabel::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = ClientTwips(*event);
    emit MouseMove(ButtonState(event->buttons()), ShiftState(event->modifiers()),
                   static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void xLabel::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = ClientTwips(*event);
    emit MouseUp(ButtonCode(event->button()), ShiftState(event->modifiers()),
                 static_cast<float>(at.x()), static_cast<float>(at.y()));
    const bool click =
        clickButton_ == event->button() && rect().contains(event->position().toPoint());
    clickButton_ = Qt::NoButton;
    if (click) {
        emit Click();
    }
}

void xLabel::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
    // The second press of a double-click raises DblClick in place of MouseDown and Click.
    clickButton_ = Qt::NoButton;
    emit DblClick();
}

void xLabel::keyPressEvent(QKeyEvent* event) {
    RelayKeyPress(*this, *event);
}

void xLabel::keyReleaseEvent(QKeyEvent* event) {
    RelayKeyRelease(*this, *event);
}

} // namespace moonleaf
