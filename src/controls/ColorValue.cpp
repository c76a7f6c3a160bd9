// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ColorValue.h"

#include <QGuiApplication>

#include <array>

namespace moonleaf {
namespace {

struct SchemeRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr QPalette::ColorGroup A = QPalette::Active;
constexpr QPalette::ColorGroup D = QPalette::Disabled;

// Index of the desktop scheme's colour -> where Qt's palette keeps the nearest equivalent.
// Index 25 is unused by the scheme and, like any index past the end, gives none.
constexpr std::array<SchemeRole, 31> SCHEME_ROLES = {{
    {A, QPalette::Midlight},        // 0 scroll bar
    {A, QPalette::Dark},            // 1 desktop
    {A, QPalette::Highlight},       // 2 active caption
    {A, QPalette::Mid},             // 3 inactive caption
    {A, QPalette::Window},          // 4 menu
    {A, QPalette::Base},            // 5 window
    {A, QPalette::Shadow},          // 6 window frame
    {A, QPalette::WindowText},      // 7 menu text
    {A, QPalette::Text},            // 8 window text
    {A, QPalette::HighlightedText}, // 9 caption text
    {A, QPalette::Window},          // 10 active border
    {A, QPalette::Window},          // 11 inactive border
    {A, QPalette::Mid},             // 12 application workspace
    {A, QPalette::Highlight},       // 13 highlight
    {A, QPalette::HighlightedText}, // 14 highlighted text
    {A, QPalette::Button},          // 15 button face
    {A, QPalette::Dark},            // 16 button shadow
    {D, QPalette::Text},            // 17 grey text
    {A, QPalette::ButtonText},      // 18 button text
    {D, QPalette::WindowText},      // 19 inactive caption text
    {A, QPalette::Light},           // 20 button highlight
    {A, QPalette::Shadow},          // 21 dark 3-D shadow
    {A, QPalette::Midlight},        // 22 3-D light
    {A, QPalette::ToolTipText},     // 23 tooltip text
    {A, QPalette::ToolTipBase},     // 24 tooltip background
    {A, QPalette::NoRole},          // 25 unused
    {A, QPalette::Link},            // 26 hot-tracked item
    {A, QPalette::Highlight},       // 27 active caption gradient
    {A, QPalette::Mid},             // 28 inactive caption gradient
    {A, QPalette::Highlight},       // 29 highlighted menu item
    {A, QPalette::Window},          // 30 menu bar
}};

} // namespace

QColor ColorFromValue(std::uint32_t value, const QPalette& palette) {
    if ((value & 0xFF000000U) == SYSTEM_COLOR_FLAG) {
        const std::uint32_t index = value & 0x00FFFFFFU;
        if (index >= SCHEME_ROLES.size() || SCHEME_ROLES[index].role == QPalette::NoRole) {
            return QColor(0, 0, 0);
        }
        const SchemeRole scheme = SCHEME_ROLES[index];
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
