// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace moonleaf {

// The texts of the information and help messages, in VNI notation as the message box takes
// them; lines are joined by CR LF.

// The program's title in the messages.
inline constexpr const char16_t* PROGRAM_TITLE = u"Moonleaf";

// The About message for version major.minor; it ends with CR LF.
std::u16string AboutText(int major, int minor);
// "Thông tin về Moonleaf!"
std::u16string AboutCaption();

// The usage help. Where the desktop does not report F9, F10 and F11 to the calendar
// (`globalKeys` false), one more line names the commands that do their work.
std::u16string HelpText(bool globalKeys);
// "Moonleaf - Hướng dẫn!"
std::u16string HelpCaption();

} // namespace moonleaf
