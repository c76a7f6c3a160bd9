// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/InfoTexts.h"

#include "text/Utf.h"
#include "text/VniToUnicode.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace moonleaf {
namespace {

std::vector<std::string> Lines(std::u16string vni) {
    const std::string text = Utf16ToUtf8(VniToUnicode(vni));
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 2;
    }
    return lines;
}

// No VNI mark is left over after a vowel (or d) once the text is converted.
bool FullyConverted(const std::vector<std::string>& lines) {
    const std::string marked = "aeiouyAEIOUYd";
    for (const std::string& line : lines) {
        for (std::size_t i = 1; i < line.size(); ++i) {
            if (line[i] >= '1' && line[i] <= '9' && marked.find(line[i - 1]) != std::string::npos) {
                ADD_FAILURE() << line;
                return false;
            }
        }
    }
    return true;
}

TEST(InfoTexts, AboutHasItsThirteenLinesInOrder) {
    const auto lines = Lines(AboutText(1, 1));
    ASSERT_EQ(lines.size(), 13U); // the 13th is empty: the text ends with CR LF
    EXPECT_EQ(lines[0], "Tiện ích : Moonleaf");
    EXPECT_EQ(lines[1], "Phiên bản : 1.1");
    EXPECT_EQ(lines[2], "Chức năng : Âm lịch Việt Nam");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[9], "");
    EXPECT_EQ(lines[10], "");
    EXPECT_EQ(lines[12], "");
    EXPECT_NE(lines[11].find("GNU GPL"), std::string::npos);
    EXPECT_TRUE(FullyConverted(lines));
    EXPECT_EQ(Lines(AboutCaption())[0], "Thông tin về Moonleaf!");
    EXPECT_EQ(Lines(AboutText(0, 12))[1], "Phiên bản : 0.12");
}

TEST(InfoTexts, HelpHasItsLinesInOrder) {
    const auto lines = Lines(HelpText(true));
    ASSERT_EQ(lines.size(), 20U);
    EXPECT_EQ(lines[0], "» Nút chỉ qua trái: ");
    EXPECT_EQ(lines[2], "   Ctrl+ Click: Tuần trước.");
    EXPECT_EQ(lines[4], "   Ctrl+Shift+Click: Năm trước.");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6], "» Nút chỉ qua phải: ");
    EXPECT_EQ(lines[9], "   Ctrl+Alt+Click: Tháng sau.");
    EXPECT_EQ(lines[12], "» Nút hình tròn: Ngày hiện tại.");
    EXPECT_EQ(lines[14], "» Các phím tắt: ");
    EXPECT_EQ(lines[15], "   F9: Hiện lịch (Nếu đang ẩn).");
    EXPECT_EQ(lines[16], "   F10: Ẩn lịch (Nếu đang hiện).");
    EXPECT_EQ(lines[17], "   F11: Thoát khỏi chương trình.");
    EXPECT_EQ(lines[18], "");
    EXPECT_EQ(lines[19], Lines(AboutText(1, 1))[11]); // the rights notice, no CR LF after it
    EXPECT_TRUE(FullyConverted(lines));
    EXPECT_EQ(Lines(HelpCaption())[0], "Moonleaf - Hướng dẫn!");
}

TEST(InfoTexts, WithoutSystemWideKeysTheHelpNamesTheCommands) {
    const auto lines = Lines(HelpText(false));
    ASSERT_EQ(lines.size(), 21U);
    EXPECT_EQ(lines[17], "   F11: Thoát khỏi chương trình.");
    EXPECT_NE(lines[18].find("moonleaf --show"), std::string::npos);
    EXPECT_NE(lines[18].find("moonleaf --quit"), std::string::npos);
    EXPECT_TRUE(FullyConverted(lines));
}

} // namespace
} // namespace moonleaf
