// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/ui/frmEff.h"

#include "platform/ScreenCapture.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

namespace moonleaf {
namespace {

std::int16_t Clamp16(int pixels) {
    return static_cast<std::int16_t>(
        std::min(pixels, int{std::numeric_limits<std::int16_t>::max()}));
}

} // namespace

frmEff::frmEff(const Services& services, QWidget* parent)
    : QWidget(parent), services_(services), uniform_([this] { return NextUniform(); }) {
    setObjectName(QStringLiteral("frmEff"));
    setWindowTitle(QStringLiteral("Moonleaf"));
    // Frameless, and not topmost. It never takes the focus either: some window managers lift
    // a focused undecorated window the size of the screen above every other one, the
    // calendar's topmost panel included. Clicks still reach it.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    // Every paint covers its rectangles with the copy: nothing needs clearing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    frameTimer_.setTimerType(Qt::PreciseTimer);
    connect(&frameTimer_, &QTimer::timeout, this, &frmEff::Frame);
}

frmEff::~frmEff() {
    End();
}

double frmEff::NextUniform() {
    return unit_(random_);
}

void frmEff::doeffect(QScreen* screen) {
    if (running_) {
        return; // one effect at a time
    }
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QImage still = services_.capture.Capture(screen);
    if (still.isNull() || still.width() <= 0 || still.height() <= 0) {
        return; // nothing to melt: the effect is skipped
    }
    // 32-bit pixels, so the blocks move as plain words.
    picture_ = still.convertToFormat(QImage::Format_RGB32);
    cx_ = Clamp16(picture_.width());
    cy_ = Clamp16(picture_.height());
    const double refresh = screen->refreshRate();
    movesPerFrame_ = moonleaf::MovesPerFrame(refresh);
    frameTimer_.setInterval(
        static_cast<int>(std::lround(1000.0 / (refresh > 0 ? refresh : DEFAULT_REFRESH_HZ))));
    frames_ = 0;
    random_.seed(
        std::random_device{}() ^
        static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));

    // One pixel wider than the screen, past its right edge: a window manager may take an
    // undecorated window exactly the screen's size for a full-screen one and stack it above
    // every other, the calendar's topmost panel included.
    setGeometry(screen->geometry().adjusted(0, 0, 1, 0));
    running_ = true;
    show();
    emit Shown();

    // The effect blocks its caller, as the About button expects, while this loop processes
    // every other event: clicks here and on the calendar, its clock, the key watch.
    QEventLoop loop;
    loop_ = &loop;
    const QPointer<frmEff> alive(this);
    if (running_) {
        loop.exec();
    }
    if (alive.isNull()) {
        return; // the window was destroyed while the effect ran
    }
    loop_ = nullptr;
    End();
    picture_ = QImage();
}

void frmEff::End() {
    running_ = false;
    frameTimer_.stop();
    hide();
    if (loop_ != nullptr) {
        loop_->quit();
    }
}

void frmEff::Unload() {
    End();
}

void frmEff::Form_Click() {
    End();
}

void frmEff::Form_MouseDown() {
    End();
}

void frmEff::HoldFrames() {
    framesHeld_ = true;
    frameTimer_.stop();
}

void frmEff::UpdateFrameTimer() {
    if (running_ && !framesHeld_ && isVisible()) {
        if (!frameTimer_.isActive()) {
            frameTimer_.start();
        }
    } else {
        frameTimer_.stop();
    }
}

void frmEff::Frame() {
    if (!running_ || picture_.isNull()) {
        return;
    }
    const QWindow* window = windowHandle();
    if (window != nullptr && !window->isExposed()) {
        return; // nobody would see the frame
    }
    const PixelPlane plane{reinterpret_cast<std::uint32_t*>(picture_.bits()), cx_, cy_,
                           picture_.bytesPerLine() / static_cast<qsizetype>(sizeof(std::uint32_t))};
    const double ratio = picture_.devicePixelRatio();
    for (int i = 0; i < movesPerFrame_; ++i) {
        const PixelRect changed = MoveBlock(plane, NextBlockMove(cx_, cy_, uniform_));
        if (!changed.Empty()) {
            // The copy's pixels to the window's: the same at a ratio of 1.
            update(QRectF(changed.x / ratio, changed.y / ratio, changed.width / ratio,
                          changed.height / ratio)
                       .toAlignedRect());
        }
    }
    ++frames_;
}

void frmEff::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const double ratio = picture_.devicePixelRatio();
    for (const QRect& rect : event->region()) {
        if (picture_.isNull() || !picture_.rect().contains(rect)) {
            painter.fillRect(rect, Qt::black); // past the copy: the column beyond the screen
            if (picture_.isNull()) {
                continue;
            }
        }
        const QRectF source(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio,
                            rect.height() * ratio);
        painter.drawImage(QRectF(rect), picture_, source);
    }
}

void frmEff::mousePressEvent(QMouseEvent* event) {
    event->accept();
    Form_MouseDown();
}

void frmEff::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    Form_Click();
}

void frmEff::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    UpdateFrameTimer();
}

void frmEff::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (running_ && !event->spontaneous()) {
        End(); // hidden by the program: the effect ends as after a click
    }
    UpdateFrameTimer(); // hidden by the window system: the frames wait until it shows again
}

void frmEff::closeEvent(QCloseEvent* event) {
    event->accept();
    End();
}

} // namespace moonleaf
