// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/ui/DayPictureFiles.h"

namespace moonleaf {

QString MoonPictureFile(int k) {
    if (k < 1 || k > 29) {
        return {};
    }
    return QStringLiteral(":/pictures/moon/moon%1.svg").arg(k, 2, 10, QLatin1Char('0'));
}

QString AnimalPictureFile(int index) {
    if (index < 0 || index > 11) {
        return {};
    }
    return QStringLiteral(":/pictures/animals/animal%1.svg").arg(index, 2, 10, QLatin1Char('0'));
}

} // namespace moonleaf
