// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowTraits.h"

#include "platform/PanelBorder.h"

#include <QWidget>


namespace moonleaf {

void PortableWindowTraits::MakePanel(QWidget* window) {
    window->setWindowFlags(window->windowFlags() | Qt::Tool | Qt::FramelessWindowHint |
                           Qt::WindowStaysOnTopHint);
}

void PortableWindowTraits::DropShadow(QWidget* window) {
    if (window->findChild<PanelBorder*>(QString(), Qt::FindDirectChildrenOnly) == nullptr) {
        new PanelBorder(window);
    }
}

std::unique_ptr<WindowTraits> CreateWindowTraits() {
    return std::make_unique<PortableWindowTraits>();
}

} // namespace moonleaf
