// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <cstdint>

namespace moonleaf {

class PropertyBag;

// A push button with a Unicode caption. From its first show on it paints itself onto a
// retained surface in one of five looks: with the desktop's visual style (the current
// QStyle's push-button bevel) when visual styles are on, otherwise with the classic
// three-dimensional frame. A 100 ms timer polls the cursor to notice that the mouse has left. Click is raised once per click (a
// button pressed and released over the control; the second press of a double-click only
// presses again); keys never click, they are only relayed.
//
// Mouse coordinates in the events are twips from the top left of the control.
class xButton : public QWidget {
    Q_OBJECT

public:
    // The looks, as the visual style numbers a push button's states.
    enum Look : int { NORMAL = 1, HOT = 2, PRESSED = 3, DISABLED = 4, FOCUSED = 5 };

    explicit xButton(QWidget* parent = nullptr, const QString& name = QString());

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    std::uint32_t ForeColor() const { return foreColor_; }
    void SetForeColor(std::uint32_t color);
    // The button's own setting; a button inside a disabled container still reads True.
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    void SetEnabled(bool enabled);
    QFont Font() const { return font(); }
    void SetFont(const QFont& font);
    // The control's own window.
    QWidget* hWnd() { return this; }

    // Repaints the window from the retained surface; nothing is drawn anew.
    void Refresh();

    // Raises Click as a click of the mouse does, when the button is enabled: the press
    // action of assistive technology. No mouse events come with it.
    void PerformClick();

    // Keys in this order: "ForeColor", "Enabled", "Font", "Caption". Reading applies each
    // value without a change notice and without drawing.
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // The look last drawn (DISABLED whenever the button is disabled), and the surface.
    Look DrawnLook() const { return drawnLook_; }
    const QImage& Surface(); // a first drawing still due is made first
    bool HoverTimerActive() const { return hoverTimer_.isActive(); }

signals:
    void Click();
    void DblClick(); // never raised: a double-click is a second press
    void KeyDown(qint16 KeyCode, qint16 Shift);
    void KeyPress(qint16 KeyAscii);
    void KeyUp(qint16 KeyCode, qint16 Shift);
    void MouseDown(qint16 Button, qint16 Shift, float X, float Y);
    void MouseMove(qint16 Button, qint16 Shift, float X, float Y);
    void MouseUp(qint16 Button, qint16 Shift, float X, float Y);
    // A property changed, so that a designer saves it.
    void PropertyChanged(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void DrawButton(Look look);
    void RenderButton();
    bool DrawThemePart(QPainter& painter, Look look, const QRect& rect);
    bool IsCursorOver() const;
    void MouseDownStep(qint16 button, qint16 shift, float x, float y);
    void HoverTick();
    Look RestingLook() const { return focused_ ? FOCUSED : NORMAL; }

    QString caption_ = QStringLiteral("UniButton");
    std::uint32_t foreColor_;
    bool focused_ = false;
    bool leftDown_ = false;
    Qt::MouseButton clickButton_ = Qt::NoButton; // the press a release may complete into a click
    QTimer hoverTimer_;
    QImage surface_;
    Look drawnLook_ = NORMAL;
    bool shown_ = false; // shown at least once; until then nothing is drawn
    bool firstDrawingDue_ = false; // shown, and the first paint is still to draw
};

} // namespace moonleaf
