// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/EditStyle.h"
#include "controls/InterceptedWindow.h"

#include <QPalette>
#include <QString>

#include <cstdint>
#include <functional>
#include <utility>

class QEvent;
class QInputMethodEvent;
class QKeyEvent;
class QWidget;

namespace moonleaf {

// The edit window a text box hosts: a Qt edit widget configured from edit style words,
// answering the requests a text box sends its edit window. Positions count UTF-16 code
// units from 0. EditLine is the single-line window, EditText the multi-line one.
class EditWindow : public InterceptedWindow {
public:
    std::uint32_t Style() const { return style_; }

    // The whole text, and replacing it (the caret then stands at the start, nothing
    // selected). Neither looks at the length limit or the case conversion: they apply to
    // what the user enters.
    virtual QString WindowText() const = 0;
    virtual void SetWindowText(const QString& text) = 0;

    // The selection as (start, end), start <= end; both are the caret position when nothing
    // is selected.
    virtual std::pair<int, int> Selection() const = 0;
    // Selects from `anchor` to `caret` (either order; the caret ends at `caret`). Values are
    // clamped to the text; an anchor of -1 removes the selection, a caret of -1 is the end.
    virtual void SetSelection(int anchor, int caret) = 0;
    // Replaces the selection with `text`, as if pasted, but without the length limit.
    virtual void ReplaceSelection(const QString& text) = 0;

    // Most characters the user may enter; 0 gives the edit window's own maximum.
    virtual void LimitText(int limit) = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    // Shows every character as `mask`; 0 shows the text. Has no effect on a multi-line window.
    virtual void SetPasswordChar(char16_t mask) = 0;

protected:
    explicit EditWindow(std::uint32_t style) : style_(style) {}

    // What the window inserts for text the user enters (`typed` for keys and input methods,
    // false for a paste or a drop): nothing when a number-only window is typed a non-digit,
    // the case the style converts to, and at most `room` characters (room < 0: no limit).
    QString Admit(const QString& entered, qsizetype room, bool typed) const;
    // Hands a key press that types `typed` (not empty) to the window's own handling
    // `passOn`, as far as Admit lets it in: unchanged when all of it may be inserted, as a
    // copy carrying what may otherwise, and not at all (but accepted) when nothing may.
    void PassTypedKey(QKeyEvent* event, const QString& typed, qsizetype room,
                      const std::function<void(QKeyEvent*)>& passOn) const;
    // The same for what an input method commits; a read-only window gets the event as it is.
    void PassInputMethod(QInputMethodEvent* event, bool readOnly, qsizetype room,
                         const std::function<void(QInputMethodEvent*)>& passOn) const;

    // Without the focus a window without the no-hide-selection style keeps its selection but
    // does not show it; these colours hide and show it again.
    void UpdateSelectionVisibility(QWidget* widget);

    // True for the key presses that type character 9 (Tab or Shift+Tab without Ctrl or
    // Alt), which an edit window processes as text and never as focus navigation.
    static bool IsTabCharacter(const QEvent* event);
    // The characters a key press inserts as text; empty for keys that only edit or move.
    static QString InsertedText(const QKeyEvent& key);

private:
    std::uint32_t style_;
    bool selectionHidden_ = false;
    QPalette shownPalette_;
};

// Creates the edit window `style` describes (multi-line or single-line) as a visible child
// of `parent` holding `text`.
EditWindow* CreateEditWindow(const EditStyle& style, const QString& text, QWidget* parent);

} // namespace moonleaf
