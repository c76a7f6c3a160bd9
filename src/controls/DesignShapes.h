// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

#include <cstdint>

namespace moonleaf {

// The plain elements of a window design that are not text: a picture box, a rectangle and
// a line. They only draw; the rectangle and the line let the mouse through to what lies
// beneath them.

// A filled box that shows one picture, centred, or none. The picture is a vector image (a
// resource path such as ":/pictures/moon/moon15.svg"), drawn at the screen's resolution so
// it stays sharp at any scale. Assistive technology knows it by its accessible name, which
// the window sets to say what the picture shows.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr, const QString& name = QString());

    std::uint32_t BackColor() const { return backColor_; }
    void SetBackColor(std::uint32_t color);
    // The path of the picture shown, empty for none.
    QString Picture() const { return picture_; }
    // Shows the picture at `path`; an empty path (or one that names no picture) clears it.
    void SetPicture(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t backColor_;
    QString picture_;
};

// The outline of a rectangle filling the element, one pixel wide.
class ShapeBox : public QWidget {
    Q_OBJECT

public:
    explicit ShapeBox(QWidget* parent = nullptr, const QString& name = QString());

    std::uint32_t BorderColor() const { return borderColor_; }
    void SetBorderColor(std::uint32_t color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t borderColor_;
};

// A line one pixel wide between two points of its parent; the element covers the rectangle
// the two points span.
class LineShape : public QWidget {
    Q_OBJECT

public:
    explicit LineShape(QWidget* parent = nullptr, const QString& name = QString());

    std::uint32_t BorderColor() const { return borderColor_; }
    void SetBorderColor(std::uint32_t color);
    // Places the line from `from` to `to`, in the parent's pixels; both ends are drawn.
    void SetEnds(QPoint from, QPoint to);
    QPoint From() const { return from_; }
    QPoint To() const { return to_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t borderColor_;
    QPoint from_;
    QPoint to_;
};

} // namespace moonleaf
