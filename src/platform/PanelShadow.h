// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QWidget;
class QWindow;

namespace moonleaf {

class PanelBorder;
class ShadowWindow;

// Keeps the drop shadow of one panel for the panel's whole life. Each time the panel is
// shown it asks the desktop whether a compositing manager runs: then a ShadowWindow is
// shown below the panel and follows every move, resize, hide and show of it (so it keeps
// up with each step of a slide); otherwise the panel gets a PanelBorder instead, and no
// shadow window exists. The panel's own size and position are never changed.
class PanelShadow final : public QObject {
    Q_OBJECT

public:
    // What the window system adds to the portable drawing.
    struct Desktop {
        // True when a compositing manager runs and a translucent window is blended.
        std::function<bool()> compositing;
        // Called once with the shadow window before it is first shown.
        std::function<void(QWidget* shadow)> prepare;
        // Stacks the shadow window just below the panel; called once the panel is on
        // screen after each show.
        std::function<void(QWidget* shadow, QWidget* panel)> stackBelow;
    };

    // Becomes a child of `panel` and goes with it.
    PanelShadow(QWidget* panel, Desktop desktop);
    ~PanelShadow() override;

    // The shadow window, or null while none is in use.
    QWidget* Shadow() const;
    // The border, or null while none was needed.
    PanelBorder* Border() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PanelShown();
    void Follow();

    QWidget* panel_;
    Desktop desktop_;
    std::unique_ptr<ShadowWindow> shadow_;
    QPointer<PanelBorder> border_;
    QPointer<QWindow> panelWindow_; // watched for the first exposure after a show
    bool stackPending_ = false;
};

} // namespace moonleaf
