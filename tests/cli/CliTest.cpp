// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Cli.h"
#include "cli/DayFields.h"
#include "cli/IsoDate.h"

#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace moonleaf::cli {
namespace {

using namespace testing_support;

// Characters a terminal shows for a UTF-8 line: every byte that does not continue a sequence.
std::size_t Utf8Width(const std::string& line) {
    return static_cast<std::size_t>(std::count_if(line.begin(), line.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

const std::string HEADER =
    "date\tjdn\tweekday\tlunar_day\tlunar_month\tlunar_year\tis_leap\thas_leap\tleap_month\t"
    "leap_start\tleap_end\tmonth_days\tday_canchi\tday_branch\tmonth_canchi\tyear_canchi\t"
    "hour_canchi\tterm_name\tterm_start\tterm_start_lunar\tterm_label\tmonth_label\t"
    "moon_picture\tholiday\tday_color\tlunar_day_color\n";

TEST(Table, ExactLines) {
    const Result r = RunCli({"table", "2023-03-21", "2023-03-22"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              HEADER +
                  "2023-03-21\t2460025\tThứ ba\t30\t2\t2023\t0\t1\t2\t22/3/2023\t19/4/2023\t30\t"
                  "Mậu Dần\t2\tẤt Mão\tQuý Mão\tNhâm Tý\tXuân phân\t21/3/2023\t30/2/2023\t"
                  "Xuân phân\tTháng hai (Đủ)\t0\t\tdefault\tdefault\n"
                  "2023-03-22\t2460026\tThứ tư\t1\t2\t2023\t1\t1\t2\t22/3/2023\t19/4/2023\t29\t"
                  "Kỷ Mão\t3\tẤt Mão\tQuý Mão\tGiáp Tý\tXuân phân\t21/3/2023\t30/2/2023\t"
                  "Xuân phân (2)\tTháng hai (Thiếu)\t1\tNgày nước sạch thế giới\tdefault\tred\n");
}

TEST(Table, YearWithoutLeapMonthAndTrailingBlankHoliday) {
    const Result r = RunCli({"table", "2025-04-30", "2025-04-30"});
    ASSERT_EQ(r.code, 0);
    const std::string row = r.out.substr(HEADER.size());
    EXPECT_NE(row.find("\tNgày giải phóng Miền Nam, thống nhất đất nước (1975) \t"),
              std::string::npos)
        << row;
    const Result y2000 = RunCli({"table", "2000-01-01", "2000-01-01"});
    EXPECT_NE(y2000.out.find("\t0\t0\t0\t0/0/0\t0/0/0\t30\t"), std::string::npos) << y2000.out;
}

TEST(Table, OneLinePerDayAcrossTheCalendarSwitch) {
    const Result r = RunCli({"table", "1582-10-01", "1582-10-20"});
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1 + 10);
    EXPECT_NE(r.out.find("\n1582-10-04\t2299160\t"), std::string::npos);
    EXPECT_NE(r.out.find("\n1582-10-15\t2299161\t"), std::string::npos);
}

TEST(Table, BadRanges) {
    ExpectUsageError(RunCli({"table", "2024-01-02", "2024-01-01"}), "is after TO");
    ExpectUsageError(RunCli({"table", "2023-02-30", "2023-03-01"}), "2023-02-30 does not exist");
    ExpectUsageError(RunCli({"table", "2023-2-3", "2023-03-01"}), "use YYYY-MM-DD");
    ExpectUsageError(RunCli({"table", "0000-01-01", "2023-03-01"}), "outside the supported range");
    ExpectUsageError(RunCli({"table", "1582-10-10", "1582-10-20"}), "4 to 15 October 1582");
    ExpectUsageError(RunCli({"table", "2023-01-01"}), "TO");
    ExpectUsageError(RunCli({"table", "2023-13-01", "2024-01-01"}), "does not exist");
}

TEST(IsoDate, JulianLeapDayBeforeTheSwitchExists) {
    EXPECT_TRUE(std::holds_alternative<CalDate>(ParseIsoDate("1500-02-29")));
    EXPECT_TRUE(std::holds_alternative<DateError>(ParseIsoDate("1900-02-29")));
    EXPECT_TRUE(std::holds_alternative<CalDate>(ParseIsoDate("9999-12-31")));
    EXPECT_TRUE(std::holds_alternative<DateError>(ParseIsoDate("2023-01-01\n")));
    EXPECT_EQ(FormatIsoDate({5, 3, 1}), "0001-03-05");
}

TEST(Vni, ArgumentsAndStandardInput) {
    EXPECT_EQ(RunCli({"vni", "Tha1ng gie6ng", "Mo62ng 1"}).out, "Tháng giêng\nMồng 1\n");
    const Result fromStdin = RunCli({"vni"}, "Nguye64n\r\nngu7o72i\n\nd9a61t");
    EXPECT_EQ(fromStdin.code, 0);
    EXPECT_EQ(fromStdin.out, "Nguyễn\nngười\n\nđất\n");
    EXPECT_EQ(RunCli({"vni"}, "").out, "");
    // Unicode input passes through untouched.
    EXPECT_EQ(RunCli({"vni", "Tết 2026"}).out, "Tết 2026\n");
}

TEST(Vni, InvalidUtf8IsRefusedWhole) {
    ExpectUsageError(RunCli({"vni"}, "Tha1ng\nbad \xC3(\n"), "line 2 of standard input");
    ExpectUsageError(RunCli({"vni", "ok", "\xFF"}), "argument 2");
}

TEST(Day, SummaryOfTodayAndOfAGivenDate) {
    const Result today = RunCli({"day"});
    EXPECT_EQ(today.code, 0);
    EXPECT_NE(today.out.find("Tháng mười hai"), std::string::npos);
    EXPECT_NE(today.out.find("Thứ ba"), std::string::npos);
    EXPECT_NE(today.out.find("2026"), std::string::npos);

    const Result leap = RunCli({"day", "2023-03-23"});
    EXPECT_NE(leap.out.find("Âm lịch: ngày 2 tháng 2 nhuận năm 2023"), std::string::npos)
        << leap.out;
    EXPECT_NE(leap.out.find("Ngày khí tượng thế giới"), std::string::npos);
    // The record calls month 11 of 2034 leap; the summary follows the conversion.
    const Result y2034 = RunCli({"day", "2034-12-15"});
    EXPECT_EQ(y2034.out.find("nhuận"), std::string::npos) << y2034.out;
}

TEST(Day, SummaryLinesAllHaveThePanelWidth) {
    const Result r = RunCli({"day", "2025-05-15"}); // a long holiday name wraps
    ASSERT_EQ(r.code, 0);
    std::istringstream lines(r.out);
    std::string line;
    std::size_t count = 0;
    while (std::getline(lines, line)) {
        const auto u16 = Utf8Width(line);
        EXPECT_EQ(u16, 48u) << line;
        ++count;
    }
    EXPECT_GT(count, 14u);
}

TEST(Day, JsonCarriesTheTableFields) {
    const Result r = RunCli({"day", "2023-03-22", "--json"});
    ASSERT_EQ(r.code, 0);
    for (std::string_view key : DAY_COLUMNS) {
        EXPECT_NE(r.out.find("\"" + std::string(key) + "\": "), std::string::npos) << key;
    }
    EXPECT_NE(r.out.find("\"jdn\": 2460026,"), std::string::npos);
    EXPECT_NE(r.out.find("\"term_label\": \"Xuân phân (2)\""), std::string::npos);
    EXPECT_NE(r.out.find("\"holiday\": \"Ngày nước sạch thế giới\""), std::string::npos);
    EXPECT_EQ(r.out.front(), '{');
    EXPECT_EQ(r.out.substr(r.out.size() - 2), "}\n");
    ExpectUsageError(RunCli({"day", "2023-02-29"}), "does not exist");
}

TEST(Convert, BothDirections) {
    EXPECT_EQ(RunCli({"convert", "2023-01-22"}).out, "1/1/2023\n");
    EXPECT_EQ(RunCli({"convert", "2023-03-23"}).out, "2/2/2023 (tháng nhuận)\n");
    EXPECT_EQ(RunCli({"convert", "2034-12-15"}).out.find("nhuận"), std::string::npos);
    EXPECT_EQ(RunCli({"convert", "--lunar", "1", "1", "2023"}).out, "2023-01-22\n");
    EXPECT_EQ(RunCli({"convert", "--lunar", "1", "2", "2023", "--leap"}).out, "2023-03-22\n");
    EXPECT_EQ(RunCli({"convert", "--lunar", "1", "2", "2023"}).out, "2023-02-20\n");
    EXPECT_EQ(RunCli({"convert", "--lunar", "1", "8", "2052", "--leap"}).out, "2052-09-23\n");
}

TEST(Convert, LunarDatesThatDoNotExist) {
    ExpectUsageError(RunCli({"convert", "--lunar", "1", "5", "2023", "--leap"}),
                     "has no leap month 5 (its leap month is 2)");
    ExpectUsageError(RunCli({"convert", "--lunar", "1", "5", "2024", "--leap"}),
                     "(it has no leap month)");
    ExpectUsageError(RunCli({"convert", "--lunar", "30", "1", "2023"}), "has only 29 days");
    ExpectUsageError(RunCli({"convert", "--lunar", "31", "1", "2023"}), "1..30");
    ExpectUsageError(RunCli({"convert", "--lunar", "1", "x", "2023"}), "lunar month 'x'");
    ExpectUsageError(RunCli({"convert", "--lunar", "1", "1"}), "--lunar");
    ExpectUsageError(RunCli({"convert"}), "give a date");
    ExpectUsageError(RunCli({"convert", "2023-01-01", "--leap"}), "--leap goes with --lunar");
    ExpectUsageError(RunCli({"convert", "2023-01-01", "--lunar", "1", "1", "2023"}), "not both");
}

TEST(Usage, HelpVersionAndUnknownCommands) {
    const Result help = RunCli({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("table"), std::string::npos);
    EXPECT_NE(help.out.find("Exit status: 0 done; 1"), std::string::npos);
    EXPECT_EQ(help.err, "");
    const Result tableHelp = RunCli({"table", "--help"});
    EXPECT_EQ(tableHelp.code, 0);
    EXPECT_NE(tableHelp.out.find("FROM"), std::string::npos);
    const Result version = RunCli({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("moonleaf-cli ", 0), 0u);
    ExpectUsageError(RunCli({"tabel", "x"}), "unknown command 'tabel'");
    ExpectUsageError(RunCli({}), "no command given");
    ExpectUsageError(RunCli({"--bogus"}), "--bogus");
    ExpectUsageError(RunCli({"day", "2023-01-01", "extra"}), "extra");
}

// --- the real program -------------------------------------------------------------------

TEST(Binary, WholeRangeTableHasOneLinePerDay) {
    const Result p = RunBinary("table 1900-01-01 2100-12-31");
    EXPECT_EQ(p.code, 0);
    EXPECT_EQ(p.err, "");
    EXPECT_EQ(std::count(p.out.begin(), p.out.end(), '\n'), 73415);
    EXPECT_EQ(p.out.substr(0, HEADER.size()), HEADER);
    EXPECT_EQ(p.out.find('\r'), std::string::npos);
}

TEST(Binary, ExitCodesAndStreams) {
    const Result ok = RunBinary("vni", "Tha1ng cha5p\n");
    EXPECT_EQ(ok.code, 0);
    EXPECT_EQ(ok.out, "Tháng chạp\n");
    const Result bad = RunBinary("vni", "\xC3\n");
    EXPECT_EQ(bad.code, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, "moonleaf-cli: error: line 1 of standard input is not valid UTF-8\n");
    const Result unknown = RunBinary("frobnicate");
    EXPECT_EQ(unknown.code, 2);
    EXPECT_EQ(unknown.out, "");
    const Result help = RunBinary("--help");
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("convert"), std::string::npos);
}

TEST(Binary, FarYearsRunWithoutFault) {
    for (const char* range : {"0001-01-01 0001-03-31", "9999-10-01 9999-12-31"}) {
        const Result p = RunBinary(std::string("table ") + range);
        EXPECT_EQ(p.code, 0) << range << p.err;
        EXPECT_GT(std::count(p.out.begin(), p.out.end(), '\n'), 80) << range;
    }
}

} // namespace
} // namespace moonleaf::cli
