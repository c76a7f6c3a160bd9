// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/MessageInterception.h"

#include "controls/InterceptedWindow.h"

#include <algorithm>

namespace moonleaf {
namespace {

// Adds `message` to `table` as WatchMessage does: an existing entry is kept, a free (0)
// entry is reused, otherwise the table grows by one. Returns the new count.
std::int32_t AddToTable(std::vector<std::uint32_t>& table, std::uint32_t message) {
    if (std::find(table.begin(), table.end(), message) == table.end()) {
        const auto freeEntry = std::find(table.begin(), table.end(), 0U);
        if (freeEntry != table.end()) {
            *freeEntry = message;
        } else {
            table.push_back(message);
        }
    }
    return static_cast<std::int32_t>(table.size());
}

} // namespace

bool InterceptionRecord::Wants(bool before, std::uint32_t message) const {
    const std::int32_t count = before ? BeforeCount : AfterCount;
    if (count == 0) {
        return false;
    }
    if (count < 0) {
        return true;
    }
    const std::vector<std::uint32_t>& table = before ? BeforeTable : AfterTable;
    const auto end = table.begin() + std::min<std::ptrdiff_t>(count, std::ssize(table));
    return std::find(table.begin(), end, message) != end;
}

MessageInterception::MessageInterception(Callback callback) : callback_(std::move(callback)) {}

MessageInterception::~MessageInterception() {
    UnhookAllWindows();
}

void MessageInterception::Dispatch(const InterceptionRecord& record, bool before, bool& handled,
                                   std::int32_t& result, std::uint32_t message, std::int32_t wParam,
                                   std::int32_t lParam) const {
    QWidget* window = record.Window;
    if (callback_) {
        callback_(before, handled, result, window, message, wParam, lParam);
    }
}

int MessageInterception::SlotOf(const InterceptedWindow* window) const {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i] != nullptr && slots_[i]->Target == window) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int MessageInterception::UsedSlotCount() const {
    return static_cast<int>(std::count_if(slots_.begin(), slots_.end(), [](const auto& slot) {
        return slot != nullptr && slot->Target != nullptr;
    }));
}

int MessageInterception::HookWindow(InterceptedWindow* window) {
    if (window == nullptr || window->Widget() == nullptr) {
        return -1;
    }
    if (window->record_ != nullptr) {
        if (MessageInterception* previous = window->record_->Owner) {
            previous->UnhookWindow(window);
        }
    }
    // A free slot from the highest index down, else a new one. A slot whose window was
    // destroyed while intercepted is free too.
    std::size_t slot = slots_.size();
    for (std::size_t i = slots_.size(); i-- > 0;) {
        if (slots_[i] == nullptr || slots_[i]->Target == nullptr) {
            slot = i;
            break;
        }
    }
    if (slot == slots_.size()) {
        slots_.emplace_back();
    }
    auto record = std::make_shared<InterceptionRecord>();
    record->Window = window->Widget();
    record->Target = window;
    record->Owner = this;
    slots_[slot] = record;
    window->record_ = std::move(record);
    return static_cast<int>(slot);
}

bool MessageInterception::WatchMessage(InterceptedWindow* window, std::int64_t message, int when) {
    const int slot = SlotOf(window);
    if (slot < 0) {
        return false;
    }
    InterceptionRecord& record = *slots_[static_cast<std::size_t>(slot)];
    const bool after = (when & AFTER) != 0;
    const bool before = (when & BEFORE) != 0;
    if (message == EVERY_MESSAGE) {
        if (after) {
            record.AfterCount = -1;
        }
        if (before) {
            record.BeforeCount = -1;
        }
        return true;
    }
    const auto number = static_cast<std::uint32_t>(message);
    if (after && record.AfterCount >= 0) {
        record.AfterCount = AddToTable(record.AfterTable, number);
    }
    if (before && record.BeforeCount >= 0) {
        record.BeforeCount = AddToTable(record.BeforeTable, number);
    }
    return true;
}

void MessageInterception::Release(std::size_t slot) {
    std::shared_ptr<InterceptionRecord> record = std::move(slots_[slot]);
    slots_[slot] = nullptr;
    if (record == nullptr) {
        return;
    }
    // A message of this window still in progress holds `record`; with both counts at 0 it
    // calls back no more.
    record->AfterCount = 0;
    record->BeforeCount = 0;
    record->AfterTable.clear();
    record->BeforeTable.clear();
    if (record->Target != nullptr && record->Target->record_ == record) {
        record->Target->record_ = nullptr;
    }
    record->Target = nullptr;
    record->Window = nullptr;
}

void MessageInterception::UnhookWindow(InterceptedWindow* window) {
    const int slot = SlotOf(window);
    if (slot >= 0) {
        Release(static_cast<std::size_t>(slot));
    }
}

void MessageInterception::UnhookAllWindows() {
    for (std::size_t i = slots_.size(); i-- > 0;) {
        Release(i);
    }
}

} // namespace moonleaf
