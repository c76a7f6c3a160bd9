// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/VisualStyle.h"

#include <QByteArray>
#include <QtGlobal>

namespace moonleaf {
namespace {

bool& Enabled() {
    static bool enabled = qgetenv("MOONLEAF_VISUAL_STYLES") != "0";
    return enabled;
}

} // namespace

bool VisualStylesEnabled() {
    return Enabled();
}

void SetVisualStylesEnabled(bool enabled) {
    Enabled() = enabled;
}

} // namespace moonleaf
