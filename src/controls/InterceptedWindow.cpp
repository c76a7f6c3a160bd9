// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/InterceptedWindow.h"

#include "controls/InputCodes.h"
#include "controls/MessageInterception.h"
#include "controls/WindowMessages.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QVarLengthArray>
#include <QWheelEvent>

#include <cmath>

namespace moonleaf {
namespace {

struct Message {
    std::uint32_t Number;
    std::int32_t WParam;
    std::int32_t LParam;
};

using Messages = QVarLengthArray<Message, 4>;

std::int32_t PackPoint(int x, int y) {
    return static_cast<std::int32_t>(((static_cast<std::uint32_t>(y) & 0xFFFFU) << 16) |
                                     (static_cast<std::uint32_t>(x) & 0xFFFFU));
}

std::int32_t ClientPoint(const QPointF& position, QPoint clientOrigin) {
    return PackPoint(static_cast<int>(std::floor(position.x())) - clientOrigin.x(),
                     static_cast<int>(std::floor(position.y())) - clientOrigin.y());
}

// Message numbers of the three mouse buttons, in the order down, up, double-click.
std::uint32_t ButtonMessage(Qt::MouseButton button, int which) {
    switch (button) {
    case Qt::LeftButton:
        return wm::LBUTTONDOWN + static_cast<std::uint32_t>(which);
    case Qt::RightButton:
        return wm::RBUTTONDOWN + static_cast<std::uint32_t>(which);
    case Qt::MiddleButton:
        return wm::MBUTTONDOWN + static_cast<std::uint32_t>(which);
    default:
        return 0;
    }
}

// The second parameter of a key message: repeat count 1, the scan code, bit 30 when the
// key was down before, bit 31 on release.
std::int32_t KeyLParam(const QKeyEvent& key, bool release) {
    std::uint32_t value = 1U | ((key.nativeScanCode() & 0xFFU) << 16);
    if (release || key.isAutoRepeat()) {
        value |= 1U << 30;
    }
    if (release) {
        value |= 1U << 31;
    }
    return static_cast<std::int32_t>(value);
}

// The window messages `event` stands for, in the order the window would receive them. A
// key that types characters is a key-down message followed by one character message per
// character; the event itself is processed with the last message.
Messages Translate(QEvent& event, unsigned parts, QPoint clientOrigin) {
    Messages out;
    switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        if ((parts & InterceptedWindow::KEYBOARD) == 0) {
            break;
        }
        const auto& key = static_cast<const QKeyEvent&>(event);
        const std::int32_t code = VirtualKeyCode(key);
        if (event.type() == QEvent::KeyRelease) {
            // A held key repeats its key-down and character messages; it is released once.
            if (!key.isAutoRepeat()) {
                out.append({wm::KEYUP, code, KeyLParam(key, true)});
            }
            break;
        }
        out.append({wm::KEYDOWN, code, KeyLParam(key, false)});
        const QString typed = TypedCharacters(key);
        for (const QChar ch : typed) {
            out.append({wm::CHAR, ch.unicode(), KeyLParam(key, false)});
        }
        break;
    }
    case QEvent::InputMethod: {
        // Text committed by an input method arrives as characters, as typing gives them.
        if ((parts & InterceptedWindow::KEYBOARD) == 0) {
            break;
        }
        const auto& input = static_cast<const QInputMethodEvent&>(event);
        for (const QChar ch : input.commitString()) {
            out.append({wm::CHAR, ch.unicode(), 1});
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        if ((parts & InterceptedWindow::MOUSE) == 0) {
            break;
        }
        const auto& mouse = static_cast<const QMouseEvent&>(event);
        const std::int32_t flags = MouseKeyFlags(mouse.buttons(), mouse.modifiers());
        const std::int32_t point = ClientPoint(mouse.position(), clientOrigin);
        std::uint32_t number = wm::MOUSEMOVE;
        if (event.type() == QEvent::MouseButtonPress) {
            number = ButtonMessage(mouse.button(), 0);
        } else if (event.type() == QEvent::MouseButtonRelease) {
            number = ButtonMessage(mouse.button(), 1);
        } else if (event.type() == QEvent::MouseButtonDblClick) {
            number = ButtonMessage(mouse.button(), 2);
        }
        if (number != 0) {
            out.append({number, flags, point});
        }
        break;
    }
    case QEvent::Wheel: {
        if ((parts & InterceptedWindow::MOUSE) == 0) {
            break;
        }
        const auto& wheel = static_cast<const QWheelEvent&>(event);
        const auto delta = static_cast<std::uint32_t>(wheel.angleDelta().y()) & 0xFFFFU;
        const auto flags =
            static_cast<std::uint32_t>(MouseKeyFlags(wheel.buttons(), wheel.modifiers()));
        const QPointF global = wheel.globalPosition();
        out.append({wm::MOUSEWHEEL, static_cast<std::int32_t>((delta << 16) | flags),
                    PackPoint(static_cast<int>(global.x()), static_cast<int>(global.y()))});
        break;
    }
    case QEvent::Leave:
        if ((parts & InterceptedWindow::MOUSE_LEAVE) != 0) {
            out.append({wm::MOUSELEAVE, 0, 0});
        }
        break;
    case QEvent::FocusIn:
        if ((parts & InterceptedWindow::FOCUS) != 0) {
            out.append({wm::SETFOCUS, 0, 0});
        }
        break;
    case QEvent::FocusOut:
        if ((parts & InterceptedWindow::FOCUS) != 0) {
            out.append({wm::KILLFOCUS, 0, 0});
        }
        break;
    case QEvent::Resize:
        if ((parts & InterceptedWindow::OTHER) != 0) {
            const QSize size = static_cast<const QResizeEvent&>(event).size();
            out.append({wm::SIZE, 0, PackPoint(size.width(), size.height())});
        }
        break;
    case QEvent::Paint:
        if ((parts & InterceptedWindow::OTHER) != 0) {
            out.append({wm::PAINT, 0, 0});
        }
        break;
    default:
        break;
    }
    return out;
}

// Counts one level of event processing of a window for as long as the window lives. The
// event may end the window itself (a deferred delete, or a handler that destroys it), and
// then nothing of it may be touched afterwards.
class DispatchDepth {
public:
    DispatchDepth(QWidget* widget, int& depth) : widget_(widget), depth_(depth) { ++depth_; }
    DispatchDepth(const DispatchDepth&) = delete;
    DispatchDepth& operator=(const DispatchDepth&) = delete;
    ~DispatchDepth() {
        if (WindowAlive()) {
            --depth_;
        }
    }

