// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/EditWindow.h"

#include "controls/EditLine.h"
#include "controls/EditText.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

namespace moonleaf {

QString EditWindow::Admit(const QString& entered, qsizetype room, bool typed) const {
    if (typed && (style_ & es::NUMBER) != 0) {
        for (const QChar ch : entered) {
            if (ch < u'0' || ch > u'9') {
                return {};
            }
        }
    }
    QString out = entered;
    if ((style_ & es::UPPERCASE) != 0) {
        out = out.toUpper();
    } else if ((style_ & es::LOWERCASE) != 0) {
        out = out.toLower();
    }
    if (room >= 0 && out.size() > room) {
        out.truncate(room);
    }
    return out;
}

void EditWindow::PassTypedKey(QKeyEvent* event, const QString& typed, qsizetype room,
                              const std::function<void(QKeyEvent*)>& passOn) const {
    const QString admitted = Admit(typed, room, true);
    if (admitted.isEmpty()) {
        event->accept(); // refused: a non-digit in a number-only window, or no room left
        return;
    }
    if (admitted == typed) {
        passOn(event);
        return;
    }
    QKeyEvent converted(event->type(), event->key(), event->modifiers(), admitted,
                        event->isAutoRepeat(), static_cast<quint16>(event->count()));
    passOn(&converted);
    event->setAccepted(converted.isAccepted());
}

void EditWindow::PassInputMethod(QInputMethodEvent* event, bool readOnly, qsizetype room,
                                 const std::function<void(QInputMethodEvent*)>& passOn) const {
    if (readOnly || event->commitString().isEmpty()) {
        passOn(event);
        return;
    }
    const QString admitted = Admit(event->commitString(), room, true);
    if (admitted == event->commitString()) {
        passOn(event);
        return;
    }
    QInputMethodEvent converted(event->preeditString(), event->attributes());
    converted.setCommitString(admitted, event->replacementStart(), event->replacementLength());
    passOn(&converted);
}

void EditWindow::UpdateSelectionVisibility(QWidget* widget) {
    const bool hide = !widget->hasFocus() && (style_ & es::NOHIDESEL) == 0;
    if (hide == selectionHidden_) {
        return;
    }
    selectionHidden_ = hide;
    if (!hide) {
        widget->setPalette(shownPalette_);
        return;
    }
    shownPalette_ = widget->palette();
    QPalette hidden = shownPalette_;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        hidden.setBrush(group, QPalette::Highlight, hidden.brush(group, QPalette::Base));
        hidden.setBrush(group, QPalette::HighlightedText, hidden.brush(group, QPalette::Text));
    }
    widget->setPalette(hidden);
}

bool EditWindow::IsTabCharacter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    return (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
           (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
}

QString EditWindow::InsertedText(const QKeyEvent& key) {
    const QString text = key.text();
    if (text.isEmpty() || !text.front().isPrint()) {
        return {};
    }
    return text;
}

EditWindow* CreateEditWindow(const EditStyle& style, const QString& text, QWidget* parent) {
    if ((style.Style & es::MULTILINE) != 0) {
        return new EditText(style, text, parent);
    }
    return new EditLine(style, text, parent);
}

} // namespace moonleaf
