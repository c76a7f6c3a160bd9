// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/ui/frmMain.h"
#include "services/ui/QuotationStore.h"
#include "support/Fakes.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

namespace moonleaf::testing {

// The main window loaded and shown on 8 December 2026 at 9:30 with fake services, version
// 1.1, its timers held: a test runs the timers' jobs itself.
class LoadedMainWindow : public ::testing::Test {
protected:
    FakeServices fakes{LocalTime{{8, 12, 2026}, 9, 30, 0, 0}};
    Services services = fakes.Get();
    QuotationStore store{services.privateFolder};
    std::unique_ptr<frmMain> form = std::make_unique<frmMain>(services, store);

    void SetUp() override {
        QCoreApplication::setApplicationVersion(QStringLiteral("1.1.0"));
        ASSERT_TRUE(form->Form_Load());
        form->HoldTimers();
        form->show();
    }

    template <class T> T* Find(const char* name) const {
        return form->findChild<T*>(QString::fromLatin1(name));
    }
};

} // namespace moonleaf::testing
