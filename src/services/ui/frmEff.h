// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Services.h"
#include "services/MeltRules.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <random>

class QEventLoop;
class QScreen;

namespace moonleaf {

// The screen effect after the About message: a frameless window over the whole screen that
// shows a still copy of it, then moves random 128 by 128 blocks of that copy by a pixel or
// two, mostly downward, so the desktop's picture slowly melts, until a click on it. The
// window is not topmost: the calendar's panel stays above it and can be clicked.
//
// The blocks move in frames paced to the display's refresh, one frame's worth of moves per
// frame and one repaint of the changed rectangles, and only while the window is visible.
class frmEff : public QWidget {
    Q_OBJECT

public:
    explicit frmEff(const Services& services, QWidget* parent = nullptr);
    ~frmEff() override;

    // Runs the whole effect on `screen` (null: the primary screen) and returns when it has
    // ended: a click, a mouse button press or Unload ends it, and the window is then gone.
    // Other events of the program are processed while it runs. Returns at once without
    // showing anything when the screen cannot be captured, and when an effect runs already.
    void doeffect(QScreen* screen = nullptr);
    // Ends a running effect as a click does and removes the window; without a running
    // effect, nothing happens.
    void Unload();
    bool Running() const { return running_; }

    // One frame: a frame's worth of block moves on the copy, then one repaint of the
    // rectangles they changed. Nothing when no effect runs.
    void Frame();
    // Stops the frame pacing for good: a test then runs Frame itself.
    void HoldFrames();
    int MovesPerFrame() const { return movesPerFrame_; }
    int Frames() const { return frames_; }
    // The copy as the blocks have left it, in the screen's device pixels.
    const QImage& Picture() const { return picture_; }

signals:
    // The effect's window has been shown over the screen: windows that must stay above it
    // raise themselves now.
    void Shown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Click();
    void Form_MouseDown();
    void End();
    void UpdateFrameTimer();
    double NextUniform();

    const Services services_;
    QImage picture_;      // the copy the window shows and the blocks move within
    std::int16_t cx_ = 0; // its size in pixels
    std::int16_t cy_ = 0;
    bool running_ = false;
    bool framesHeld_ = false;
    int movesPerFrame_ = 1;
    int frames_ = 0;
    QTimer frameTimer_;
    QEventLoop* loop_ = nullptr; // doeffect's wait, while it runs
    std::mt19937 random_;
    std::uniform_real_distribution<double> unit_{0.0, 1.0};
    UniformSource uniform_;
};

} // namespace moonleaf
