// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ShadowWindow.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace moonleaf {
namespace {

// Opacity at `distance` pixels outside the dark core: full at the core, falling along a
// smooth curve (no visible step where the fade begins or ends) to nothing at SOFT_EDGE.
int AlphaAt(double distance) {
    const double t = std::clamp(1.0 - distance / ShadowWindow::SOFT_EDGE, 0.0, 1.0);
    return static_cast<int>(std::lround(ShadowWindow::DARKEST_ALPHA * t * t * (3.0 - 2.0 * t)));
}

} // namespace

ShadowWindow::ShadowWindow()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("panelShadow"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

QRect ShadowWindow::GeometryFor(const QRect& panel) {
    return panel.translated(OFFSET, OFFSET).adjusted(-SOFT_EDGE, -SOFT_EDGE, SOFT_EDGE, SOFT_EDGE);
}

void ShadowWindow::resizeEvent(QResizeEvent*) {
    // The dark core is the panel's rectangle; the soft edge lies around it.
    const QRect core = rect().adjusted(SOFT_EDGE, SOFT_EDGE, -SOFT_EDGE, -SOFT_EDGE);
    shade_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < shade_.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(shade_.scanLine(y));
        const int dy = std::max({core.top() - y, 0, y - core.bottom()});
        for (int x = 0; x < shade_.width(); ++x) {
            const int dx = std::max({core.left() - x, 0, x - core.right()});
            line[x] = qRgba(0, 0, 0, AlphaAt(std::hypot(dx, dy)));
        }
    }
}

void ShadowWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, shade_);
}

} // namespace moonleaf
