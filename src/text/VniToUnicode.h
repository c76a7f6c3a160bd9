// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace moonleaf {

// Converts a text in VNI keystroke notation ("Tha1ng gie6ng") to precomposed Unicode
// ("Tháng giêng"). A digit 1..9 right after a letter it applies to is merged with that
// letter; everything else stays as it is. The text is scanned twice, so a shape mark and a
// following tone mark ("a61") both reach the letter. Positions count UTF-16 code units.
//
// The result is written back into `text` and also returned; callers that must keep the VNI
// form pass a copy.
std::u16string VniToUnicode(std::u16string& text);

// The letter that `letter` followed by the VNI digit `digit` becomes, or 0 when that digit
// does not apply to that letter.
char16_t VniCompose(char16_t letter, char16_t digit);

} // namespace moonleaf
