// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

namespace moonleaf {

// The soft drop shadow of a panel, drawn by a window of its own that a compositing manager
// blends over the desktop: a translucent, frameless top-level window that takes neither
// the mouse nor the keyboard focus, a little larger than the panel and offset down and to
// the right, stacked just below it. It draws a dark rectangle whose edge fades out.
class ShadowWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int OFFSET = 3;         // pixels the shadow falls down and to the right
    static constexpr int SOFT_EDGE = 6;      // pixels over which the edge fades to nothing
    static constexpr int DARKEST_ALPHA = 90; // opacity (of 255) under the panel's edge

    ShadowWindow();

    // Where the shadow of a panel with the global geometry `panel` lies.
    static QRect GeometryFor(const QRect& panel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage shade_; // the shadow at the window's size, premultiplied
};

} // namespace moonleaf
