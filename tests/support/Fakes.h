// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Autostart.h"
#include "platform/GlobalKeys.h"
#include "platform/InstanceGuard.h"
#include "platform/ScreenCapture.h"
#include "platform/Services.h"
#include "platform/WindowTraits.h"
#include "services/Clock.h"

#include <QTemporaryDir>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

namespace moonleaf::testing {

// A guard that answers what the test says and counts releases.
class FakeInstanceGuard final : public InstanceGuard {
public:
    Claim Answer = Claim::First;
    int Acquired = 0;
    int Released = 0;
    CommandHandler Handler;

    Claim Acquire() override {
        ++Acquired;
        return Answer;
    }
    void SetCommandHandler(CommandHandler handler) override { Handler = std::move(handler); }
    void Release() override { ++Released; }
};

// Traits that remember which windows asked for them and make them frameless, as the real
// ones do, so window positions are those of the client area.
class FakeWindowTraits final : public WindowTraits {
public:
    std::vector<QWidget*> Panels;
    std::vector<QWidget*> Shadowed;
    std::vector<QWidget*> ToolWindows;

    void MakePanel(QWidget* window) override {
        Panels.push_back(window);
        window->setWindowFlag(Qt::FramelessWindowHint);
    }
    void DropShadow(QWidget* window) override { Shadowed.push_back(window); }
    void MakeToolWindow(QWidget* window) override {
        ToolWindows.push_back(window);
        window->setWindowFlag(Qt::Tool);
    }
};

// Keys the test presses: a press is remembered until the key's state is queried, and a
// held key reads as down on every query.
class FakeGlobalKeys final : public GlobalKeys {
public:
    bool Available = true;
    int Started = 0;

    bool Start() override {
        ++Started;
        return Available;
    }
    bool KeyState(GlobalKey key) override {
        const auto i = static_cast<std::size_t>(key);
        const bool state = pressed_[i] || held_[i];
        pressed_[i] = false;
        return state;
    }
    // Presses (and releases) `key` and tells the owner, as the system-wide watch does.
    void Press(GlobalKey key) {
        pressed_[static_cast<std::size_t>(key)] = true;
        emit KeyActivity();
    }
    void Hold(GlobalKey key, bool down) { held_[static_cast<std::size_t>(key)] = down; }
    Qt::KeyboardModifiers HeldModifiers() const override { return Modifiers; }

    Qt::KeyboardModifiers Modifiers = Qt::NoModifier; // held at the next click

private:
    std::array<bool, 3> pressed_{};
    std::array<bool, 3> held_{};
};

// A screen whose picture is what the test sets (a null image: the screen cannot be
// captured); counts the captures.
class FakeScreenCapture final : public ScreenCapture {
public:
    QImage Picture;
    int Captures = 0;

    QImage Capture(QScreen*) override {
        ++Captures;
        return Picture;
    }
};

// Everything a window needs, faked, with a private folder and a configuration folder of its
// own that are removed with the fixture. The autostart entry goes into the configuration
// folder and names `executable`.
struct FakeServices {
    explicit FakeServices(const LocalTime& now,
                          const QString& executable = QStringLiteral("/usr/bin/moonleaf"))
        : clock(now), autostart(configHome.path(), executable) {
        folder.setAutoRemove(true);
    }

    Services Get() {
        return Services{.clock = clock,
                        .keys = keys,
                        .instance = instance,
                        .autostart = autostart,
                        .traits = traits,
                        .capture = capture,
                        .privateFolder = folder.path() + QLatin1Char('/')};
    }

    QTemporaryDir folder;
    QTemporaryDir configHome;
    ManualClock clock;
    FakeGlobalKeys keys;
    FakeInstanceGuard instance;
    Autostart autostart;
    FakeWindowTraits traits;
    FakeScreenCapture capture;
};

} // namespace moonleaf::testing
