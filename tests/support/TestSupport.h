// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/DesignRow.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <QStringList>

#include <memory>
#include <span>
#include <ostream>

class QWidget;

// Readable values in test failure messages.
void PrintTo(const QString& text, std::ostream* out);
void PrintTo(const QStringList& list, std::ostream* out);
void PrintTo(const QColor& color, std::ostream* out);
void PrintTo(const QRect& rect, std::ostream* out);

namespace moonleaf::testing {

// Writes `image` as <name>.png into the folder MOONLEAF_TEST_IMAGES names, if it names one.
void SaveTestImage(const QString& name, const QImage& image);

// The widget as it is on screen now (its paint event, from its retained image).
QImage Render(QWidget* widget);

// The region of `image` (in its pixels) whose colour differs from `background` by more than
// a small tolerance: the "ink" of what was drawn. Empty when nothing was drawn.
QRect InkBounds(const QImage& image, const QColor& background, QRect within = QRect());
int InkCount(const QImage& image, const QColor& background, QRect within = QRect());
// Pixels of `image` close to `color`.
int CountColor(const QImage& image, const QColor& color, QRect within = QRect());
bool Near(const QColor& a, const QColor& b, int tolerance = 8);

// Types `text` into `widget` one character at a time, each a key press and release carrying
// that character (any Unicode character, as an input method delivers it).
void Type(QWidget* widget, const QString& text);

// True when `element` is the widget a design row of kind `kind` builds.
bool IsBuiltAs(const QWidget* element, ElementKind kind);

// Checks that every row of `design` stands in `form` under its name, of its kind, at its
// place in pixels.
void ExpectBuiltAsDesigned(const QWidget* form, std::span<const DesignRow> design);

// Shows a top-level form of the given size and waits until it is exposed and active.
void ShowForm(QWidget* form, QSize size = QSize(320, 200));

// A mouse that behaves as the real one: moving it moves the platform cursor (so polling the
// cursor position sees it) and delivers the move to the window under it, and buttons go
// through the window system, so Qt grabs, double-clicks and enters as it does for a person.
class Mouse {
public:
    // Moves to `local` in `widget`'s coordinates.
    static void MoveTo(QWidget* widget, QPoint local);
    static void Press(Qt::MouseButton button = Qt::LeftButton);
    static void Release(Qt::MouseButton button = Qt::LeftButton);
    static void Click(QWidget* widget, QPoint local, Qt::MouseButton button = Qt::LeftButton);
    static void DoubleClick(QWidget* widget, QPoint local);
};

} // namespace moonleaf::testing
