// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

class QWidget;

namespace moonleaf {

// The program's message box. `text` and `title` are VNI text: `text` is converted to
// Unicode in place (the caller's variable holds the Unicode text afterwards, whether or not
// the box could be shown), `title` on a copy. `style` holds the usual message-box flags (see
// MsgBoxDialog); the standard buttons read Đóng, Có, Không, Thử lại and Thoát, in the
// message-box font, while Abort and Ignore keep the system's captions. The box is modal to
// `owner`'s window, or to the whole program without an owner.
//
// Returns the code of the button that closed the box (1 OK ... 7 No), or 0 when the box
// cannot be shown (no application object, or a button set the box does not have).
int UniMsgBox(std::u16string& text, std::uint32_t style, std::u16string title, QWidget* owner);

// What a box answered by the test hook would have shown.
struct AnsweredMessage {
    QString Text;  // converted
    QString Title; // converted
    std::uint32_t Style = 0;
};

// The test hook: the next UniMsgBox call shows no box and returns `code` at once; what it
// would have shown is kept for TakeAnsweredMessage. One call of the hook answers one box.
void SetNextUniMsgBoxAnswer(int code);
// The box the hook answered last, forgotten as it is taken; no value when none was.
std::optional<AnsweredMessage> TakeAnsweredMessage();

} // namespace moonleaf
