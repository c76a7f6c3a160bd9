// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowTraits.h"

#include <QWidget>

namespace moonleaf {

void WindowTraits::MakeToolWindow(QWidget* window) {
    window->setWindowFlag(Qt::Tool);
}

void PortableWindowTraits::MakePanel(QWidget* window) {
    window->setWindowFlags(window->windowFlags() | Qt::Tool | Qt::FramelessWindowHint |
                           Qt::WindowStaysOnTopHint);
}

void PortableWindowTraits::DropShadow(QWidget*) {}

std::unique_ptr<WindowTraits> CreateWindowTraits() {
    return std::make_unique<PortableWindowTraits>();
}

} // namespace moonleaf
