// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PanelBorder.h"

#include <QChildEvent>
#include <QEvent>
#include <QPainter>

namespace moonleaf {

PanelBorder::PanelBorder(QWidget* panel) : QWidget(panel) {
    setObjectName(QStringLiteral("panelBorder"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(panel->rect());
    panel->installEventFilter(this);
    raise();
}

bool PanelBorder::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent()) {
        switch (event->type()) {
        case QEvent::Resize:
            setGeometry(parentWidget()->rect());
            break;
        case QEvent::ChildAdded:
        case QEvent::ChildPolished:
            // A control added or shown after the frame would otherwise cover it.
            if (static_cast<QChildEvent*>(event)->child() != this &&
                static_cast<QChildEvent*>(event)->child()->isWidgetType()) {
                raise();
            }
            break;
        case QEvent::Show:
            raise();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PanelBorder::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(COLOR);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace moonleaf
