// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

class QScreen;

namespace moonleaf {

// A still picture of everything a screen shows, as the desktop gives it to a program. Where
// the desktop gives none (a Wayland session, a refused grab), the answer is a null image and
// whatever wanted the picture does without it.
class ScreenCapture {
public:
    ScreenCapture() = default;
    ScreenCapture(const ScreenCapture&) = delete;
    ScreenCapture& operator=(const ScreenCapture&) = delete;
    virtual ~ScreenCapture() = default;

    // The whole of `screen`, in its device pixels (the image's device pixel ratio is the
    // screen's), or a null image.
    virtual QImage Capture(QScreen* screen) = 0;
};

// The running window system's capture: the root window's pixels on X11, nothing elsewhere.
class SystemScreenCapture final : public ScreenCapture {
public:
    QImage Capture(QScreen* screen) override;
};

} // namespace moonleaf
