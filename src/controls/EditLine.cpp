// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/EditLine.h"

#include "controls/ColorValue.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <qdrawutil.h>

#include <utility>

namespace moonleaf {
namespace {

// The edit window's own limit on what the user enters, as large as a single-line edit
// window allows.
constexpr int OWN_MAXIMUM = 0x7FFFFFFE;

// The current style with another password mask character.
class MaskStyle final : public QProxyStyle {
public:
    explicit MaskStyle(char16_t mask) : mask_(mask) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) {
            return mask_;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    char16_t mask_;
};

} // namespace

EditLine::EditLine(const EditStyle& style, const QString& text, QWidget* parent)
    : QLineEdit(parent), EditWindow(style.Style) {
    setObjectName(QStringLiteral("Edit"));
    setFrame(false);
    setMaxLength(OWN_MAXIMUM);
    if ((style.ExStyle & ws::EX_CLIENTEDGE) != 0) {
        border_ = 2;
    } else if ((style.Style & ws::BORDER) != 0) {
        border_ = 1;
    }
    setTextMargins(border_, border_, border_, border_);
    Qt::Alignment horizontal = Qt::AlignLeft;
    if ((style.Style & es::CENTER) != 0) {
        horizontal = Qt::AlignHCenter;
    } else if ((style.Style & es::RIGHT) != 0) {
        horizontal = Qt::AlignRight;
    }
    // An edit window writes its line at the top of its client area.
    setAlignment(horizontal | Qt::AlignTop);
    setReadOnly((style.Style & es::READONLY) != 0);
    if ((style.Style & es::PASSWORD) != 0) {
        setEchoMode(QLineEdit::Password);
    }
    setFocusPolicy((style.Style & ws::TABSTOP) != 0 ? Qt::StrongFocus : Qt::ClickFocus);
    SetWindowText(text);
    UpdateSelectionVisibility(this);
    if ((style.Style & ws::VISIBLE) != 0) {
        show();
    }
}

QString EditLine::WindowText() const {
    return text();
}

void EditLine::SetWindowText(const QString& text) {
    setText(text);
    setCursorPosition(0);
}

std::pair<int, int> EditLine::Selection() const {
    if (!hasSelectedText()) {
        return {cursorPosition(), cursorPosition()};
    }
    return {selectionStart(), selectionEnd()};
}

void EditLine::SetSelection(int anchor, int caret) {
    const int length = static_cast<int>(text().size());
    if (anchor < 0) {
        deselect();
        return;
    }
    if (caret < 0 || caret > length) {
        caret = length;
    }
    anchor = std::min(anchor, length);
    if (anchor == caret) {
        setCursorPosition(caret);
    } else {
        setSelection(anchor, caret - anchor);
    }
}

void EditLine::ReplaceSelection(const QString& text) {
    insert(text);
}

void EditLine::LimitText(int limit) {
    limit_ = std::max(limit, 0);
}

void EditLine::SetReadOnly(bool readOnly) {
    setReadOnly(readOnly);
}

void EditLine::SetPasswordChar(char16_t mask) {
    QProxyStyle* previous = maskStyle_;
    maskStyle_ = nullptr;
    if (mask == 0) {
        if (previous != nullptr) {
            setStyle(nullptr);
        }
        setEchoMode(QLineEdit::Normal);
    } else {
        maskStyle_ = new MaskStyle(mask);
        maskStyle_->setParent(this);
        // The style change makes the line edit read its mask character again.
        setStyle(maskStyle_);
        setEchoMode(QLineEdit::Password);
    }
    delete previous;
    update();
}

qsizetype EditLine::Room() const {
    const int limit = limit_ > 0 ? limit_ : OWN_MAXIMUM;
    return std::max<qsizetype>(limit - (text().size() - selectedText().size()), 0);
}

bool EditLine::event(QEvent* event) {
    return InterceptEvent(event, ALL_PARTS, QPoint(border_, border_), [this, event] {
        if (IsTabCharacter(event)) {
            // The Tab character is the edit window's to process; focus navigation never
            // sees it.
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
        return QLineEdit::event(event);
    });
}

void EditLine::keyPressEvent(QKeyEvent* event) {
    if (IsTabCharacter(event)) {
        event->accept(); // a single-line edit window types no tab
        return;
    }
    if (isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        PasteFromClipboard();
        event->accept();
        return;
    }
    const QString typed = InsertedText(*event);
    if (typed.isEmpty()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    PassTypedKey(event, typed, Room(), [this](QKeyEvent* key) { QLineEdit::keyPressEvent(key); });
}

void EditLine::inputMethodEvent(QInputMethodEvent* event) {
    PassInputMethod(event, isReadOnly(), Room(),
                    [this](QInputMethodEvent* input) { QLineEdit::inputMethodEvent(input); });
}

void EditLine::PasteFromClipboard() {
    const QString pasted = Admit(QApplication::clipboard()->text(), Room(), false);
    if (!pasted.isEmpty()) {
        insert(pasted);
    }
}

void EditLine::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    UpdateSelectionVisibility(this);
}

void EditLine::focusOutEvent(QFocusEvent* event) {
    // QLineEdit drops its selection with the focus unless the focus went to another window;
    // an edit window always keeps it. Told that the window lost the focus, QLineEdit hides
    // its caret and keeps the selection.
    QFocusEvent kept(event->type(), Qt::ActiveWindowFocusReason);
    QLineEdit::focusOutEvent(&kept);
    UpdateSelectionVisibility(this);
}

void EditLine::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (border_ == 0) {
        return;
    }
    QPainter painter(this);
    if (border_ == 2) {
        qDrawWinPanel(&painter, rect(), palette(), true);
    } else {
        painter.setPen(ColorFromValue(SYS_COLOR_WINDOW_FRAME, palette()));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void EditLine::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse &&
        (QGuiApplication::mouseButtons() & Qt::RightButton) != 0) {
        // The edit window's menu comes with the release of the right button.
        menuPending_ = true;
        event->accept();
        return;
    }
    ShowContextMenu(event->globalPos());
}

void EditLine::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && std::exchange(menuPending_, false) &&
        rect().contains(event->position().toPoint())) {
        ShowContextMenu(event->globalPosition().toPoint());
    }
}

void EditLine::ShowContextMenu(QPoint global) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        // Pasting from the menu obeys the same limit and case as typing.
        paste->disconnect();
        connect(paste, &QAction::triggered, this, &EditLine::PasteFromClipboard);
    }
    menu->popup(global);
}

void EditLine::dropEvent(QDropEvent* event) {
    const QString dropped = event->mimeData()->text();
    if (isReadOnly() || Admit(dropped, Room(), false) != dropped) {
        event->ignore();
        return;
    }
    QLineEdit::dropEvent(event);
}

} // namespace moonleaf
