// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/InputCodes.h"

#include "controls/WindowMessages.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace moonleaf {
namespace {

// The key of a US keyboard that types `symbol`, shifted or not.
std::int16_t PunctuationKey(int key) {
    switch (key) {
    case Qt::Key_Exclam:
        return '1';
    case Qt::Key_At:
        return '2';
    case Qt::Key_NumberSign:
        return '3';
    case Qt::Key_Dollar:
        return '4';
    case Qt::Key_Percent:
        return '5';
    case Qt::Key_AsciiCircum:
        return '6';
    case Qt::Key_Ampersand:
        return '7';
    case Qt::Key_Asterisk:
        return '8';
    case Qt::Key_ParenLeft:
        return '9';
    case Qt::Key_ParenRight:
        return '0';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return 0xBA;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return 0xBB;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return 0xBC;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return 0xBD;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return 0xBE;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return 0xBF;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return 0xC0;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return 0xDB;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return 0xDC;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return 0xDD;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return 0xDE;
    default:
        return 0;
    }
}

std::int16_t KeypadKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return static_cast<std::int16_t>(0x60 + (key - Qt::Key_0));
    }
    switch (key) {
    case Qt::Key_Asterisk:
        return 0x6A;
    case Qt::Key_Plus:
        return 0x6B;
    case Qt::Key_Minus:
        return 0x6D;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return 0x6E;
    case Qt::Key_Slash:
        return 0x6F;
    default:
        return 0;
    }
}

std::int16_t SpecialKey(int key) {
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Clear:
        return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Print:
        return 44;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Help:
        return 47;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
        return 91;
    case Qt::Key_Super_R:
        return 92;
    case Qt::Key_Menu:
        return 93;
    case Qt::Key_NumLock:
        return 144;
    case Qt::Key_ScrollLock:
        return 145;
    default:
        return 0;
    }
}

} // namespace

std::int16_t ShiftState(Qt::KeyboardModifiers modifiers) {
    std::int16_t shift = 0;
    if (modifiers & Qt::ShiftModifier) {
        shift |= 1;
    }
    if (modifiers & Qt::ControlModifier) {
        shift |= 2;
    }
    if (modifiers & Qt::AltModifier) {
        shift |= 4;
    }
    return shift;
}

std::int16_t CurrentShiftState() {
    return ShiftState(QGuiApplication::keyboardModifiers());
}

std::int16_t ShiftStateAfterKey(std::int16_t before, std::int32_t virtualKey, bool down) {
    std::int16_t bit = 0;
    switch (virtualKey) {
    case 16:
        bit = 1;
        break;
    case 17:
        bit = 2;
        break;
    case 18:
        bit = 4;
        break;
    default:
        return before;
    }
    return static_cast<std::int16_t>(down ? (before | bit) : (before & ~bit));
}

std::int16_t KeyShiftState(const QKeyEvent& event) {
    return ShiftStateAfterKey(ShiftState(event.modifiers()), VirtualKeyCode(event),
                              event.type() == QEvent::KeyPress);
}

std::int16_t ButtonCode(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

std::int16_t ButtonState(Qt::MouseButtons buttons) {
    std::int16_t state = 0;
    if (buttons & Qt::LeftButton) {
        state |= 1;
    }
    if (buttons & Qt::RightButton) {
        state |= 2;
    }
    if (buttons & Qt::MiddleButton) {
        state |= 4;
    }
    return state;
}

std::int32_t MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    std::int32_t flags = 0;
    if (buttons & Qt::LeftButton) {
        flags |= wm::MK_LBUTTON;
    }
    if (buttons & Qt::RightButton) {
        flags |= wm::MK_RBUTTON;
    }
    if (modifiers & Qt::ShiftModifier) {
        flags |= wm::MK_SHIFT;
    }
    if (modifiers & Qt::ControlModifier) {
        flags |= wm::MK_CONTROL;
    }
    if (buttons & Qt::MiddleButton) {
        flags |= wm::MK_MBUTTON;
    }
    return flags;
}

std::int16_t VirtualKeyCode(const QKeyEvent& event) {
    const int key = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (const std::int16_t code = KeypadKey(key); code != 0) {
            return code;
        }
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return static_cast<std::int16_t>(key);
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return static_cast<std::int16_t>(112 + (key - Qt::Key_F1));
    }
    if (const std::int16_t code = SpecialKey(key); code != 0) {
        return code;
    }
    return PunctuationKey(key);
}

QString TypedCharacters(const QKeyEvent& event) {
    const int key = event.key();
    const bool controlOrAlt = (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0;
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && !controlOrAlt) {
        return QStringLiteral("\t");
    }
    if (key == Qt::Key_Delete) {
        return {};
    }
    return event.text();
}

} // namespace moonleaf
