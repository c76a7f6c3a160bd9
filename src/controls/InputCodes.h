// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <Qt>

#include <cstdint>

class QKeyEvent;

namespace moonleaf {

// Keyboard and mouse input in the values the controls' events carry.

// Shift bit set: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ShiftState(Qt::KeyboardModifiers modifiers);
// The shift state of the keyboard now, as the last input event left it.
std::int16_t CurrentShiftState();

// The button of a press or release: 1 left, 2 right, 4 middle; 0 for any other button.
std::int16_t ButtonCode(Qt::MouseButton button);
// The buttons held, as a bit set of the same values.
std::int16_t ButtonState(Qt::MouseButtons buttons);
// The key-state flags of a mouse message: 1 left, 2 right, 4 Shift, 8 Ctrl, 16 middle.
std::int32_t MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

// The virtual-key code of a key: letters and digits are their upper-case ASCII codes,
// punctuation the codes of a US keyboard's keys, and the function, editing and modifier keys
// their usual codes (8 Backspace, 9 Tab, 13 Enter, 16 Shift, 27 Escape, 37..40 arrows, 46
// Delete, 112.. F1 ...). A key without a code gives 0.
std::int16_t VirtualKeyCode(const QKeyEvent& event);

// The characters a key press types, one character message each: the event's text, except
// that Tab and Shift+Tab always type character 9 and Delete types nothing.
QString TypedCharacters(const QKeyEvent& event);

} // namespace moonleaf
