// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

class QWidget;

namespace moonleaf {

// Where the mouse cursor is and which widget lies under it, as the desktop reports them.
// Controls that poll the cursor (the push button's hover timer) ask through this interface,
// so another desktop, or a test, can answer in place of the running window system.
class CursorProbe {
public:
    virtual ~CursorProbe() = default;

    // The cursor position in global device-independent pixels.
    virtual QPoint CursorPos() const = 0;
    // The innermost visible widget at the global point `global`, or null when the point is
    // over no window of this program.
    virtual QWidget* WidgetAt(QPoint global) const = 0;

    // The probe in use: the window system's own unless Replace installed another.
    static const CursorProbe& Current();
    // Installs `probe` (not owned; null puts the window system's back) and returns the one
    // it replaces, null when that was the window system's.
    static const CursorProbe* Replace(const CursorProbe* probe);
};

} // namespace moonleaf
