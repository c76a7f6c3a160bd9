// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GlobalKeys.h"

#include <QGuiApplication>

#if defined(MOONLEAF_HAVE_X11)
#include "platform/x11/X11GlobalKeys.h"
#endif

namespace moonleaf {

Qt::KeyboardModifiers GlobalKeys::HeldModifiers() const {
    return QGuiApplication::queryKeyboardModifiers();
}

std::unique_ptr<GlobalKeys> CreateGlobalKeys() {
#if defined(MOONLEAF_HAVE_X11)
    // The keys are watched on the display Qt uses, named by $DISPLAY.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        return std::make_unique<X11GlobalKeys>();
    }
#endif
    return std::make_unique<NoGlobalKeys>();
}

} // namespace moonleaf
