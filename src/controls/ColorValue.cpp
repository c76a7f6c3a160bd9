// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ColorValue.h"

#include <QGuiApplication>

namespace moonleaf {
namespace {

struct SchemeRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Index of the desktop scheme's colour -> where Qt's palette keeps the nearest equivalent.
// The indices are those of the scheme: 0 scroll bar, 1 desktop, 2 active caption ... 30
// menu bar; 25 is unused.
bool SchemeRoleOf(std::uint32_t index, SchemeRole& out) {
    constexpr QPalette::ColorGroup A = QPalette::Active;
    constexpr QPalette::ColorGroup D = QPalette::Disabled;
    switch (index) {
    case 0:
        out = {A, QPalette::Midlight};
        return true; // scroll bar
    case 1:
        out = {A, QPalette::Dark};
        return true; // desktop
    case 2:
        out = {A, QPalette::Highlight};
        return true; // active caption
    case 3:
        out = {A, QPalette::Mid};
        return true; // inactive caption
    case 4:
        out = {A, QPalette::Window};
        return true; // menu
    case 5:
        out = {A, QPalette::Base};
        return true; // window
    case 6:
        out = {A, QPalette::Shadow};
        return true; // window frame
    case 7:
        out = {A, QPalette::WindowText};
        return true; // menu text
    case 8:
        out = {A, QPalette::Text};
        return true; // window text
    case 9:
        out = {A, QPalette::HighlightedText};
        return true; // caption text
    case 10:
        out = {A, QPalette::Window};
        return true; // active border
    case 11:
        out = {A, QPalette::Window};
        return true; // inactive border
    case 12:
        out = {A, QPalette::Mid};
        return true; // application workspace
    case 13:
        out = {A, QPalette::Highlight};
        return true; // highlight
    case 14:
        out = {A, QPalette::HighlightedText};
        return true; // highlighted text
    case 15:
        out = {A, QPalette::Button};
        return true; // button face
    case 16:
        out = {A, QPalette::Dark};
        return true; // button shadow
    case 17:
        out = {D, QPalette::Text};
        return true; // grey text
    case 18:
        out = {A, QPalette::ButtonText};
        return true; // button text
    case 19:
        out = {D, QPalette::WindowText};
        return true; // inactive caption text
    case 20:
        out = {A, QPalette::Light};
        return true; // button highlight
    case 21:
        out = {A, QPalette::Shadow};
        return true; // dark 3-D shadow
    case 22:
        out = {A, QPalette::Midlight};
        return true; // 3-D light
    case 23:
        out = {A, QPalette::ToolTipText};
        return true; // tooltip text
    case 24:
        out = {A, QPalette::ToolTipBase};
        return true; // tooltip background
    case 26:
        out = {A, QPalette::Link};
        return true; // hot-tracked item
    case 27:
        out = {A, QPalette::Highlight};
        return true; // active caption gradient
    case 28:
        out = {A, QPalette::Mid};
        return true; // inactive caption gradient
    case 29:
        out = {A, QPalette::Highlight};
        return true; // highlighted menu item
    case 30:
        out = {A, QPalette::Window};
        return true; // menu bar
    default:
        return false;
    }
}

} // namespace

QColor ColorFromValue(std::uint32_t value, const QPalette& palette) {
    if ((value & 0xFF000000U) == SYSTEM_COLOR_FLAG) {
        SchemeRole scheme{};
        if (!SchemeRoleOf(value & 0x00FFFFFFU, scheme)) {
            return QColor(0, 0, 0);
        }
        QColor color = palette.color(scheme.group, scheme.role);
        color.setAlpha(255);
        return color;
    }
    const int red = static_cast<int>(value & 0xFFU);
    const int green = static_cast<int>((value >> 8) & 0xFFU);
    const int blue = static_cast<int>((value >> 16) & 0xFFU);
    return QColor(red, green, blue);
}

QColor ColorFromValue(std::uint32_t value) {
    return ColorFromValue(value, QGuiApplication::palette());
}

} // namespace moonleaf
