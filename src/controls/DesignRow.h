// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace moonleaf {

// One element of a window design, as data: its name, kind, container, place and the design
// properties that differ from the kind's defaults. A window's inventory is a table of these
// rows in the design's order; DesignBuilder turns it into widgets.

enum class ElementKind {
    PictureBox,   // a filled box that can show a picture
    PlainLabel,   // a label of digits and fixed texts
    XLabel,       // the Unicode label
    XButton,      // the Unicode push button
    TextBox,      // the Unicode text box
    Rectangle,    // the outline of a rectangle
    Line,         // a line between two points
    DropDownList, // a list that drops down, whose text is only ever one of its entries
    CheckBox      // the desktop's own check box, without text of its own
};

enum class TextAlign { Left, Centre, Right };

// A colour the design does not set: the control keeps its own default.
inline constexpr std::uint32_t DESIGN_DEFAULT_COLOR = 0xFFFFFFFF;

struct DesignRow {
    const char* Name;
    ElementKind Kind;
    const char* Parent; // the container's name; null for the window itself
    // Place in twips, relative to the container: left, top, width, height. For a line, the
    // two ends: (Left, Top) to (Width, Height).
    int Left;
    int Top;
    int Width;
    int Height;
    const char16_t* Caption = nullptr; // Unicode; null keeps the element's own
    double Points = 0;                 // font size; 0 takes the window's font
    bool Bold = false;
    std::uint32_t ForeColor = DESIGN_DEFAULT_COLOR; // text, border or line colour
    std::uint32_t BackColor = DESIGN_DEFAULT_COLOR;
    TextAlign Align = TextAlign::Left;
    bool Transparent = false; // a label that shows what lies beneath it
    bool Symbol = false;      // the caption is a symbol glyph, drawn in the symbol font
    bool Multiline = false;   // text box: several lines, wrapped at the width
    bool Locked = false;      // text box: read-only
    bool Borderless = false;  // text box: no border
    bool HideSelection = true;
    const char16_t* ToolTip = nullptr;
    // What assistive technology calls the element in place of its caption: said for the
    // buttons whose caption is a symbol glyph, and for elements without text of their own.
    const char16_t* AccessibleName = nullptr;
};

} // namespace moonleaf
