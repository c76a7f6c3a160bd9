// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/VietnameseFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace moonleaf {

bool ShowsVietnamese(const QString& family) {
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive) &&
           QFontDatabase::writingSystems(family).contains(QFontDatabase::Vietnamese);
}

QString VietnameseFontFamily() {
    static const QString family = [] {
        // Families known to carry every precomposed Vietnamese letter; fonts-dejavu-extra
        // is one of the program's dependencies, so the first normally wins. The condensed
        // face is as narrow as the designs' Tahoma, so the designs' texts fit their places.
        const QStringList preferred = {QStringLiteral("DejaVu Sans Condensed"),
                                       QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans"),
                                       QStringLiteral("Liberation Sans"),
                                       QStringLiteral("FreeSans")};
        for (const QString& candidate : preferred) {
            if (ShowsVietnamese(candidate)) {
                return candidate;
            }
        }
        const QStringList covering = QFontDatabase::families(QFontDatabase::Vietnamese);
        if (!covering.isEmpty()) {
            return covering.first();
        }
        return QGuiApplication::font().family();
    }();
    return family;
}

QString FamilyForVietnamese(const QString& family) {
    return ShowsVietnamese(family) ? family : VietnameseFontFamily();
}

QFont VietnameseFont(const QString& family) {
    QFont font;
    const QString shown = FamilyForVietnamese(family);
    const bool installed = QFontDatabase::families().contains(family, Qt::CaseInsensitive);
    if (family.isEmpty() || installed) {
        // Installed: either it shows Vietnamese, or it must not be asked for at all (its
        // Latin letters beside another family's accented ones would mix two faces).
        font.setFamilies({shown});
    } else {
        // Not installed: Qt passes over the missing first family to the second.
        font.setFamilies({family, shown});
    }
    return font;
}

QFont FontWithCellHeight(const QString& family, int cellPixels, int weight) {
    QFont font = VietnameseFont(family);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    // The cell is taller than the em square by the family's ascent and descent margins;
    // step down from the cell height until the metrics fit.
    int pixels = std::max(cellPixels, 1);
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(font).height() > cellPixels) {
        --pixels;
        font.setPixelSize(pixels);
    }
    return font;
}

QFont DesignFont(double points, bool bold) {
    QFont font = VietnameseFont(QStringLiteral("Tahoma"));
    constexpr double PIXELS_PER_POINT = 96.0 / 72.0;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * PIXELS_PER_POINT))));
    font.setBold(bold);
    return font;
}

} // namespace moonleaf
