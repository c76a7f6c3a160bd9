// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/VniToUnicode.h"

#include <gtest/gtest.h>

#include <random>

namespace moonleaf {
namespace {

std::u16string Convert(std::u16string text) {
    return VniToUnicode(text);
}

// The conversion written as the notation describes it, position by position: two passes,
// the bound read once per pass, a merged pair shortening the text in place.
std::u16string ReferenceConvert(std::u16string text) {
    for (int pass = 0; pass < 2; ++pass) {
        const std::size_t n = text.size();
        for (std::size_t j = 2; j <= n; ++j) {
            if (j > text.size()) {
                continue;
            }
            const char16_t merged = VniCompose(text[j - 2], text[j - 1]);
            if (merged != 0) {
                text = text.substr(0, j - 2) + merged + text.substr(j);
            }
        }
    }
    return text;
}

TEST(VniToUnicode, Words) {
    EXPECT_EQ(Convert(u"Nguye64n"), u"Nguyễn");
    EXPECT_EQ(Convert(u"ngu7o72i"), u"người");
    EXPECT_EQ(Convert(u"D9a1n"), u"Đán");
    EXPECT_EQ(Convert(u"A61t"), u"Ất");
    EXPECT_EQ(Convert(u"Tha1ng gie6ng"), u"Tháng giêng");
    EXPECT_EQ(Convert(u"Su7o7ng gia1ng"), u"Sương giáng");
}

TEST(VniToUnicode, DigitsOutsideLettersSurvive) {
    EXPECT_EQ(Convert(u"Mo62ng 1"), u"Mồng 1");
    EXPECT_EQ(Convert(u"(1975)"), u"(1975)");
    EXPECT_EQ(Convert(u"x9"), u"x9");
    EXPECT_EQ(Convert(u"a0"), u"a0");
}

TEST(VniToUnicode, PassOrder) {
    EXPECT_EQ(Convert(u"a11"), u"á1");  // the second mark meets a toned vowel
    EXPECT_EQ(Convert(u"a1a1"), u"áá"); // both in the first pass
    EXPECT_EQ(Convert(u"a61"), u"ấ");   // shape then tone, over two passes
    EXPECT_EQ(Convert(u"o75"), u"ợ");
    EXPECT_EQ(Convert(u"a615"), u"ấ5"); // a third mark is never applied
    EXPECT_EQ(Convert(u"u7o7"), u"ươ"); // two shape marks in one pass
}

TEST(VniToUnicode, SingleLetters) {
    EXPECT_EQ(Convert(u"d9"), u"đ");
    EXPECT_EQ(Convert(u"D9"), u"Đ");
    EXPECT_EQ(Convert(u"y5"), std::u16string(1, char16_t{7925}));
    EXPECT_EQ(Convert(u"Y4"), std::u16string(1, char16_t{7928}));
    EXPECT_EQ(Convert(u""), u"");
    EXPECT_EQ(Convert(u"a"), u"a");
    EXPECT_EQ(Convert(u"1"), u"1");
}

TEST(VniToUnicode, OverwritesTheCallersText) {
    std::u16string text = u"Nga2y gia3i pho1ng Mie62n Nam, tho61ng nha61t d9a61t nu7o71c (1975) ";
    const std::u16string result = VniToUnicode(text);
    EXPECT_EQ(text, result);
    EXPECT_EQ(text, u"Ngày giải phóng Miền Nam, thống nhất đất nước (1975) ");
}

TEST(VniToUnicode, EveryToneOnEveryVowelIsItsPrecomposedLetter) {
    // Spot rows of the tone table across the shaped vowels.
    EXPECT_EQ(Convert(u"a81a82a83a84a85"), u"ắằẳẵặ");
    EXPECT_EQ(Convert(u"E61E62E63E64E65"), u"ẾỀỂỄỆ");
    EXPECT_EQ(Convert(u"U71U72U73U74U75"), u"ỨỪỬỮỰ");
    EXPECT_EQ(Convert(u"i1i2i3i4i5"), u"íìỉĩị");
    EXPECT_EQ(Convert(u"O71O72O73O74O75"), u"ỚỜỞỠỢ");
}

TEST(VniToUnicode, MatchesThePositionByPositionReadingOnRandomTexts) {
    const std::u16string alphabet = u"aAeEiIoOuUyYdDx 123456789âơư.";
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<std::size_t> length(0, 24);
    for (int i = 0; i < 20000; ++i) {
        std::u16string text;
        for (std::size_t n = length(random); n > 0; --n) {
            text.push_back(alphabet[pick(random)]);
        }
        ASSERT_EQ(Convert(text), ReferenceConvert(text));
    }
}

} // namespace
} // namespace moonleaf
