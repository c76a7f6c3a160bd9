// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PanelShadow.h"

#include "platform/PanelBorder.h"
#include "platform/ShadowWindow.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace moonleaf {

PanelShadow::PanelShadow(QWidget* panel, Desktop desktop)
    : QObject(panel), panel_(panel), desktop_(std::move(desktop)) {
    setObjectName(QStringLiteral("panelShadowKeeper"));
    panel_->installEventFilter(this);
    if (panel_->isVisible()) {
        PanelShown();
    }
}

PanelShadow::~PanelShadow() = default;

QWidget* PanelShadow::Shadow() const {
    return shadow_.get();
}

PanelBorder* PanelShadow::Border() const {
    return border_;
}

bool PanelShadow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panel_) {
        switch (event->type()) {
        case QEvent::Show:
            // Sent before the panel is put on screen, so the shadow goes up first and the
            // panel lands above it.
            PanelShown();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            Follow();
            break;
        case QEvent::Hide:
            if (shadow_) {
                shadow_->hide();
            }
            break;
        default:
            break;
        }
    } else if (watched == panelWindow_ && event->type() == QEvent::Expose && stackPending_ &&
               panelWindow_->isExposed()) {
        stackPending_ = false;
        if (shadow_ && shadow_->isVisible() && desktop_.stackBelow) {
            desktop_.stackBelow(shadow_.get(), panel_);
        }
    }
    return QObject::eventFilter(watched, event);
}

void PanelShadow::PanelShown() {
    const bool soft = desktop_.compositing && desktop_.compositing();
    if (!soft) {
        shadow_.reset();
        if (!border_) {
            border_ = new PanelBorder(panel_);
        }
        border_->show();
        return;
    }
    if (border_) {
        border_->hide();
    }
    if (!shadow_) {
        shadow_ = std::make_unique<ShadowWindow>();
        if (desktop_.prepare) {
            desktop_.prepare(shadow_.get());
        }
    }
    shadow_->setGeometry(ShadowWindow::GeometryFor(panel_->geometry()));
    shadow_->show();
    if (QWindow* window = panel_->windowHandle(); window != panelWindow_) {
        if (panelWindow_) {
            panelWindow_->removeEventFilter(this);
        }
        panelWindow_ = window;
        if (window) {
            window->installEventFilter(this);
        }
    }
    stackPending_ = true;
}

void PanelShadow::Follow() {
    if (shadow_ && shadow_->isVisible()) {
        shadow_->setGeometry(ShadowWindow::GeometryFor(panel_->geometry()));
    }
}

} // namespace moonleaf
