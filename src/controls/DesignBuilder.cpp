// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/DesignBuilder.h"

#include "controls/ColorValue.h"
#include "controls/DesignShapes.h"
#include "controls/PropertyBag.h"
#include "controls/UniTextBox.h"
#include "controls/xButton.h"
#include "controls/xLabel.h"
#include "design/DesignUnits.h"
#include "platform/VietnameseFont.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QWidget>

#include <cmath>

namespace moonleaf {
namespace {

// Alignment numbers as each control stores them.
std::int32_t LabelAlignment(TextAlign align) { // 0 left, 1 centre, 2 right
    switch (align) {
    case TextAlign::Centre:
        return 1;
    case TextAlign::Right:
        return 2;
    case TextAlign::Left:
        break;
    }
    return 0;
}

std::int32_t TextBoxAlignment(TextAlign align) { // 0 left, 1 right, 2 centre
    switch (align) {
    case TextAlign::Centre:
        return 2;
    case TextAlign::Right:
        return 1;
    case TextAlign::Left:
        break;
    }
    return 0;
}

Qt::Alignment PlainAlignment(TextAlign align) {
    switch (align) {
    case TextAlign::Centre:
        return Qt::AlignHCenter | Qt::AlignTop;
    case TextAlign::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case TextAlign::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

QRect PixelRect(const DesignRow& row) {
    return QRect(TwipsToPixels(row.Left), TwipsToPixels(row.Top), TwipsToPixels(row.Width),
                 TwipsToPixels(row.Height));
}

QString Caption(const DesignRow& row) {
    return row.Caption != nullptr ? QString::fromUtf16(row.Caption) : QString();
}

void SetColorIfDesigned(PropertyBag& bag, const QString& key, std::uint32_t color) {
    if (color != DESIGN_DEFAULT_COLOR) {
        bag.Set(key, static_cast<std::int32_t>(color));
    }
}

QWidget* BuildPlainLabel(QWidget* parent, const DesignRow& row, const QFont& formFont) {
    auto* label = new QLabel(parent);
    label->setFont(RowFont(row, formFont));
    label->setText(Caption(row));
    label->setAlignment(PlainAlignment(row.Align));
    label->setTextFormat(Qt::PlainText);
    QPalette palette = label->palette();
    if (row.ForeColor != DESIGN_DEFAULT_COLOR) {
        palette.setColor(QPalette::WindowText, ColorFromValue(row.ForeColor));
    }
    if (row.BackColor != DESIGN_DEFAULT_COLOR && !row.Transparent) {
        palette.setColor(QPalette::Window, ColorFromValue(row.BackColor));
        label->setAutoFillBackground(true);
    }
    label->setPalette(palette);
    return label;
}

QWidget* BuildXLabel(QWidget* parent, const DesignRow& row, const QFont& formFont) {
    auto* label = new xLabel(parent, QString::fromLatin1(row.Name));
    PropertyBag bag;
    SetColorIfDesigned(bag, QStringLiteral("BackColor"), row.BackColor);
    SetColorIfDesigned(bag, QStringLiteral("ForeColor"), row.ForeColor);
    if (row.Transparent) {
        bag.Set(QStringLiteral("BackStyle"), std::int32_t{0});
    }
    bag.Set(QStringLiteral("Caption"), Caption(row));
    bag.Set(QStringLiteral("Alignment"), LabelAlignment(row.Align));
    label->ReadProperties(bag);
    label->SetFont(RowFont(row, formFont));
    return label;
}

QWidget* BuildXButton(QWidget* parent, const DesignRow& row, const QFont& formFont) {
    auto* button = new xButton(parent, QString::fromLatin1(row.Name));
    PropertyBag bag;
    SetColorIfDesigned(bag, QStringLiteral("ForeColor"), row.ForeColor);
    bag.Set(QStringLiteral("Caption"), Caption(row));
    button->ReadProperties(bag);
    button->SetFont(row.Symbol ? SymbolFont(row.Points, row.Bold) : RowFont(row, formFont));
    return button;
}

QWidget* BuildTextBox(QWidget* parent, const DesignRow& row) {
    // The text box takes the window's font as its container's.
    PropertyBag bag;
    SetColorIfDesigned(bag, QStringLiteral("ForeColor"), row.ForeColor);
    SetColorIfDesigned(bag, QStringLiteral("BackColor"), row.BackColor);
    bag.Set(QStringLiteral("Text"), Caption(row));
    bag.Set(QStringLiteral("MultiLine"), row.Multiline);
    bag.Set(QStringLiteral("Locked"), row.Locked);
    bag.Set(QStringLiteral("BorderStyle"), std::int32_t{row.Borderless ? 0 : 1});
    bag.Set(QStringLiteral("Alignment"), TextBoxAlignment(row.Align));
    bag.Set(QStringLiteral("HideSelection"), row.HideSelection);
    // The edit window is created once, at the box's size and in the designed style.
    return new UniTextBox(parent, QString::fromLatin1(row.Name), PixelRect(row), bag);
}

QWidget* Build(QWidget* parent, const DesignRow& row, const QFont& formFont) {
    switch (row.Kind) {
    case ElementKind::PictureBox: {
        auto* box = new PictureBox(parent, QString::fromLatin1(row.Name));
        if (row.BackColor != DESIGN_DEFAULT_COLOR) {
            box->SetBackColor(row.BackColor);
        }
        return box;
    }
    case ElementKind::PlainLabel:
        return BuildPlainLabel(parent, row, formFont);
    case ElementKind::XLabel:
        return BuildXLabel(parent, row, formFont);
    case ElementKind::XButton:
        return BuildXButton(parent, row, formFont);
    case ElementKind::TextBox:
        return BuildTextBox(parent, row);
    case ElementKind::Rectangle: {
        auto* shape = new ShapeBox(parent, QString::fromLatin1(row.Name));
        if (row.ForeColor != DESIGN_DEFAULT_COLOR) {
            shape->SetBorderColor(row.ForeColor);
        }
        return shape;
    }
    case ElementKind::Line: {
        auto* line = new LineShape(parent, QString::fromLatin1(row.Name));
        if (row.ForeColor != DESIGN_DEFAULT_COLOR) {
            line->SetBorderColor(row.ForeColor);
        }
        return line;
    }
    case ElementKind::DropDownList: {
        auto* list = new QComboBox(parent);
        list->setEditable(false);
        list->setFont(RowFont(row, formFont));
        return list;
    }
    case ElementKind::CheckBox: {
        auto* box = new QCheckBox(Caption(row), parent);
        box->setFont(RowFont(row, formFont));
        return box;
    }
    }
    return nullptr;
}

} // namespace

QFont RowFont(const DesignRow& row, const QFont& formFont) {
    if (row.Points <= 0 && !row.Bold) {
        return formFont;
    }
    QFont font = row.Points > 0 ? DesignFont(row.Points, row.Bold) : formFont;
    font.setBold(row.Bold);
    return font;
}

QFont SymbolFont(double points, bool bold) {
    return DesignFont(points > 0 ? points : 9.0, bold);
}

void BuildDesign(QWidget* form, std::span<const DesignRow> rows) {
    for (const DesignRow& row : rows) {
        QWidget* parent = form;
        if (row.Parent != nullptr) {
            if (auto* container = form->findChild<QWidget*>(QString::fromLatin1(row.Parent))) {
                parent = container;
            }
        }
        QWidget* element = Build(parent, row, form->font());
        element->setObjectName(QString::fromLatin1(row.Name));
        if (row.Kind == ElementKind::Line) {
            static_cast<LineShape*>(element)->SetEnds(
                QPoint(TwipsToPixels(row.Left), TwipsToPixels(row.Top)),
                QPoint(TwipsToPixels(row.Width), TwipsToPixels(row.Height)));
        } else {
            element->setGeometry(PixelRect(row));
        }
        if (row.ToolTip != nullptr) {
            element->setToolTip(QString::fromUtf16(row.ToolTip));
        }
        if (row.AccessibleName != nullptr) {
            element->setAccessibleName(QString::fromUtf16(row.AccessibleName));
        }
        element->raise(); // in front of every earlier sibling
    }
}

} // namespace moonleaf
