// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CursorProbe.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

namespace moonleaf {
namespace {

// The window system's answer: the platform cursor and Qt's own hit test over the
// program's top-level windows.
class SystemCursorProbe final : public CursorProbe {
public:
    QPoint CursorPos() const override { return QCursor::pos(); }
    QWidget* WidgetAt(QPoint global) const override { return QApplication::widgetAt(global); }
};

const SystemCursorProbe systemProbe;
const CursorProbe* replacement = nullptr;

} // namespace

const CursorProbe& CursorProbe::Current() {
    return replacement != nullptr ? *replacement : systemProbe;
}

const CursorProbe* CursorProbe::Replace(const CursorProbe* probe) {
    const CursorProbe* previous = replacement;
    replacement = probe;
    return previous;
}

} // namespace moonleaf
