// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeyEvent>
#include <QString>
#include <Qt>

#include <cstdint>

namespace moonleaf {

// Keyboard and mouse input in the values the controls' events carry.

// Shift bit set: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ShiftState(Qt::KeyboardModifiers modifiers);
// The shift state of the keyboard now, as the last input event left it.
std::int16_t CurrentShiftState();
// The shift state once the key `virtualKey` has gone down (or up), given the state before:
// Qt reports the modifiers held before a key event, while the keyboard already counts the
// press or release of Shift (16), Ctrl (17) or Alt (18) itself.
std::int16_t ShiftStateAfterKey(std::int16_t before, std::int32_t virtualKey, bool down);

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

// The shift state a key event leaves: its modifiers, with a Shift, Ctrl or Alt key's own
// press or release counted in.
std::int16_t KeyShiftState(const QKeyEvent& event);

// Relays a key press as KeyDown and then one KeyPress per typed character, and a key
// release (not an automatic repeat) as KeyUp, the way the label and the button raise them.
// A character keeps its low 15 bits, as the controls' KeyPress carries it.
template <class Control> void RelayKeyPress(Control& control, const QKeyEvent& event) {
    emit control.KeyDown(VirtualKeyCode(event), KeyShiftState(event));
    for (const QChar ch : TypedCharacters(event)) {
        emit control.KeyPress(static_cast<qint16>(ch.unicode() & 0x7FFF));
    }
}
template <class Control> void RelayKeyRelease(Control& control, const QKeyEvent& event) {
    if (!event.isAutoRepeat()) {
        emit control.KeyUp(VirtualKeyCode(event), KeyShiftState(event));
    }
}

} // namespace moonleaf
