// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace moonleaf {

class InterceptedWindow;
class MessageInterception;

// The interception of one window: which messages get a callback before the window's own
// handling and which after it. A count of -1 means every message, 0 none; otherwise the
// first `count` entries of the table are watched (an entry 0 is a free place).
struct InterceptionRecord {
    QPointer<QWidget> Window;             // null once the interception was removed
    InterceptedWindow* Target = nullptr;  // the intercepted window, null once removed
    MessageInterception* Owner = nullptr; // whose callback runs
    std::int32_t AfterCount = 0;
    std::int32_t BeforeCount = 0;
    std::vector<std::uint32_t> AfterTable;
    std::vector<std::uint32_t> BeforeTable;

    bool Wants(bool before, std::uint32_t message) const;
};

// The message interception a control keeps for the windows it watches (the text box: its own
// window and its edit window). Each hooked window has a record in a slot of a growable array;
// removing an interception frees the slot for the next HookWindow.
//
// Removal is safe from inside a callback of the same window: the message being processed
// holds its record until its processing has returned, and a removed record's counts are 0,
// so no callback of any later phase of that message runs.
class MessageInterception {
public:
    // zSubclass_Text_Proc's parameters: the phase (True before the window's own handling),
    // whether the message counts as handled, the message result, and the message as the
    // window received it. The message fields are copies: a change reaches nobody.
    using Callback =
        std::function<void(bool bBefore, bool& bHandled, std::int32_t& lReturn, QWidget*& lng_hWnd,
                           std::uint32_t& uMsg, std::int32_t& wParam, std::int32_t& lParam)>;

    // Phases for WatchMessage.
    enum When : int { AFTER = 1, BEFORE = 2, BOTH = 3 };
    static constexpr std::int64_t EVERY_MESSAGE = -1;

    explicit MessageInterception(Callback callback);
    MessageInterception(const MessageInterception&) = delete;
    MessageInterception& operator=(const MessageInterception&) = delete;
    ~MessageInterception();

    // Installs the interception on `window` in a free slot (searching from the highest
    // index) or a new one, and returns the slot index; -1 when there is no window. A window
    // already intercepted loses its earlier interception first.
    int HookWindow(InterceptedWindow* window);

    // Adds `message` (or EVERY_MESSAGE) to the before and/or after table of a hooked window.
    // A message already listed is not listed twice. False when `window` is not hooked here.
    bool WatchMessage(InterceptedWindow* window, std::int64_t message, int when);

    // Removes the interception of `window`: both counts become 0, the slot is freed and the
    // tables emptied. Nothing happens for a window not hooked here.
    void UnhookWindow(InterceptedWindow* window);

    // UnhookWindow for every used slot, from the highest index down.
    void UnhookAllWindows();

    int SlotCount() const { return static_cast<int>(slots_.size()); }
    int UsedSlotCount() const;

private:
    friend class InterceptedWindow;

    // Calls the callback for one phase of one message of `record`'s window, with copies of
    // the message fields.
    void Dispatch(const InterceptionRecord& record, bool before, bool& handled,
                  std::int32_t& result, std::uint32_t message, std::int32_t wParam,
                  std::int32_t lParam) const;
    int SlotOf(const InterceptedWindow* window) const;
    void Release(std::size_t slot);

    Callback callback_;
    std::vector<std::shared_ptr<InterceptionRecord>> slots_;
};

} // namespace moonleaf
