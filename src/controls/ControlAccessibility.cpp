// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ControlAccessibility.h"

#include "controls/DesignShapes.h"
#include "controls/UniTextBox.h"
#include "controls/xButton.h"
#include "controls/xLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMetaObject>

namespace moonleaf {
namespace {

// The caption as read aloud: a '&' that marks the next letter as a mnemonic is not said,
// and "&&" stands for one '&'.
QString WithoutMnemonic(const QString& caption) {
    QString said;
    said.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
        }
        said += caption[i];
    }
    return said;
}

// The label's caption, unless an accessible name stands in for it. The caption has its
// mnemonic marks processed unless the alignment's no-prefix bit (0x800) is set.
class AccessibleLabel final : public QAccessibleWidget {
public:
    explicit AccessibleLabel(xLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        if (t != QAccessible::Name || !own.isEmpty()) {
            return own;
        }
        const auto* label = static_cast<const xLabel*>(widget());
        constexpr std::int32_t NO_PREFIX = 0x800;
        return (label->Alignment() & NO_PREFIX) != 0 ? label->Caption()
                                                     : WithoutMnemonic(label->Caption());
    }
};

class AccessibleButton final : public QAccessibleWidget {
public:
    explicit AccessibleButton(xButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        if (t != QAccessible::Name || !own.isEmpty()) {
            return own;
        }
        return WithoutMnemonic(Button()->Caption());
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = Button()->DrawnLook() == xButton::PRESSED;
        return state;
    }

    QStringList actionNames() const override {
        QStringList names;
        if (widget()->isEnabled()) {
            names << QAccessibleActionInterface::pressAction();
        }
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName != QAccessibleActionInterface::pressAction()) {
            QAccessibleWidget::doAction(actionName);
            return;
        }
        if (!widget()->isEnabled()) {
            return;
        }
        // The click runs from the event loop: a handler may open a modal dialog, and the
        // assistive technology's request must be answered before that.
        QMetaObject::invokeMethod(Button(), &xButton::PerformClick, Qt::QueuedConnection);
    }

private:
    xButton* Button() const { return static_cast<xButton*>(widget()); }
};

// The text box as one piece of editable text: its text, read-only state and text interface
// are those of the edit window inside it (whose own interface stays as Qt gives it).
class AccessibleTextBox final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleTextBox(UniTextBox* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}

    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        if ((t != QAccessible::Name && t != QAccessible::Value) || !own.isEmpty()) {
            return own;
        }
        // The edit window's value is masked when the box shows a password character.
        QAccessibleInterface* edit = Edit();
        return edit != nullptr ? edit->text(QAccessible::Value) : QString();
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const auto* box = static_cast<const UniTextBox*>(widget());
        state.readOnly = box->Locked();
        state.editable = !box->Locked();
        state.multiLine = box->Multiline();
        state.passwordEdit = !box->PasswordChar().isEmpty() && !box->Multiline();
        if (QAccessibleInterface* edit = Edit()) {
            state.focused = state.focused || edit->state().focused;
        }
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(t);
    }

    // --- QAccessibleTextInterface, answered by the edit window --------------------------
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (QAccessibleTextInterface* inner = Inner()) {
            inner->selection(selectionIndex, startOffset, endOffset);
        }
    }
    int selectionCount() const override { return Inner() ? Inner()->selectionCount() : 0; }
    void addSelection(int startOffset, int endOffset) override {
        if (QAccessibleTextInterface* inner = Inner()) {
            inner->addSelection(startOffset, endOffset);
        }
    }
    void removeSelection(int selectionIndex) override {
        if (QAccessibleTextInterface* inner = Inner()) {
            inner->removeSelection(selectionIndex);
        }
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (QAccessibleTextInterface* inner = Inner()) {
            inner->setSelection(selectionIndex, startOffset, endOffset);
        }
    }
    int cursorPosition() const override { return Inner() ? Inner()->cursorPosition() : 0; }
    void setCursorPosition(int position) override {
        if (QAccessibleTextInterface* inner = Inner()) {
            inner->setCursorPosition(position);
        }
    }
    QString text(int startOffset, int endOffset) const override {
        return Inner() ? Inner()->text(startOffset, endOffset) : QString();
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = -1;
        return Inner() ? Inner()->textBeforeOffset(offset, boundaryType, startOffset, endOffset)
                       : QString();
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = -1;
        return Inner() ? Inner()->textAfterOffset(offset, boundaryType, startOffset, endOffset)
                       : QString();
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override {
        *startOffset = *endOffset = -1;
        return Inner() ? Inner()->textAtOffset(offset, boundaryType, startOffset, endOffset)
                       : QString();
    }
    int characterCount() const override { return Inner() ? Inner()->characterCount() : 0; }
    QRect characterRect(int offset) const override {
        return Inner() ? Inner()->characterRect(offset) : QRect();
    }
    int offsetAtPoint(const QPoint& point) const override {
        return Inner() ? Inner()->offsetAtPoint(point) : -1;
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        if (QAccessibleTextInterface* inner = Inner()) {
            inner->scrollToSubstring(startIndex, endIndex);
        }
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return Inner() ? Inner()->attributes(offset, startOffset, endOffset) : QString();
    }

private:
    // The edit window's interface; none for a moment while the box rebuilds its edit window.
    QAccessibleInterface* Edit() const {
        QWidget* edit = static_cast<const UniTextBox*>(widget())->EditWidget();
        return edit != nullptr ? QAccessible::queryAccessibleInterface(edit) : nullptr;
    }
    QAccessibleTextInterface* Inner() const {
        QAccessibleInterface* edit = Edit();
        return edit != nullptr ? edit->textInterface() : nullptr;
    }
};

// A picture box that holds other elements is the panel behind them; one that holds none
// shows a picture, named by what the window puts in it.
class AccessiblePicture final : public QAccessibleWidget {
public:
    explicit AccessiblePicture(PictureBox* box) : QAccessibleWidget(box, QAccessible::Graphic) {}

    QAccessible::Role role() const override {
        const bool holdsElements =
            widget()->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
        return holdsElements ? QAccessible::Pane : QAccessible::Graphic;
    }
};

QAccessibleInterface* ControlInterface(const QString& key, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) {
        return nullptr;
    }
    // Called with the class names of the object's classes, most derived first.
    const auto is = [&key](const QMetaObject& meta) {
        return key == QLatin1String(meta.className());
    };
    if (is(xLabel::staticMetaObject)) {
        return new AccessibleLabel(static_cast<xLabel*>(object));
    }
    if (is(xButton::staticMetaObject)) {
        return new AccessibleButton(static_cast<xButton*>(object));
    }
    if (is(UniTextBox::staticMetaObject)) {
        return new AccessibleTextBox(static_cast<UniTextBox*>(object));
    }
    if (is(PictureBox::staticMetaObject)) {
        return new AccessiblePicture(static_cast<PictureBox*>(object));
    }
    if (is(ShapeBox::staticMetaObject) || is(LineShape::staticMetaObject)) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Separator);
    }
    return nullptr;
}

} // namespace

void InstallControlAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&ControlInterface);
        return true;
    }();
    (void)installed;
}

void NotifyCaptionChanged(QWidget* control) {
    if (!QAccessible::isActive() || !control->accessibleName().isEmpty()) {
        return;
    }
    QAccessibleEvent event(control, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace moonleaf
