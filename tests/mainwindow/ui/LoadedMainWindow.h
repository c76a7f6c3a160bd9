// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/ui/frmMain.h"
#include "services/ui/QuotationStore.h"
#include "support/Fakes.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

namespace moonleaf::testing {

// The main window built with fake services whose clock reads `now`, not yet loaded.
class MainWindowOnFakes : public ::testing::Test {
protected:
    explicit MainWindowOnFakes(LocalTime now) : fakes{now} {}

    FakeServices fakes;
    Services services = fakes.Get();
    QuotationStore store{services.privateFolder};
    std::unique_ptr<frmMain> form = std::make_unique<frmMain>(services, store);

    // Loads the window with its timers held: a test runs the timers' jobs itself.
    bool Load() {
        const bool loaded = form->Form_Load();
        form->HoldTimers();
        return loaded;
    }

    template <class T> T* Find(const char* name) const {
        return form->findChild<T*>(QString::fromLatin1(name));
    }
};

// The main window loaded and shown on 8 December 2026 at 9:30, version 1.1, its timers held.
class LoadedMainWindow : public MainWindowOnFakes {
protected:
    LoadedMainWindow() : MainWindowOnFakes(LocalTime{{8, 12, 2026}, 9, 30, 0, 0}) {}

    void SetUp() override {
        QCoreApplication::setApplicationVersion(QStringLiteral("1.1.0"));
        ASSERT_TRUE(Load());
        form->show();
    }
};

} // namespace moonleaf::testing