    bool WindowAlive() const { return !widget_.isNull(); }

private:
    QPointer<QWidget> widget_;
    int& depth_;
};

} // namespace

InterceptedWindow::~InterceptedWindow() {
    if (record_ != nullptr) {
        // The window goes while intercepted: its record calls back no more and its slot
        // becomes free.
        record_->AfterCount = 0;
        record_->BeforeCount = 0;
        record_->Target = nullptr;
        record_->Window = nullptr;
    }
}

bool InterceptedWindow::InterceptEvent(QEvent* event, unsigned parts, QPoint clientOrigin,
                                       const std::function<bool()>& ownHandling) {
    const DispatchDepth dispatching(Widget(), depth_);
    if (record_ == nullptr) {
        return ownHandling();
    }
    const Messages messages = Translate(*event, parts, clientOrigin);
    if (messages.isEmpty()) {
        return ownHandling();
    }
    bool result = true;
    for (qsizetype i = 0; i < messages.size(); ++i) {
        if (!dispatching.WindowAlive()) {
            // A callback or the window's own handling destroyed the window: the messages
            // left have no window to go to.
            break;
        }
        const Message& message = messages[i];
        const bool carriesEvent = i + 1 == messages.size();
        // The record as it is when this message arrives. A callback may remove the
        // interception (and install a new one); this message keeps the record it began with,
        // whose counts then are 0.
        const std::shared_ptr<InterceptionRecord> record = record_;
        if (record == nullptr) {
            if (carriesEvent) {
                result = ownHandling();
            }
            continue;
        }
        bool handled = false;
        std::int32_t messageResult = 0;
        if (record->Wants(true, message.Number)) {
            record->Owner->Dispatch(*record, true, handled, messageResult, message.Number,
                                    message.WParam, message.LParam);
        }
        if (!dispatching.WindowAlive()) {
            break;
        }
        if (handled) {
            if (carriesEvent) {
                event->accept();
                result = true;
            }
            continue;
        }
        if (carriesEvent) {
            result = ownHandling();
            messageResult = result ? 1 : 0;
        }
        if (record->Wants(false, message.Number)) {
            record->Owner->Dispatch(*record, false, handled, messageResult, message.Number,
                                    message.WParam, message.LParam);
        }
    }
    return result;
}

} // namespace moonleaf
