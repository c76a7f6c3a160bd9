// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowTraits.h"

#include "platform/PanelBorder.h"

#include <QGuiApplication>
#include <QWidget>

#if defined(MOONLEAF_HAVE_X11)
#include "platform/x11/X11WindowTraits.h"
#endif

namespace moonleaf {

void WindowTraits::MakeToolWindow(QWidget* window) {
    window->setWindowFlag(Qt::Tool);
}

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
#if defined(MOONLEAF_HAVE_X11)
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        return std::make_unique<X11WindowTraits>();
    }
#endif
    return std::make_unique<PortableWindowTraits>();
}

} // namespace moonleaf
