// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/DesignShapes.h"

#include "controls/ColorValue.h"
#include "controls/ControlAccessibility.h"

#include <QPainter>
#include <QSvgRenderer>

namespace moonleaf {

PictureBox::PictureBox(QWidget* parent, const QString& name)
    : QWidget(parent), backColor_(SYS_COLOR_BUTTON_FACE) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    InstallControlAccessibility();
}

void PictureBox::SetBackColor(std::uint32_t color) {
    backColor_ = color;
    update();
}

void PictureBox::SetPicture(const QString& path) {
    if (path == picture_) {
        return;
    }
    picture_ = path;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ColorFromValue(backColor_, palette()));
    if (picture_.isEmpty()) {
        return;
    }
    QSvgRenderer renderer(picture_);
    if (!renderer.isValid()) {
        return;
    }
    const QSize natural = renderer.defaultSize();
    const QRect target(QPoint((width() - natural.width()) / 2, (height() - natural.height()) / 2),
                       natural);
    renderer.render(&painter, QRectF(target));
}

ShapeBox::ShapeBox(QWidget* parent, const QString& name)
    : QWidget(parent), borderColor_(SYS_COLOR_WINDOW_TEXT) {
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    InstallControlAccessibility();
}

void ShapeBox::SetBorderColor(std::uint32_t color) {
    borderColor_ = color;
    update();
}

void ShapeBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ColorFromValue(borderColor_, palette()));
    // Four one-pixel bands rather than a stroked rectangle: crisp at every scale factor.
    const int w = width();
    const int h = height();
    painter.drawRect(0, 0, w, 1);
    painter.drawRect(0, h - 1, w, 1);
    painter.drawRect(0, 0, 1, h);
    painter.drawRect(w - 1, 0, 1, h);
}

LineShape::LineShape(QWidget* parent, const QString& name)
    : QWidget(parent), borderColor_(SYS_COLOR_WINDOW_TEXT) {
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    InstallControlAccessibility();
}

void LineShape::SetBorderColor(std::uint32_t color) {
    borderColor_ = color;
    update();
}

void LineShape::SetEnds(QPoint from, QPoint to) {
    from_ = from;
    to_ = to;
    setGeometry(QRect(from, to).normalized());
    update();
}

void LineShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(ColorFromValue(borderColor_, palette()), 1));
    painter.drawLine(from_ - pos(), to_ - pos());
}

} // namespace moonleaf
