// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/MessageInterception.h"

#include "controls/InterceptedWindow.h"
#include "controls/WindowMessages.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace moonleaf {
namespace {

// A window that logs its own handling of each event, behind the interception procedure.
class ProbeWindow final : public QWidget, public InterceptedWindow {
public:
    explicit ProbeWindow(QStringList& log) : log_(log) {}
    QWidget* Widget() override { return this; }

protected:
    bool event(QEvent* event) override {
        return InterceptEvent(event, ALL_PARTS, QPoint(2, 3), [this, event] {
            if (event->type() == QEvent::KeyPress) {
                log_ << QStringLiteral("own key");
            } else if (event->type() == QEvent::MouseButtonPress) {
                log_ << QStringLiteral("own press");
            }
            return QWidget::event(event);
        });
    }

private:
    QStringList& log_;
};

class MessageInterceptionTest : public ::testing::Test {
protected:
    MessageInterceptionTest()
        : interception([this](bool before, bool& handled, std::int32_t&, QWidget*& window,
                              std::uint32_t& message, std::int32_t& wParam, std::int32_t& lParam) {
              log << QStringLiteral("%1 %2 %3 %4")
                         .arg(before ? QStringLiteral("before") : QStringLiteral("after"))
                         .arg(message)
                         .arg(wParam)
                         .arg(lParam);
              EXPECT_EQ(window, probe.get());
              if (onCall) {
                  onCall(before, handled, message);
              }
          }),
          probe(std::make_unique<ProbeWindow>(log)) {}

    void SendKey(Qt::Key key, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(probe.get(), &press);
    }

    QStringList log;
    std::function<void(bool, bool&, std::uint32_t)> onCall;
    MessageInterception interception;
    std::unique_ptr<ProbeWindow> probe;
};

TEST_F(MessageInterceptionTest, KeyWithACharacterIsKeyDownThenCharacter) {
    ASSERT_EQ(interception.HookWindow(probe.get()), 0);
    interception.WatchMessage(probe.get(), wm::KEYDOWN, MessageInterception::BOTH);
    interception.WatchMessage(probe.get(), wm::CHAR, MessageInterception::BOTH);
    SendKey(Qt::Key_A, QStringLiteral("a"));
    // The event itself is processed with the character message, the last one.
    EXPECT_EQ(log, (QStringList{QStringLiteral("before 256 65 1"), QStringLiteral("after 256 65 1"),
                                QStringLiteral("before 258 97 1"), QStringLiteral("own key"),
                                QStringLiteral("after 258 97 1")}));
}

TEST_F(MessageInterceptionTest, KeyWithoutCharacterIsProcessedWithKeyDown) {
    interception.HookWindow(probe.get());
    interception.WatchMessage(probe.get(), MessageInterception::EVERY_MESSAGE,
                              MessageInterception::BOTH);
    SendKey(Qt::Key_Left, QString());
    EXPECT_EQ(log, (QStringList{QStringLiteral("before 256 37 1"), QStringLiteral("own key"),
                                QStringLiteral("after 256 37 1")}));
}

TEST_F(MessageInterceptionTest, MouseMessageCarriesClientPointAndKeyFlags) {
    interception.HookWindow(probe.get());
    interception.WatchMessage(probe.get(), wm::LBUTTONDOWN, MessageInterception::AFTER);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(12, 8), QPointF(12, 8), Qt::LeftButton,
                      Qt::LeftButton, Qt::ControlModifier);
    QCoreApplication::sendEvent(probe.get(), &press);
    // (12, 8) in the widget is (10, 5) in the client area; 1 left button + 8 Ctrl.
    EXPECT_EQ(log, (QStringList{QStringLiteral("own press"),
                                QStringLiteral("after 513 9 %1").arg((5 << 16) | 10)}));
}

TEST_F(MessageInterceptionTest, UnwatchedMessagesReachTheWindowWithoutCallbacks) {
    interception.HookWindow(probe.get());
    interception.WatchMessage(probe.get(), wm::KEYUP, MessageInterception::AFTER);
    SendKey(Qt::Key_B, QStringLiteral("b"));
    EXPECT_EQ(log, QStringList{QStringLiteral("own key")});
}

