// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/ui/DayPictureFiles.h"

#include <array>

namespace moonleaf {
namespace {

// The animals of the twelve branches, Tý .. Hợi.
constexpr std::array<const char16_t*, 12> ANIMALS{
    u"Chu\u1ED9t", u"Tr\u00E2u", u"H\u1ED5",  u"M\u00E8o", u"R\u1ED3ng", u"R\u1EAFn",
    u"Ng\u1EF1a",  u"D\u00EA",   u"Kh\u1EC9", u"G\u00E0",  u"Ch\u00F3",  u"L\u1EE3n"};

} // namespace

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

QString MoonPictureName(int k, int lunarDay) {
    if (k < 1 || k > 29) {
        return QString::fromUtf16(u"Kh\u00F4ng c\u00F3 tr\u0103ng");
    }
    return QString::fromUtf16(u"Tr\u0103ng ng\u00E0y %1").arg(lunarDay);
}

QString AnimalPictureName(int index) {
    if (index < 0 || index > 11) {
        return {};
    }
    return QString::fromUtf16(u"Con gi\u00E1p: ") +
           QString::fromUtf16(ANIMALS[static_cast<std::size_t>(index)]);
}

} // namespace moonleaf
