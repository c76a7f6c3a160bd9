// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramIcon.h"

#include <QString>

namespace moonleaf {

QIcon ProgramIcon() {
    return QIcon(QStringLiteral(":/icons/io.github.moonleaf.Moonleaf.svg"));
}

} // namespace moonleaf
