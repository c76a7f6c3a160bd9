// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace moonleaf {

// The program's icon, a leaf in the hollow of a crescent, from the SVG source the program
// carries: every window shows it, at any size, whether or not the icon is installed in the
// desktop's icon theme. Drawing it needs Qt's SVG icon engine (libqt6svg6).
QIcon ProgramIcon();

} // namespace moonleaf
