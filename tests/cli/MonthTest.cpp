// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/MonthGrid.h"
#include "engine/Holidays.h"

#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwchar>

namespace moonleaf::cli {
namespace {

using namespace testing_support;

// Columns a terminal gives a UTF-8 line, by the C library's wcwidth in a UTF-8 locale, with
// ANSI colour sequences taking none. -1 when a character has no width (a control).
int DisplayWidth(const std::string& line) {
    if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) {
        ADD_FAILURE() << "the C.UTF-8 locale is missing";
        return -1;
    }
    std::mbstate_t state{};
    int width = 0;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == '\x1b') {
            i = line.find('m', i) + 1;
            continue;
        }
        wchar_t c = 0;
        const std::size_t used = std::mbrtowc(&c, line.data() + i, line.size() - i, &state);
        if (used == 0 || used > line.size() - i) {
            return -1;
        }
        const int w = wcwidth(c);
        if (w < 0) {
            return -1;
        }
        width += w;
        i += used;
    }
    return width;
}

// The lines of the grid part of a month's text: those before the first empty line.
std::vector<std::string> GridPart(const std::string& text) {
    std::vector<std::string> grid;
    for (const std::string& line : Lines(text)) {
        if (line.empty()) {
            break;
        }
        grid.push_back(line);
    }
    return grid;
}

class MonthGridTest : public ::testing::Test {
protected:
    void SetUp() override { InitHolidays(); }
};

