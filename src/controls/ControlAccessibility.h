// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace moonleaf {

// What assistive technology learns of the self-drawn controls, through Qt's accessibility
// interfaces:
// - xLabel: static text, named by its caption;
// - xButton: a button named by its caption, with the press action, which raises Click as a
//   click of the mouse does (after the call returns, so that a dialog the click opens does
//   not hold up the assistive technology's request);
// - UniTextBox: editable text whose value and text interface are those of its edit window,
//   read-only while Locked, named by its text;
// - PictureBox: a graphic, or a pane while it holds other elements;
// - ShapeBox and LineShape: separators, decoration only.
// An accessible name set on a control (QWidget::setAccessibleName) replaces the name it
// would take from its caption or text: the buttons whose caption is a symbol glyph say
// what they do that way.
//
// Installs the interfaces' factory. The controls call it when they are created; later calls
// do nothing.
void InstallControlAccessibility();

// Tells assistive technology that `control`'s name may have changed (a new caption), unless
// an accessible name set on it stands in for the caption.
void NotifyCaptionChanged(QWidget* control);

} // namespace moonleaf
