// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GlobalKeys.h"

#include <QGuiApplication>

namespace moonleaf {

Qt::KeyboardModifiers GlobalKeys::HeldModifiers() const {
    return QGuiApplication::queryKeyboardModifiers();
}

std::unique_ptr<GlobalKeys> CreateGlobalKeys() {
    return std::make_unique<NoGlobalKeys>();
}

} // namespace moonleaf
