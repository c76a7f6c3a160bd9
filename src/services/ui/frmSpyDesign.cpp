// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/ui/frmSpyDesign.h"

#include "design/DesignUnits.h"

#include <array>

namespace moonleaf {
namespace {

constexpr std::array ROWS{
    DesignRow{.Name = "xButton1", .Kind = ElementKind::XButton, .Parent = nullptr,
              .Left = -10, .Top = -10, .Width = 495, .Height = 330,
              .Caption = u"\u25BC", // down triangle
              .Points = 9, .ForeColor = Rgb(0, 192, 0), .Symbol = true,
              .AccessibleName = u"Hi\u1EC7n l\u1ECBch"},
};

} // namespace

std::span<const DesignRow> SpyDesign() {
    return ROWS;
}

} // namespace moonleaf
