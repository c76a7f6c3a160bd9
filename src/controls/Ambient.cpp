// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/Ambient.h"

#include "controls/ColorValue.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>

namespace moonleaf {
namespace {

constexpr const char* DESIGNER_PROPERTY = "moonleafDesigner";
constexpr const char* FORE_COLOR_PROPERTY = "moonleafAmbientForeColor";
constexpr const char* BACK_COLOR_PROPERTY = "moonleafAmbientBackColor";

// The value of dynamic property `name` on the nearest ancestor of `control` that has it.
QVariant FromContainers(const QWidget* control, const char* name) {
    for (const QWidget* w = control != nullptr ? control->parentWidget() : nullptr; w != nullptr;
         w = w->parentWidget()) {
        QVariant value = w->property(name);
        if (value.isValid()) {
            return value;
        }
    }
    return {};
}

std::uint32_t ColorFromContainers(const QWidget* control, const char* name,
                                  std::uint32_t fallback) {
    const QVariant value = FromContainers(control, name);
    return value.isValid() ? value.value<std::uint32_t>() : fallback;
}

} // namespace

bool AmbientUserMode(const QWidget* control) {
    return !FromContainers(control, DESIGNER_PROPERTY).toBool();
}

void SetDesignerMode(QWidget* container, bool designer) {
    container->setProperty(DESIGNER_PROPERTY, designer);
}

QFont AmbientFont(const QWidget* control) {
    if (control != nullptr && control->parentWidget() != nullptr) {
        return control->parentWidget()->font();
    }
    return QApplication::font();
}

std::uint32_t AmbientForeColor(const QWidget* control) {
    return ColorFromContainers(control, FORE_COLOR_PROPERTY, SYS_COLOR_BUTTON_TEXT);
}

std::uint32_t AmbientBackColor(const QWidget* control) {
    return ColorFromContainers(control, BACK_COLOR_PROPERTY, SYS_COLOR_BUTTON_FACE);
}

void SetAmbientColors(QWidget* container, std::uint32_t foreColor, std::uint32_t backColor) {
    container->setProperty(FORE_COLOR_PROPERTY, QVariant::fromValue(foreColor));
    container->setProperty(BACK_COLOR_PROPERTY, QVariant::fromValue(backColor));
}

} // namespace moonleaf
