// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

#include <cstdint>

class QWidget;

namespace moonleaf {

// What a control learns from its container: the widget it sits on, or the nearest ancestor
// that says something. A container states these with the setters below; one that says
// nothing gives the defaults of a plain form.

// False when the control sits on a designer surface (SetDesignerMode(container, true) on
// the container or an ancestor), True when it runs.
bool AmbientUserMode(const QWidget* control);
void SetDesignerMode(QWidget* container, bool designer);

// The container's font, or the application font for a control without a container.
QFont AmbientFont(const QWidget* control);

// The container's text and background colour values; by default the button-text and
// button-face system colours, as a plain form has them.
std::uint32_t AmbientForeColor(const QWidget* control);
std::uint32_t AmbientBackColor(const QWidget* control);
void SetAmbientColors(QWidget* container, std::uint32_t foreColor, std::uint32_t backColor);

} // namespace moonleaf