// The lunar days, holidays and marks were read off `moonleaf-cli table 2026-03-01
// 2026-03-31`: 1 March is lunar 13/1, 3 March lunar 15/1 (Tết Nguyên Tiêu), 19 March 1/2.
TEST(Month, GridOfMarch2026) {
    const Result r = RunCli({"month", "2026-03"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "            Tháng ba năm 2026             \n"
                     "   Tháng giêng - tháng hai năm Bính Ngọ   \n"
                     "   T2    T3    T4    T5    T6    T7    CN \n"
                     "                                        1 \n"
                     "                                       13 \n"
                     "                                          \n"
                     "    2     3*    4     5     6     7     8*\n"
                     "   14    15+   16    17    18    19    20 \n"
                     "                                          \n"
                     "    9    10    11    12    13    14    15*\n"
                     "   21    22    23    24    25    26    27 \n"
                     "                                          \n"
                     "   16    17    18    19    20    21    22*\n"
                     "   28    29    30   1/2+    2     3     4 \n"
                     "                                          \n"
                     "   23*   24*   25    26*   27*   28    29 \n"
                     "    5     6     7     8     9    10    11 \n"
                     "                                          \n"
                     "   30    31                               \n"
                     "   12    13                               \n"
                     "\n"
                     "  3/3  Tết Nguyên Tiêu (âm lịch 15/1)\n"
                     "  8/3  Ngày Quốc tế Phụ nữ\n"
                     " 15/3  Ngày Quốc tế quyền người tiêu dùng\n"
                     " 22/3  Ngày nước sạch thế giới\n"
                     " 23/3  Ngày khí tượng thế giới\n"
                     " 24/3  Ngày thế giới phòng chống bệnh lao\n"
                     " 26/3  Ngày thành lập Đoàn TNCS Hồ Chí Minh (1931)\n"
                     " 27/3  Ngày thể thao Việt Nam (1946)\n");
}

// 1 February 2026 is a Sunday. The title names every lunar month with a day in the
// Gregorian month, the year after the last month of each lunar year, broken between months
// when it is wider than the grid.
TEST(Month, SundayFirstAndATitleOverTwoLunarYears) {
    const auto lines = Lines(RunCli({"month", "2026-02", "--sunday"}).out);
    ASSERT_GT(lines.size(), 6u);
    EXPECT_EQ(lines[0], "            Tháng hai năm 2026            ");
    EXPECT_EQ(lines[1], "          Tháng chạp năm Ất Tỵ -          ");
    EXPECT_EQ(lines[2], "         tháng giêng năm Bính Ngọ         ");
    EXPECT_EQ(lines[3], "   CN    T2    T3    T4    T5    T6    T7 ");
    EXPECT_EQ(lines[4], "    1     2     3*    4     5     6     7 ");
    EXPECT_EQ(lines[5], "   14    15+   16    17    18    19    20 ");
    EXPECT_EQ(Lines(RunCli({"month", "2026-02"}).out)[4],
              "                                        1 ");
}

// "n" follows the month of a leap month as the conversion decides it; the day record's own
// leap flag is wrong in December 2034 (it marks month 11) and September 2052 (it misses 8).
TEST(Month, LeapMonthComesFromTheConversion) {
    const std::string march2023 = RunCli({"month", "2023-03"}).out;
    EXPECT_NE(march2023.find("Tháng hai - tháng hai nhuận năm Quý Mão"), std::string::npos);
    EXPECT_NE(march2023.find("   29    30  1/2n+    2 "), std::string::npos) << march2023;
    const std::string december2034 = RunCli({"month", "2034-12"}).out;
    EXPECT_NE(december2034.find(" 1/11+ "), std::string::npos) << december2034;
    EXPECT_EQ(december2034.find("nhuận"), std::string::npos);
    const std::string september2052 = RunCli({"month", "2052-09"}).out;
    EXPECT_NE(september2052.find(" 1/8n+ "), std::string::npos) << september2052;
    EXPECT_NE(september2052.find("tháng tám nhuận năm Nhâm Thân"), std::string::npos);
}

TEST(Month, CalendarSwitchLeavesOutTheLostDays) {
    const auto lines = Lines(RunCli({"month", "1582-10"}).out);
    ASSERT_GT(lines.size(), 5u);
    EXPECT_EQ(lines[3], "    1*    2     3     4*   15    16*   17 ");
    EXPECT_EQ(lines[4], "   15+   16    17    18    19    20    21 ");
}

TEST_F(MonthGridTest, EveryGridLineHasTheGridWidth) {
    // Long titles (two lunar years, a leap month), the calendar switch, both ends of the
    // range, both week starts, with and without colour.
    for (const auto& [year, month] : std::vector<std::pair<int, int>>{
             {2026, 2}, {2033, 12}, {2023, 3}, {1582, 10}, {1, 1}, {9999, 12}, {2021, 2}}) {
        const MonthData data = ComposeMonth(year, month);
        for (const WeekStart start : {WeekStart::Monday, WeekStart::Sunday}) {
            for (const bool color : {false, true}) {
                const auto lines = MonthGridLines(data, {start, color});
                EXPECT_GT(lines.size(), 10u);
                for (const std::string& line : lines) {
                    EXPECT_EQ(DisplayWidth(line), static_cast<int>(GRID_WIDTH))
                        << year << "-" << month << " color " << color << ": '" << line << "'";
                }
            }
        }
    }
}

TEST(Month, ThreeMonthsSideBySideOnlyWhenTheTerminalIsWideEnough) {
    Surroundings wide;
    wide.columns = THREE_MONTHS_WIDTH;
    const Result side = RunIn({"month", "2026-01", "-3"}, wide);
    ASSERT_EQ(side.code, 0);
    const auto grid = GridPart(side.out);
    ASSERT_GT(grid.size(), 10u);
    EXPECT_NE(grid[0].find("Tháng mười hai năm 2025"), std::string::npos);
    EXPECT_NE(grid[0].find("Tháng một năm 2026"), std::string::npos);
    EXPECT_NE(grid[0].find("Tháng hai năm 2026"), std::string::npos);
    for (const std::string& line : grid) {
        EXPECT_EQ(DisplayWidth(line), static_cast<int>(THREE_MONTHS_WIDTH)) << line;
    }

    Surroundings narrow;
    narrow.columns = THREE_MONTHS_WIDTH - 1;
    const Result stacked = RunIn({"month", "2026-01", "-3"}, narrow);
    EXPECT_EQ(stacked.out, RunCli({"month", "2025-12"}).out + "\n" +
                               RunCli({"month", "2026-01"}).out + "\n" +
                               RunCli({"month", "2026-02"}).out);
    EXPECT_EQ(RunCli({"month", "2026-01", "--three"}).out, stacked.out); // width unknown
}

TEST(Month, ColourOnlyWhenAskedForOrOnATerminal) {
    Surroundings terminal;
    terminal.color = true;
    const Result colored = RunIn({"month", "2026-03"}, terminal);
    EXPECT_NE(colored.out.find("\x1b[31m8\x1b[0m "), std::string::npos) << colored.out;
    EXPECT_NE(colored.out.find("\x1b[1;34m1/2\x1b[0m "), std::string::npos);
    // The colours replace the text marks; the grid keeps its width.
    for (const std::string& line : GridPart(colored.out)) {
        EXPECT_EQ(line.find_first_of("*+"), std::string::npos) << line;
    }
    EXPECT_EQ(RunIn({"month", "2026-03", "--color=never"}, terminal).out,
              RunCli({"month", "2026-03"}).out);
    EXPECT_EQ(RunCli({"month", "2026-03", "--color", "always"}).out, colored.out);
    EXPECT_EQ(RunCli({"month", "2026-03"}).out.find('\x1b'), std::string::npos);
    ExpectUsageError(RunCli({"month", "--color=red"}), "--color");
}

TEST(Month, BadMonths) {
    ExpectUsageError(RunCli({"month", "2026-3"}), "use YYYY-MM, e.g. 2026-03");
    ExpectUsageError(RunCli({"month", "2026-13"}), "month 13 in '2026-13' is not in 01..12");
    ExpectUsageError(RunCli({"month", "0000-05"}), "outside the supported range 1..9999");
    ExpectUsageError(RunCli({"month", "0001-01", "-3"}), "from 0001-02 to 9999-11");
    ExpectUsageError(RunCli({"month", "9999-12", "-3"}), "from 0001-02 to 9999-11");
    EXPECT_EQ(RunCli({"month", "0001-02", "-3"}).code, 0);
    ExpectUsageError(RunCli({"month", "2026-01", "2026-02"}), "2026-02");
    EXPECT_NE(RunCli({"month", "--help"}).out.find("'*' follows the day number of a holiday"),
              std::string::npos);
}

} // namespace
} // namespace moonleaf::cli
