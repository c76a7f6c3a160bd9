// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/DesignRow.h"

#include <QFont>

#include <span>

class QWidget;

namespace moonleaf {

// Builds the elements of a window design on `form`, in table order, so that a later row
// lies in front of an earlier one in the same container. Every element gets its design name
// as its object name; the controls of the program receive their properties through
// ReadProperties. A row whose container is not built yet is placed on the form.
void BuildDesign(QWidget* form, std::span<const DesignRow> rows);

// The font an element of the design shows: the window's font at the row's size and weight.
QFont RowFont(const DesignRow& row, const QFont& formFont);

// The font of a symbol glyph (triangles, cross, circle, question mark) at `points`.
QFont SymbolFont(double points, bool bold = false);

} // namespace moonleaf
