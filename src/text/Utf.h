// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace moonleaf {

// UTF-8 to UTF-16; std::nullopt when `utf8` is not well-formed UTF-8 (overlong forms,
// surrogate code points, values above U+10FFFF and truncated sequences are all rejected).
std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8);

// UTF-16 to UTF-8. An unpaired surrogate becomes U+FFFD, so the output is always valid.
std::string Utf16ToUtf8(std::u16string_view utf16);

// Appends the UTF-8 form of `utf16` to `out` (unpaired surrogates become U+FFFD).
void AppendUtf8(std::string& out, std::u16string_view utf16);

// ASCII text (the VNI literals of the engine) widened to UTF-16.
std::u16string AsciiToUtf16(std::string_view ascii);

} // namespace moonleaf
