// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace moonleaf {

class Autostart;
class Clock;
class GlobalKeys;
class InstanceGuard;
class ScreenCapture;
class WindowTraits;

// What the windows need from outside themselves, built once by the desktop program's main
// and handed to the windows; tests hand in fakes. Nothing here is owned by the windows.
struct Services {
    const Clock& clock;         // today and the time of day
    GlobalKeys& keys;           // F9, F10 and F11 whichever program has the focus
    InstanceGuard& instance;    // one calendar per user
    const Autostart& autostart; // the entry that starts the calendar with the desktop session
    WindowTraits& traits;       // panel traits and drop shadow
    ScreenCapture& capture;     // a still picture of the screen, for the screen effect
    QString privateFolder;      // the user's private temporary folder, ending in '/'; empty
                                // when there is none (the quotation file is then not written)
};

} // namespace moonleaf
