// SPDX-License-Identifier: GPL-3.0-or-later
// The built quotation resource, read the way the calendar reads it: UTF-16LE after the
// byte-order mark, lines split at CR LF, the list closed by U+0000.
#include "text/Utf.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace moonleaf {
namespace {

std::string ReadBytes(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::u16string DecodeUtf16Le(const std::string& bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[i]);
        const auto hi = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
    return text;
}

class QuotationResource : public testing::Test {
protected:
    void SetUp() override {
        bytes_ = ReadBytes(MOONLEAF_QUOTATIONS_RESOURCE);
        ASSERT_GT(bytes_.size(), 2u);
        text_ = DecodeUtf16Le(bytes_.substr(2));
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = text_.find(u"\r\n", start);
            if (end == std::u16string::npos) {
                lines_.push_back(text_.substr(start));
                break;
            }
            lines_.push_back(text_.substr(start, end - start));
            start = end + 2;
        }
    }
    std::string bytes_;
    std::u16string text_;
    std::vector<std::u16string> lines_;
};

TEST_F(QuotationResource, ByteOrderMarkAndEvenLength) {
    EXPECT_EQ(static_cast<unsigned char>(bytes_[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(bytes_[1]), 0xFE);
    EXPECT_EQ(bytes_.size() % 2, 0u);
}

TEST_F(QuotationResource, LinesEndInCrLfAndTheListInNul) {
    ASSERT_EQ(lines_.size(), 2359u);
    ASSERT_FALSE(lines_.back().empty());
    EXPECT_EQ(lines_.back().back(), u'\0');
    lines_.back().pop_back();
    EXPECT_NE(lines_.back().back(), u'\n');
    for (const std::u16string& line : lines_) {
        EXPECT_EQ(line.find_first_of(u"\r\n"), std::u16string::npos);
        EXPECT_EQ(line.find(u'\0'), std::u16string::npos);
    }
}

TEST_F(QuotationResource, EveryLineIsAQuotationOfTheAllowedLength) {
    lines_.back().pop_back(); // the closing U+0000
    std::set<std::u16string> distinct;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::u16string& line = lines_[i];
        EXPECT_GE(line.size(), 26u) << "line " << i + 1;
        EXPECT_LE(line.size(), 182u) << "line " << i + 1;
        EXPECT_TRUE(distinct.insert(line).second) << "line " << i + 1;
        // Round trip through UTF-8: no lone surrogate hides in the list.
        EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(line)), line) << "line " << i + 1;
    }
}

} // namespace
} // namespace moonleaf
