// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/ui/WindowHelpers.h"

#include <QCoreApplication>
#include <QThread>
#include <QWidget>
#include <QWindow>

namespace moonleaf {

void SetTopMost(QWidget* window) {
    if (window == nullptr) {
        return;
    }
    QWidget* top = window->window();
    const Qt::WindowFlags flags = top->windowFlags() | Qt::WindowStaysOnTopHint;
    if (QWindow* handle = top->windowHandle()) {
        // A window that exists already is told directly: changing the widget's flags would
        // recreate, and so hide, it.
        top->overrideWindowFlags(flags);
        handle->setFlags(flags);
        if (top->isVisible()) {
            top->raise();
        }
    } else {
        top->setWindowFlags(flags);
    }
}

void PauseTicks(std::int16_t n) {
    for (std::int16_t i = 0; i < n; ++i) {
        QThread::msleep(1);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

} // namespace moonleaf
