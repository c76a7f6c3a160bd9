// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ScreenCapture.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace moonleaf {
namespace {

// A Wayland session: the program runs through XWayland there, whose root window does not
// hold the other programs' pictures, so a grab would show black or stale pixels.
bool WaylandSession() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

} // namespace

QImage SystemScreenCapture::Capture(QScreen* screen) {
    if (screen == nullptr || QGuiApplication::platformName() != QLatin1String("xcb") ||
        WaylandSession()) {
        return {};
    }
    // Window 0 is the root window: everything on the screen, in the screen's pixels.
    const QPixmap grab = screen->grabWindow(0);
    if (grab.isNull() || grab.width() <= 0 || grab.height() <= 0) {
        return {};
    }
    return grab.toImage();
}

} // namespace moonleaf
