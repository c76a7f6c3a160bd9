// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Utf.h"

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

TEST(Utf8ToUtf16, AcceptsWellFormedText) {
    EXPECT_EQ(Utf8ToUtf16("Tết"), std::u16string(u"Tết"));
    EXPECT_EQ(Utf8ToUtf16(""), std::u16string());
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x8C\x95"), std::u16string(u"\U0001F315"));
}

TEST(Utf8ToUtf16, RejectsMalformedText) {
    EXPECT_FALSE(Utf8ToUtf16("\xC3"));             // cut off
    EXPECT_FALSE(Utf8ToUtf16("a\xE1\xBA"));        // cut off
    EXPECT_FALSE(Utf8ToUtf16("\xC0\xAF"));         // overlong
    EXPECT_FALSE(Utf8ToUtf16("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(Utf8ToUtf16("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(Utf8ToUtf16("\x80"));             // lone continuation
    EXPECT_FALSE(Utf8ToUtf16("\xFF"));
    EXPECT_FALSE(Utf8ToUtf16("\xE1\x41\x41")); // continuation expected
}

TEST(Utf16ToUtf8, RoundTripsAndReplacesLoneSurrogates) {
    const std::u16string text = u"Đông chí (5) \U0001F315";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");
    std::string out = "x";
    AppendUtf8(out, u"ấ");
    EXPECT_EQ(out, "xấ");
}

} // namespace
} // namespace moonleaf
