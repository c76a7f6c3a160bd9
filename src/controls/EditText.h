// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/EditWindow.h"

#include <QTextEdit>

namespace moonleaf {

// The multi-line edit window: a plain-text QTextEdit configured from the style words:
// border (a two-pixel sunken edge or a one-pixel line), the scroll bars asked for (a
// horizontal one turns word wrapping off), alignment of every line, read-only with keyboard
// selection, digits only, case conversion, selection kept and hidden without the focus, a
// length limit on what the user enters, Tab typing a tab character, and the context menu on
// the right button's release. Keys reach it on the
// widget itself, mouse input on its viewport; both pass through the same interception, with
// the viewport as the client area.
class EditText final : public QTextEdit, public EditWindow {
    Q_OBJECT

public:
    EditText(const EditStyle& style, const QString& text, QWidget* parent);

    QWidget* Widget() override { return this; }

    QString WindowText() const override;
    void SetWindowText(const QString& text) override;
    std::pair<int, int> Selection() const override;
    void SetSelection(int anchor, int caret) override;
    void ReplaceSelection(const QString& text) override;
    void LimitText(int limit) override;
    void SetReadOnly(bool readOnly) override;
    void SetPasswordChar(char16_t mask) override;

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    qsizetype Room() const; // < 0: no limit
    int Length() const;
    void ShowContextMenu(QPoint local, QPoint global);

    int limit_ = 0;
    bool menuPending_ = false; // a right-button press asked for the menu
};

} // namespace moonleaf