TEST_F(MessageInterceptionTest, HandledInTheBeforePhaseSkipsTheWindowAndTheAfterPhase) {
    interception.HookWindow(probe.get());
    interception.WatchMessage(probe.get(), wm::CHAR, MessageInterception::BOTH);
    onCall = [](bool before, bool& handled, std::uint32_t) { handled = before; };
    SendKey(Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(log, QStringList{QStringLiteral("before 258 97 1")});
}

TEST_F(MessageInterceptionTest, RemovalInsideACallbackEndsThatMessagesCallbacks) {
    interception.HookWindow(probe.get());
    interception.WatchMessage(probe.get(), wm::CHAR, MessageInterception::BOTH);
    // The before-callback removes the interception and installs it again, as writing a text
    // box's Text from an event handler does.
    onCall = [this](bool before, bool&, std::uint32_t) {
        if (before) {
            interception.UnhookAllWindows();
            interception.HookWindow(probe.get());
            interception.WatchMessage(probe.get(), wm::CHAR, MessageInterception::BOTH);
        }
    };
    SendKey(Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(log, (QStringList{QStringLiteral("before 258 97 1"), QStringLiteral("own key")}));
    log.clear();
    onCall = nullptr;
    SendKey(Qt::Key_C, QStringLiteral("c")); // the new interception works
    EXPECT_EQ(log, (QStringList{QStringLiteral("before 258 99 1"), QStringLiteral("own key"),
                                QStringLiteral("after 258 99 1")}));
}

TEST_F(MessageInterceptionTest, TablesListEachMessageOnce) {
    interception.HookWindow(probe.get());
    EXPECT_TRUE(interception.WatchMessage(probe.get(), wm::CHAR, MessageInterception::BEFORE));
    EXPECT_TRUE(interception.WatchMessage(probe.get(), wm::CHAR, MessageInterception::BEFORE));
    SendKey(Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(log.count(QStringLiteral("before 258 97 1")), 1);
}

TEST_F(MessageInterceptionTest, SlotsAreReusedFromTheHighestIndex) {
    QStringList otherLog;
    ProbeWindow second(otherLog);
    ProbeWindow third(otherLog);
    EXPECT_EQ(interception.HookWindow(nullptr), -1);
    EXPECT_EQ(interception.HookWindow(probe.get()), 0);
    EXPECT_EQ(interception.HookWindow(&second), 1);
    EXPECT_EQ(interception.HookWindow(&third), 2);
    interception.UnhookWindow(&second);
    interception.UnhookWindow(probe.get());
    EXPECT_EQ(interception.UsedSlotCount(), 1);
    EXPECT_EQ(interception.HookWindow(&second), 1); // the highest free slot first
    EXPECT_EQ(interception.HookWindow(probe.get()), 0);
    EXPECT_EQ(interception.SlotCount(), 3);
    interception.UnhookAllWindows();
    EXPECT_EQ(interception.UsedSlotCount(), 0);
    EXPECT_FALSE(probe->IsIntercepted());
    EXPECT_FALSE(interception.WatchMessage(probe.get(), wm::CHAR, MessageInterception::AFTER));
}

TEST_F(MessageInterceptionTest, WindowDestroyedWhileInterceptedFreesItsSlot) {
    interception.HookWindow(probe.get());
    interception.WatchMessage(probe.get(), MessageInterception::EVERY_MESSAGE,
                              MessageInterception::BOTH);
    probe.reset();
    EXPECT_EQ(interception.UsedSlotCount(), 0);
    interception.UnhookAllWindows(); // nothing left to touch
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(MessageInterceptionTest, WindowDestroyedInsideItsOwnMessageIsLeftAlone) {
    interception.HookWindow(probe.get());
    interception.WatchMessage(probe.get(), MessageInterception::EVERY_MESSAGE,
                              MessageInterception::BOTH);
    // The key-down callback destroys the window: neither its character message nor its own
    // handling follows, and nothing of the window is touched again.
    onCall = [this](bool before, bool&, std::uint32_t message) {
        if (before && message == wm::KEYDOWN) {
            probe.reset();
        }
    };
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QWidget* window = probe.get();
    QCoreApplication::sendEvent(window, &press);
    EXPECT_EQ(probe, nullptr);
    EXPECT_EQ(log, QStringList{QStringLiteral("before 256 65 1")});
    EXPECT_EQ(interception.UsedSlotCount(), 0);
}

TEST_F(MessageInterceptionTest, DeferredDeleteOfAnInterceptedWindow) {
    interception.HookWindow(probe.get());
    interception.WatchMessage(probe.get(), MessageInterception::EVERY_MESSAGE,
                              MessageInterception::BOTH);
    // The deferred delete event itself passes through the window's interception.
    probe.release()->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(interception.UsedSlotCount(), 0);
    EXPECT_TRUE(log.isEmpty());
}

} // namespace
} // namespace moonleaf
