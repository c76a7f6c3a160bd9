// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>

namespace moonleaf {

class PropertyBag;

// A label that shows one caption of Unicode text. It draws the caption itself onto a
// retained surface (an image it keeps) and shows that image whenever it is repainted. The
// caption is drawn only when the label is first shown, when it is resized after that, when
// Alignment is set and in Refresh(); setting Caption, the colours, the font or the styles
// changes nothing on screen until then (a border comes or goes at once, around the image
// already drawn).
//
// Alignment is passed to the drawing as text-format bits: 0 left, 1 centred, 2 right, at the
// top, without word wrap, each line break starting a new line; other bits are the text
// format's further flags (4 vertical centre and 8 bottom with 0x20 single line, 0x10 word
// wrap, 0x100 no clipping, 0x800 no '&' prefix processing ...).
//
// Mouse coordinates in the events are twips from the top left of the client area.
class xLabel : public QWidget {
    Q_OBJECT

public:
    explicit xLabel(QWidget* parent = nullptr, const QString& name = QString());

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    std::int32_t Alignment() const { return alignment_; }
    void SetAlignment(std::int16_t alignment);
    std::uint32_t BackColor() const { return backColor_; }
    void SetBackColor(std::uint32_t color);
    std::uint32_t ForeColor() const { return foreColor_; }
    void SetForeColor(std::uint32_t color);
    // The label's own setting; a label inside a disabled container still reads True.
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    void SetEnabled(bool enabled);
    QFont Font() const { return font(); }
    void SetFont(const QFont& font);
    std::int16_t BackStyle() const { return backStyle_; } // 0 transparent, 1 opaque
    void SetBackStyle(std::int16_t backStyle);
    std::int16_t BorderStyle() const { return borderStyle_; } // 0 none, 1 single line
    void SetBorderStyle(std::int16_t borderStyle);

    // Repaints the label and then draws the caption anew, so the current caption shows.
    void Refresh();

    // Keys in this order: "BackColor", "ForeColor", "Enabled", "Font", "BackStyle",
    // "BorderStyle", "Caption", "Alignment". Reading applies each value without a change
    // notice and without drawing.
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // The retained surface, as last drawn (the client area, inside the border). A first
    // drawing that is still due is made first.
    const QImage& Surface();

signals:
    void Click();
    void DblClick();
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
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // What a drawing of the caption depends on; equal stamps draw the same pixels.
    struct DrawnStamp {
        QString caption;
        std::int16_t alignment = 0;
        QFont font;
        QColor fill;
        QColor pen;
        QSize size;
        qreal ratio = 0;
        bool operator==(const DrawnStamp&) const = default;
    };

    void DrawCaption();
    void RenderCaption();
    void CompleteFirstDrawing();
    DrawnStamp CurrentStamp() const;
    void ResizeSurface(QPoint oldOrigin);
    void ApplyBorderStyle(std::int16_t borderStyle);
    QRect ClientRect() const;
    QPointF ClientTwips(const QMouseEvent& event) const;

    QString caption_ = QStringLiteral("UniLabel");
    std::int16_t alignment_ = 0;
    std::uint32_t backColor_;
    std::uint32_t foreColor_;
    std::int16_t backStyle_ = 1;
    std::int16_t borderStyle_ = 0;
    QImage surface_;
    QColor drawnFill_ = Qt::transparent; // what the last drawing cleared the surface to
    bool shown_ = false;
    // The first show asks for a drawing that the first paint makes, so that a window's
    // labels cost nothing before the window is on screen.
    bool firstDrawingDue_ = false;
    // What the surface shows, when it shows exactly one drawing of the caption.
    std::optional<DrawnStamp> drawn_;
    Qt::MouseButton clickButton_ = Qt::NoButton; // the press a release may complete into a click
};

} // namespace moonleaf
