// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/ui/frmMainDesign.h"

#include <array>

namespace moonleaf {
namespace {

using K = ElementKind;
using A = TextAlign;

// Symbol glyphs of the buttons: up triangle, cross, question mark, left and right
// triangles, and the circle of today.
constexpr const char16_t* UP_TRIANGLE = u"\u25B2";
constexpr const char16_t* CROSS = u"\u2715";
constexpr const char16_t* QUESTION = u"?";
constexpr const char16_t* LEFT_TRIANGLE = u"\u25C0";
constexpr const char16_t* RIGHT_TRIANGLE = u"\u25B6";
constexpr const char16_t* CIRCLE = u"\u25CF";
constexpr double GLYPH_POINTS = 9;

// Rows behind the texts come first in each container: the title panel with its rectangle,
// the main panel with its rectangle, line and shadow labels, and the small box that takes
// the focus after a click on the quotation (behind the quotation, so it never hides a
// letter of it); then the labels, pictures and buttons that lie in front.
constexpr std::array ROWS{
    DesignRow{.Name = "PicBack", .Kind = K::PictureBox, .Parent = nullptr,
              .Left = 90, .Top = 90, .Width = 4740, .Height = 960, .BackColor = WHITE},
    DesignRow{.Name = "Shape1", .Kind = K::Rectangle, .Parent = "PicBack",
              .Left = 45, .Top = 45, .Width = 4155, .Height = 870, .ForeColor = PANEL_GREEN},
    DesignRow{.Name = "lbTitle", .Kind = K::PlainLabel, .Parent = "PicBack",
              .Left = 45, .Top = 0, .Width = 4155, .Height = 645, .Caption = u"Moonleaf",
              .Points = 24, .Bold = true, .ForeColor = PANEL_GREEN, .Align = A::Centre,
              .Transparent = true},
    DesignRow{.Name = "lbCop", .Kind = K::XLabel, .Parent = "PicBack",
              .Left = 90, .Top = 630, .Width = 4065, .Height = 240, .Caption = u"",
              .Points = 8.25, .Bold = true, .ForeColor = PANEL_GREEN, .Align = A::Centre,
              .Transparent = true},
    DesignRow{.Name = "Picture1", .Kind = K::PictureBox, .Parent = nullptr,
              .Left = 90, .Top = 1125, .Width = 4740, .Height = 4695, .BackColor = WHITE},
    DesignRow{.Name = "Shape2", .Kind = K::Rectangle, .Parent = "Picture1",
              .Left = 45, .Top = 45, .Width = 4650, .Height = 4605, .ForeColor = PANEL_GREEN},
    DesignRow{.Name = "Line1", .Kind = K::Line, .Parent = "Picture1",
              .Left = 45, .Top = 3105, .Width = 4680, .Height = 3105, .ForeColor = PANEL_GREEN},
    DesignRow{.Name = "lbYear", .Kind = K::PlainLabel, .Parent = "Picture1",
              .Left = 1935, .Top = 90, .Width = 870, .Height = 420, .Caption = u"",
              .Points = 15.75, .ForeColor = DARK_GREEN, .Align = A::Centre,
              .Transparent = true},
    DesignRow{.Name = "lbShadow", .Kind = K::PlainLabel, .Parent = "Picture1",
              .Left = 1080, .Top = 480, .Width = 2625, .Height = 1455, .Caption = u"",
              .Points = 62.25, .Bold = true, .ForeColor = SILVER, .Align = A::Centre,
              .Transparent = true},
    DesignRow{.Name = "lbNgayD", .Kind = K::PlainLabel, .Parent = "Picture1",
              .Left = 1035, .Top = 450, .Width = 2670, .Height = 1455, .Caption = u"",
              .Points = 62.25, .Bold = true, .Align = A::Centre, .Transparent = true,
              .ToolTip = u"T\u00ECm ng\u00E0y \u00E2m"},
    DesignRow{.Name = "txTemp", .Kind = K::TextBox, .Parent = "Picture1",
              .Left = 2205, .Top = 2205, .Width = 240, .Height = 150, .Caption = u"",
              .BackColor = WHITE, .Borderless = true,
              .AccessibleName = u"\u00D4 tr\u1ED1ng"},
    DesignRow{.Name = "txDanhNgon", .Kind = K::TextBox, .Parent = "Picture1",
              .Left = 90, .Top = 1935, .Width = 4560, .Height = 690, .Caption = u"",
              .BackColor = WHITE, .Align = A::Centre, .Multiline = true, .Locked = true,
              .Borderless = true},
    DesignRow{.Name = "txDanhNgonN", .Kind = K::TextBox, .Parent = "Picture1",
              .Left = 90, .Top = 2070, .Width = 4560, .Height = 420, .Caption = u"",
              .BackColor = WHITE, .Align = A::Centre, .Multiline = true, .Locked = true,
              .Borderless = true},
    DesignRow{.Name = "lbTime", .Kind = K::PlainLabel, .Parent = "Picture1",
              .Left = 1485, .Top = 2655, .Width = 1770, .Height = 375, .Caption = u"",
              .Points = 15, .ForeColor = PANEL_GREEN, .Align = A::Centre, .Transparent = true},
    DesignRow{.Name = "lbShadowA", .Kind = K::PlainLabel, .Parent = "Picture1",
              .Left = 3810, .Top = 3570, .Width = 915, .Height = 645, .Caption = u"",
              .Points = 27.75, .Bold = true, .ForeColor = SILVER, .Align = A::Centre,
              .Transparent = true},
    DesignRow{.Name = "lbDateA", .Kind = K::PlainLabel, .Parent = "Picture1",
              .Left = 3780, .Top = 3555, .Width = 915, .Height = 645, .Caption = u"",
              .Points = 27.75, .Bold = true, .Align = A::Centre, .Transparent = true},
    DesignRow{.Name = "lbTietKhi", .Kind = K::XLabel, .Parent = "Picture1",
              .Left = 3060, .Top = 4275, .Width = 1590, .Height = 330, .Caption = u"",
              .Points = 9.75, .Align = A::Centre, .Transparent = true},
    DesignRow{.Name = "xButton1", .Kind = K::XButton, .Parent = nullptr,
              .Left = 4320, .Top = 90, .Width = 495, .Height = 330, .Caption = UP_TRIANGLE,
              .Points = GLYPH_POINTS, .ForeColor = PANEL_GREEN, .Symbol = true,
              .AccessibleName = u"\u1EA8n l\u1ECBch"},
    DesignRow{.Name = "btClose", .Kind = K::XButton, .Parent = nullptr,
              .Left = 4320, .Top = 405, .Width = 495, .Height = 330, .Caption = CROSS,
              .Points = GLYPH_POINTS, .ForeColor = PANEL_GREEN, .Symbol = true,
              .AccessibleName = u"\u0110\u00F3ng"},
    DesignRow{.Name = "btInfo", .Kind = K::XButton, .Parent = nullptr,
              .Left = 4320, .Top = 720, .Width = 495, .Height = 330, .Caption = QUESTION,
              .Points = GLYPH_POINTS, .Bold = true, .ForeColor = PANEL_GREEN, .Symbol = true,
              .AccessibleName = u"Th\u00F4ng tin"},
    DesignRow{.Name = "lbThangD", .Kind = K::XLabel, .Parent = nullptr,
              .Left = 180, .Top = 1260, .Width = 1815, .Height = 420, .Caption = u"",
              .Points = 12, .Align = A::Left, .Transparent = true},
    DesignRow{.Name = "lbThangEN", .Kind = K::XLabel, .Parent = nullptr,
              .Left = 2925, .Top = 1260, .Width = 1815, .Height = 420, .Caption = u"",
              .Points = 12, .Align = A::Right, .Transparent = true},
    DesignRow{.Name = "lbThuV", .Kind = K::XLabel, .Parent = nullptr,
              .Left = 180, .Top = 3825, .Width = 1410, .Height = 375, .Caption = u"",
              .Points = 12, .Transparent = true},
    DesignRow{.Name = "lbDateEN", .Kind = K::XLabel, .Parent = nullptr,
              .Left = 3330, .Top = 3825, .Width = 1410, .Height = 375, .Caption = u"",
              .Points = 12, .Align = A::Right, .Transparent = true},
    DesignRow{.Name = "lbGioA", .Kind = K::XLabel, .Parent = nullptr,
              .Left = 180, .Top = 4320, .Width = 1860, .Height = 375, .Caption = u"",
              .Points = 9.75, .Transparent = true},
    DesignRow{.Name = "lbNgayA", .Kind = K::XLabel, .Parent = nullptr,
              .Left = 180, .Top = 4680, .Width = 1860, .Height = 375, .Caption = u"",
              .Points = 9.75, .Transparent = true},
    DesignRow{.Name = "lbThangA", .Kind = K::XLabel, .Parent = nullptr,
              .Left = 180, .Top = 5040, .Width = 1860, .Height = 375, .Caption = u"",
              .Points = 9.75, .Transparent = true},
    DesignRow{.Name = "lbNamA", .Kind = K::XLabel, .Parent = nullptr,
              .Left = 180, .Top = 5400, .Width = 1860, .Height = 375, .Caption = u"",
              .Points = 9.75, .Transparent = true},
    DesignRow{.Name = "lbThangADT", .Kind = K::XLabel, .Parent = nullptr,
              .Left = 2295, .Top = 4320, .Width = 2445, .Height = 375, .Caption = u"",
              .Points = 9.75, .Align = A::Right, .Transparent = true},
    DesignRow{.Name = "PicDateAni", .Kind = K::PictureBox, .Parent = nullptr,
              .Left = 2025, .Top = 4680, .Width = 960, .Height = 960, .BackColor = WHITE},
    DesignRow{.Name = "PicLunar", .Kind = K::PictureBox, .Parent = nullptr,
              .Left = 3105, .Top = 4680, .Width = 690, .Height = 690, .BackColor = WHITE},
    DesignRow{.Name = "btOption", .Kind = K::XButton, .Parent = nullptr,
              .Left = 90, .Top = 5895, .Width = 1320, .Height = 330, .Caption = u"Options",
              .Points = 8.25, .ForeColor = DARK_GREEN},
    DesignRow{.Name = "btTimAm", .Kind = K::XButton, .Parent = nullptr,
              .Left = 1485, .Top = 5895, .Width = 1320, .Height = 330,
              .Caption = u"T\u00ECm ng\u00E0y \u00E2m", .Points = 8.25, .ForeColor = DARK_GREEN},
    DesignRow{.Name = "btPre", .Kind = K::XButton, .Parent = nullptr,
              .Left = 2880, .Top = 5895, .Width = 465, .Height = 330, .Caption = LEFT_TRIANGLE,
              .Points = GLYPH_POINTS, .ForeColor = PANEL_GREEN, .Symbol = true,
              .AccessibleName = u"Ng\u00E0y tr\u01B0\u1EDBc"},
    DesignRow{.Name = "btNow", .Kind = K::XButton, .Parent = nullptr,
              .Left = 3420, .Top = 5895, .Width = 465, .Height = 330, .Caption = CIRCLE,
              .Points = GLYPH_POINTS, .ForeColor = PANEL_GREEN, .Symbol = true,
              .AccessibleName = u"H\u00F4m nay"},
    DesignRow{.Name = "btNext", .Kind = K::XButton, .Parent = nullptr,
              .Left = 3960, .Top = 5895, .Width = 465, .Height = 330, .Caption = RIGHT_TRIANGLE,
              .Points = GLYPH_POINTS, .ForeColor = PANEL_GREEN, .Symbol = true,
              .AccessibleName = u"Ng\u00E0y sau"},
    DesignRow{.Name = "xButton2", .Kind = K::XButton, .Parent = nullptr,
              .Left = 4500, .Top = 5895, .Width = 330, .Height = 330, .Caption = QUESTION,
              .Points = GLYPH_POINTS, .Bold = true, .ForeColor = PANEL_GREEN, .Symbol = true,
              .AccessibleName = u"H\u01B0\u1EDBng d\u1EABn"},
};

} // namespace

std::span<const DesignRow> MainWindowDesign() {
    return ROWS;
}

} // namespace moonleaf
