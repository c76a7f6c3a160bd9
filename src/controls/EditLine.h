// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/EditWindow.h"

#include <QLineEdit>

class QProxyStyle;

namespace moonleaf {

// The single-line edit window: a frameless QLineEdit that draws the border its style asks
// for itself (a two-pixel sunken edge or a one-pixel line) and behaves as the style words
// say: alignment, read-only, digits only, case conversion, password mask, selection kept
// and hidden without the focus, a length limit on what the user enters, a Tab that types
// nothing instead of moving the focus, and the context menu on the right button's release.
class EditLine final : public QLineEdit, public EditWindow {
    Q_OBJECT

public:
    EditLine(const EditStyle& style, const QString& text, QWidget* parent);

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
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Characters the user may still add in place of the selection.
    qsizetype Room() const;
    void PasteFromClipboard();
    void ShowContextMenu(QPoint global);

    int border_ = 0; // border width in pixels: 0, 1 (line) or 2 (sunken edge)
    int limit_ = 0;  // 0: the edit window's own maximum
    QProxyStyle* maskStyle_ = nullptr;
    bool menuPending_ = false; // a right-button press asked for the menu
};

} // namespace moonleaf
