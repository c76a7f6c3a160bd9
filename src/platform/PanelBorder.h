// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

namespace moonleaf {

// A one-pixel dark-grey frame over the edge of a panel, the drop shadow where no compositing
// manager can draw a soft one. It is a child of the panel that covers the panel whole, paints
// only its outermost pixels and lets the mouse through to the controls under it; it keeps
// the panel's size and stays above the panel's other children, also those added later.
class PanelBorder final : public QWidget {
    Q_OBJECT

public:
    static inline const QColor COLOR{0x40, 0x40, 0x40};

    explicit PanelBorder(QWidget* panel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace moonleaf
