// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/EditStyle.h"
#include "controls/InterceptedWindow.h"
#include "controls/MessageInterception.h"

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>

namespace moonleaf {

class EditWindow;
class PropertyBag;

// A text box for Unicode text: the control window hosts an edit window (EditLine, or EditText
// when Multiline) that fills it. Every property that shapes the edit window destroys it and
// creates a new one, carrying the text over. The control's events come from intercepting the
// messages of its own window and of the edit window (StartInterception), so they keep the
// order the edit window sees them in: a typed letter raises KeyDown, KeyPress (before the
// letter is inserted), Change and KeyUp.
//
// Reading `Text` or `SelText` refreshes the remembered text, the one saved with the design.
class UniTextBox : public QWidget, public InterceptedWindow {
    Q_OBJECT

public:
    // `name` is the instance's name in its window (the object name) and its first text.
    explicit UniTextBox(QWidget* parent = nullptr, const QString& name = QString());
    // An instance placed by a window's design: sized to `geometry` and read from `design`
    // (as ReadProperties reads), its edit window created once, in the designed style.
    UniTextBox(QWidget* parent, const QString& name, const QRect& geometry,
               const PropertyBag& design);
    ~UniTextBox() override;

    QWidget* Widget() override { return this; }

    QString Text();
    void SetText(const QString& text);
    bool Multiline() const { return props_.Multiline; }
    void SetMultiline(bool multiline);
    std::int32_t Scrollbar() const { return props_.Scrollbar; }
    void SetScrollbar(std::int32_t scrollbar);
    std::int32_t Alignment() const { return props_.Alignment; }
    void SetAlignment(std::int32_t alignment);
    bool Locked() const { return props_.Locked; }
    void SetLocked(bool locked);
    bool NumberOnly() const { return props_.NumberOnly; }
    void SetNumberOnly(bool numberOnly);
    bool HideSelection() const { return props_.HideSelection; }
    void SetHideSelection(bool hideSelection);
    std::int32_t TextConvert() const { return props_.TextConvert; }
    void SetTextConvert(std::int32_t textConvert);
    QString PasswordChar() const { return props_.PasswordChar; }
    void SetPasswordChar(const QString& passwordChar);
    std::int32_t MaxLength() const { return props_.MaxLength; }
    void SetMaxLength(std::int32_t maxLength);
    std::int32_t BorderStyle() const { return props_.BorderStyle; }
    void SetBorderStyle(std::int32_t borderStyle);
    std::int32_t Appearance() const { return props_.Appearance; }
    void SetAppearance(std::int32_t appearance);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    QFont Font() const { return font(); }
    void SetFont(const QFont& font);
    std::uint32_t ForeColor() const { return foreColor_; }
    void SetForeColor(std::uint32_t color);
    std::uint32_t BackColor() const { return backColor_; }
    void SetBackColor(std::uint32_t color);

    // The selection start, read 1-based (a caret at the very beginning reads 1) and written
    // 0-based; each write combines the new value with the last value written to the other
    // of SelStart and SelLength, not with the current selection.
    std::int32_t SelStart() const;
    void SetSelStart(std::int32_t selStart);
    std::int32_t SelLength() const;
    void SetSelLength(std::int32_t selLength);
    QString SelText();
    void SetSelText(const QString& selText);

    // Gives the keyboard focus to the edit window.
    void Focus();

    // Loads the properties of a design into this instance, as into a fresh one (the edit
    // window is created anew from them), and saves them. Keys in this order: "Font",
    // "ForeColor", "BackColor", "Text", "PasswordChar", "MultiLine", "Appearance",
    // "Locked", "Enabled", "BorderStyle", "Scrollbar", "Alignment", "HideSelection",
    // "TextConvert", "NumberOnly", "MaxLength".
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // The edit window, null while there is none.
    QWidget* EditWidget() const;
    const MessageInterception& Interception() const { return interception_; }

    // The callback of the interception: turns the watched messages of the control window
    // and the edit window into focus moves and events.
    void zSubclass_Text_Proc(bool bBefore, bool& bHandled, std::int32_t& lReturn,
                             QWidget*& lng_hWnd, std::uint32_t& uMsg, std::int32_t& wParam,
                             std::int32_t& lParam);

signals:
    void Change();
    void Click();
    void DbClick();
    void KeyDown(qint16 KeyCode, qint16 Shift);
    void KeyPress(qint16 KeyAscii);
    void KeyUp(qint16 KeyCode, qint16 Shift);
    void MouseDown(qint16 Button, qint16 Shift, float X, float Y);
    void MouseUp(qint16 Button, qint16 Shift, float X, float Y);
    void MouseMove(qint16 Button, qint16 Shift, float X, float Y);
    void MouseLeave();
    // A property changed, so that a designer saves it.
    void PropertyChanged(const QString& name);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    UniTextBox(QWidget* parent, const QString& name, const QRect* geometry,
               const PropertyBag* design);

    void MarkChanged(const QString& name);
    void RebuildEditWindow();
    void CreateEditWindow(const QString& text);
    void DestroyEditWindow();
    void StartInterception();
    QString GetEditText();
    void SetEditText(const QString& text);
    void ApplyFont();
    void ApplySurfaceColors();

    MessageInterception interception_;
    EditProperties props_;
    bool enabled_ = true;
    std::uint32_t foreColor_ = 0;
    std::uint32_t backColor_ = 0;
    QString remembered_; // the last text read from or written to the edit window
    std::int32_t lastSelStart_ = 0;
    std::int32_t lastSelLength_ = 0;
    EditWindow* edit_ = nullptr;
};

} // namespace moonleaf
