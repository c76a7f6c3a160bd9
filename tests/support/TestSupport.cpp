// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSupport.h"

#include "controls/DesignShapes.h"
#include "design/DesignUnits.h"
#include "controls/UniTextBox.h"
#include "controls/xButton.h"
#include "controls/xLabel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdlib>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '{';
    for (const QString& text : list) {
        *out << "\n    ";
        PrintTo(text, out);
    }
    *out << " }";
}

void PrintTo(const QColor& color, std::ostream* out) {
    *out << color.name(QColor::HexArgb).toStdString();
}

void PrintTo(const QRect& rect, std::ostream* out) {
    *out << "QRect(" << rect.x() << ", " << rect.y() << ", " << rect.width() << " x "
         << rect.height() << ')';
}

namespace moonleaf::testing {
namespace {

QWindow* WindowAt(QPoint global) {
    QWidget* widget = QApplication::widgetAt(global);
    return widget != nullptr ? widget->window()->windowHandle() : nullptr;
}

QRect Area(const QImage& image, QRect within) {
    return within.isNull() ? image.rect() : within.intersected(image.rect());
}

} // namespace

void SaveTestImage(const QString& name, const QImage& image) {
    const QString folder = qEnvironmentVariable("MOONLEAF_TEST_IMAGES");
    if (folder.isEmpty()) {
        return;
    }
    QDir().mkpath(folder);
    image.save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

QImage Render(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

bool Near(const QColor& a, const QColor& b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

QRect InkBounds(const QImage& image, const QColor& background, QRect within) {
    QRect bounds;
    const QRect area = Area(image, within);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!Near(image.pixelColor(x, y), background, 40)) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

int InkCount(const QImage& image, const QColor& background, QRect within) {
    int count = 0;
    const QRect area = Area(image, within);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!Near(image.pixelColor(x, y), background, 40)) {
                ++count;
            }
        }
    }
    return count;
}

int CountColor(const QImage& image, const QColor& color, QRect within) {
    int count = 0;
    const QRect area = Area(image, within);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (Near(image.pixelColor(x, y), color, 24)) {
                ++count;
            }
        }
    }
    return count;
}

void Type(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        const char16_t upper = ch.toUpper().unicode();
        const bool ascii =
            (upper >= u'A' && upper <= u'Z') || (upper >= u'0' && upper <= u'9') || upper == u' ';
        const auto key = ascii ? static_cast<Qt::Key>(upper) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(ch), Qt::NoModifier);
    }
}

bool IsBuiltAs(const QWidget* element, ElementKind kind) {
    switch (kind) {
    case ElementKind::PictureBox:
        return qobject_cast<const PictureBox*>(element) != nullptr;
    case ElementKind::PlainLabel:
        return qobject_cast<const QLabel*>(element) != nullptr;
    case ElementKind::XLabel:
        return qobject_cast<const xLabel*>(element) != nullptr;
    case ElementKind::XButton:
        return qobject_cast<const xButton*>(element) != nullptr;
    case ElementKind::TextBox:
        return qobject_cast<const UniTextBox*>(element) != nullptr;
    case ElementKind::Rectangle:
        return qobject_cast<const ShapeBox*>(element) != nullptr;
    case ElementKind::Line:
        return qobject_cast<const LineShape*>(element) != nullptr;
    case ElementKind::DropDownList: {
        const auto* list = qobject_cast<const QComboBox*>(element);
        return list != nullptr && !list->isEditable();
    }
    case ElementKind::CheckBox:
        return qobject_cast<const QCheckBox*>(element) != nullptr;
    }
    return false;
}

void ExpectBuiltAsDesigned(const QWidget* form, std::span<const DesignRow> design) {
    for (const DesignRow& row : design) {
        SCOPED_TRACE(row.Name);
        const auto* element = form->findChild<const QWidget*>(QString::fromLatin1(row.Name));
        ASSERT_NE(element, nullptr);
        EXPECT_TRUE(IsBuiltAs(element, row.Kind));
        EXPECT_EQ(element->geometry(), QRect(TwipsToPixels(row.Left), TwipsToPixels(row.Top),
                                             TwipsToPixels(row.Width), TwipsToPixels(row.Height)));
    }
}

void ShowForm(QWidget* form, QSize size) {
    form->resize(size);
    form->show();
    if (!QTest::qWaitForWindowExposed(form)) {
        qWarning("form not exposed");
    }
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form)) {
        qWarning("form not active");
    }
}

void Mouse::MoveTo(QWidget* widget, QPoint local) {
    QCursor::setPos(widget->mapToGlobal(local));
    QApplication::processEvents();
}

void Mouse::Press(Qt::MouseButton button) {
    const QPoint global = QCursor::pos();
    if (QWindow* window = WindowAt(global)) {
        QTest::mousePress(window, button, Qt::NoModifier, window->mapFromGlobal(global));
    }
}

void Mouse::Release(Qt::MouseButton button) {
    const QPoint global = QCursor::pos();
    // The release goes to the window that has the press, wherever the cursor is.
    QWindow* window = QGuiApplication::topLevelAt(global);
    if (window == nullptr) {
        window = QGuiApplication::focusWindow();
    }
    if (window != nullptr) {
        QTest::mouseRelease(window, button, Qt::NoModifier, window->mapFromGlobal(global));
    }
}

void Mouse::Click(QWidget* widget, QPoint local, Qt::MouseButton button) {
    MoveTo(widget, local);
    Press(button);
    Release(button);
}

void Mouse::DoubleClick(QWidget* widget, QPoint local) {
    MoveTo(widget, local);
    QWindow* window = widget->window()->windowHandle();
    QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier,
                       window->mapFromGlobal(widget->mapToGlobal(local)));
}

} // namespace moonleaf::testing
