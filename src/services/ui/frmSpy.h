// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Services.h"

#include <QWidget>

namespace moonleaf {

class xButton;

// The restore tab: a tiny always-on-top window at the top centre of the screen while the
// calendar is hidden above it. Its one button (a green down triangle) and the Down arrow key
// bring the calendar back.
class frmSpy : public QWidget {
    Q_OBJECT

public:
    explicit frmSpy(const Services& services, QWidget* parent = nullptr);

    // Brings the calendar back (the main window answers RestoreRequested), then hides the
    // tab; the tab stays loaded.
    void ShowF();
    // Top edge 0, horizontally centred; topmost; the button's tool tip names the version.
    void Form_Load();

    xButton* Button() const { return xButton1_; }

signals:
    void RestoreRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool KeyDown(int key);

    const Services services_;
    xButton* xButton1_ = nullptr;
};

} // namespace moonleaf
