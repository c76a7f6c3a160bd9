// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/ui/frmFindDesign.h"

#include <array>

namespace moonleaf {
namespace {

using K = ElementKind;

// Captions set when the dialog loads are stored empty here; xButton2's stored caption is
// replaced then.
constexpr std::array ROWS{
    DesignRow{.Name = "xLabel1", .Kind = K::XLabel, .Parent = nullptr,
              .Left = 135, .Top = 135, .Width = 3795, .Height = 330, .Caption = u""},
    DesignRow{.Name = "xLabel4", .Kind = K::XLabel, .Parent = nullptr,
              .Left = 135, .Top = 495, .Width = 1095, .Height = 285, .Caption = u"Ng\u00E0y"},
    DesignRow{.Name = "xLabel3", .Kind = K::XLabel, .Parent = nullptr,
              .Left = 1440, .Top = 495, .Width = 1095, .Height = 285,
              .Caption = u"Th\u00E1ng"},
    DesignRow{.Name = "xLabel2", .Kind = K::XLabel, .Parent = nullptr,
              .Left = 2790, .Top = 495, .Width = 1095, .Height = 285, .Caption = u""},
    DesignRow{.Name = "cbNgay", .Kind = K::DropDownList, .Parent = nullptr,
              .Left = 90, .Top = 810, .Width = 1185, .Height = 315,
              .AccessibleName = u"Ng\u00E0y"},
    DesignRow{.Name = "cbThang", .Kind = K::DropDownList, .Parent = nullptr,
              .Left = 1440, .Top = 810, .Width = 1185, .Height = 315,
              .AccessibleName = u"Th\u00E1ng"},
    DesignRow{.Name = "cbNam", .Kind = K::DropDownList, .Parent = nullptr,
              .Left = 2790, .Top = 810, .Width = 1185, .Height = 315,
              .AccessibleName = u"N\u0103m"},
    DesignRow{.Name = "xButton1", .Kind = K::XButton, .Parent = nullptr,
              .Left = 90, .Top = 1215, .Width = 1900, .Height = 510,
              .Caption = u"Xem ng\u00E0y \u00E2m"},
    DesignRow{.Name = "xButton2", .Kind = K::XButton, .Parent = nullptr,
              .Left = 2070, .Top = 1215, .Width = 1905, .Height = 510, .Caption = u"Close"},
    DesignRow{.Name = "lbDuong", .Kind = K::XLabel, .Parent = nullptr,
              .Left = 90, .Top = 1800, .Width = 3930, .Height = 240, .Caption = u""},
    DesignRow{.Name = "lbAm", .Kind = K::XLabel, .Parent = nullptr,
              .Left = 90, .Top = 2070, .Width = 3930, .Height = 240, .Caption = u""},
    DesignRow{.Name = "lbStr", .Kind = K::XLabel, .Parent = nullptr,
              .Left = 90, .Top = 2340, .Width = 3930, .Height = 240, .Caption = u""},
    DesignRow{.Name = "lbGio", .Kind = K::XLabel, .Parent = nullptr,
              .Left = 90, .Top = 2610, .Width = 3930, .Height = 240, .Caption = u""},
};

} // namespace

std::span<const DesignRow> FindDesign() {
    return ROWS;
}

} // namespace moonleaf
