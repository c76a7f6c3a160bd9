// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/EditText.h"

#include "controls/ColorValue.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <utility>

namespace moonleaf {

EditText::EditText(const EditStyle& style, const QString& text, QWidget* parent)
    : QTextEdit(parent), EditWindow(style.Style) {
    setObjectName(QStringLiteral("Edit"));
    setAcceptRichText(false);
    if ((style.ExStyle & ws::EX_CLIENTEDGE) != 0) {
        setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    } else if ((style.Style & ws::BORDER) != 0) {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
        QPalette framed = palette();
        framed.setColor(QPalette::WindowText, ColorFromValue(SYS_COLOR_WINDOW_FRAME, palette()));
        setPalette(framed);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
    const bool horizontal = (style.Style & ws::HSCROLL) != 0;
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy((style.Style & ws::VSCROLL) != 0 ? Qt::ScrollBarAlwaysOn
                                                                : Qt::ScrollBarAlwaysOff);
    // A horizontal scroll bar means long lines scroll; otherwise they wrap at the width.
    setLineWrapMode(horizontal ? QTextEdit::NoWrap : QTextEdit::WidgetWidth);
    Qt::Alignment alignment = Qt::AlignLeft;
    if ((style.Style & es::CENTER) != 0) {
        alignment = Qt::AlignHCenter;
    } else if ((style.Style & es::RIGHT) != 0) {
        alignment = Qt::AlignRight;
    }
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(alignment);
    document()->setDefaultTextOption(option);
    SetReadOnly((style.Style & es::READONLY) != 0);
    setFocusPolicy((style.Style & ws::TABSTOP) != 0 ? Qt::StrongFocus : Qt::ClickFocus);
    SetWindowText(text);
    UpdateSelectionVisibility(this);
    if ((style.Style & ws::VISIBLE) != 0) {
        show();
    }
}

QString EditText::WindowText() const {
    // The document's own text, with only its paragraph ends turned back into line breaks:
    // toPlainText() would also turn no-break spaces into spaces and line separators into
    // line breaks, and the text would not come back as it was written.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

void EditText::SetWindowText(const QString& text) {
    setPlainText(text);
    QTextCursor start(document());
    setTextCursor(start);
}

int EditText::Length() const {
    return std::max(document()->characterCount() - 1, 0);
}

std::pair<int, int> EditText::Selection() const {
    const QTextCursor cursor = textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd()};
}

void EditText::SetSelection(int anchor, int caret) {
    const int length = Length();
    QTextCursor cursor = textCursor();
    if (anchor < 0) {
        cursor.clearSelection();
        setTextCursor(cursor);
        return;
    }
    if (caret < 0 || caret > length) {
        caret = length;
    }
    cursor.setPosition(std::min(anchor, length));
    cursor.setPosition(caret, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void EditText::ReplaceSelection(const QString& text) {
    QTextCursor cursor = textCursor();
    cursor.insertText(text);
    setTextCursor(cursor);
}

void EditText::LimitText(int limit) {
    limit_ = std::max(limit, 0);
}

void EditText::SetReadOnly(bool readOnly) {
    setReadOnly(readOnly);
    if (readOnly) {
        // A read-only edit window still has its caret and keyboard selection.
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
}

void EditText::SetPasswordChar(char16_t /*mask*/) {
    // A multi-line edit window has no password mask.
}

qsizetype EditText::Room() const {
    if (limit_ <= 0) {
        return -1;
    }
    const auto [start, end] = Selection();
    return std::max(limit_ - (Length() - (end - start)), 0);
}

bool EditText::event(QEvent* event) {
    // Mouse input on the frame is outside the client area: only the viewport's counts.
    return InterceptEvent(event, KEYBOARD | FOCUS | MOUSE_LEAVE | OTHER, QPoint(), [this, event] {
        if (IsTabCharacter(event)) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
        return QTextEdit::event(event);
    });
}

bool EditText::viewportEvent(QEvent* event) {
    return InterceptEvent(event, MOUSE, QPoint(),
                          [this, event] { return QTextEdit::viewportEvent(event); });
}

void EditText::keyPressEvent(QKeyEvent* event) {
    if (IsTabCharacter(event)) {
        if (!isReadOnly() && !Admit(QStringLiteral("\t"), Room(), false).isEmpty()) {
            textCursor().insertText(QStringLiteral("\t"));
        }
        event->accept();
        return;
    }
    if (isReadOnly()) {
        QTextEdit::keyPressEvent(event);
        return;
    }
    QString typed = InsertedText(*event);
    const bool newLine = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (newLine && limit_ > 0 && Room() <= 0) {
        event->accept(); // a line break is a character too
        return;
    }
    if (typed.isEmpty()) {
        QTextEdit::keyPressEvent(event); // pasting goes through insertFromMimeData
        return;
    }
    PassTypedKey(event, typed, Room(), [this](QKeyEvent* key) { QTextEdit::keyPressEvent(key); });
}

void EditText::inputMethodEvent(QInputMethodEvent* event) {
    PassInputMethod(event, isReadOnly(), Room(),
                    [this](QInputMethodEvent* input) { QTextEdit::inputMethodEvent(input); });
}

void EditText::insertFromMimeData(const QMimeData* source) {
    if (isReadOnly() || source == nullptr || !source->hasText()) {
        return;
    }
    const QString pasted = Admit(source->text(), Room(), false);
    if (!pasted.isEmpty()) {
        textCursor().insertText(pasted);
    }
}

void EditText::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse &&
        (QGuiApplication::mouseButtons() & Qt::RightButton) != 0) {
        menuPending_ = true; // the menu comes with the release, as for the single-line window
        event->accept();
        return;
    }
    ShowContextMenu(event->pos(), event->globalPos());
}

void EditText::mouseReleaseEvent(QMouseEvent* event) {
    QTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && std::exchange(menuPending_, false) &&
        viewport()->rect().contains(event->position().toPoint())) {
        ShowContextMenu(event->position().toPoint(), event->globalPosition().toPoint());
    }
}

void EditText::ShowContextMenu(QPoint local, QPoint global) {
    // A menu that does not wait: the release that opened it is still being processed.
    QMenu* menu = createStandardContextMenu(local);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(global);
}

void EditText::focusInEvent(QFocusEvent* event) {
    QTextEdit::focusInEvent(event);
    UpdateSelectionVisibility(this);
}

void EditText::focusOutEvent(QFocusEvent* event) {
    QTextEdit::focusOutEvent(event);
    UpdateSelectionVisibility(this);
}

} // namespace moonleaf
