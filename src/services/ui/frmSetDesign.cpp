// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/ui/frmSetDesign.h"

#include <array>

namespace moonleaf {
namespace {

// The label's stored caption is replaced by the Vietnamese text when the dialog loads.
constexpr std::array ROWS{
    DesignRow{.Name = "Check1", .Kind = ElementKind::CheckBox, .Parent = nullptr,
              .Left = 540, .Top = 90, .Width = 1185, .Height = 510,
              .AccessibleName = u"T\u1EF1 \u0111\u1ED9ng kh\u1EDFi \u0111\u1ED9ng c\u00F9ng windows"},
    DesignRow{.Name = "xLabel1", .Kind = ElementKind::XLabel, .Parent = nullptr,
              .Left = 855, .Top = 225, .Width = 3120, .Height = 375,
              .Caption = u"Start with windows"},
};

} // namespace

std::span<const DesignRow> SetDesign() {
    return ROWS;
}

} // namespace moonleaf
