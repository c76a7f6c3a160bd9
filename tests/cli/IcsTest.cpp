// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/IcsCalendar.h"
#include "cli/LunarEvents.h"
#include "cli/LunarYear.h"

#include "CliTestSupport.h"

#include <gtest/gtest.h>

namespace moonleaf::cli {
namespace {

using namespace testing_support;

constexpr std::int64_t NEW_YEAR_2026 = 1767225600; // 2026-01-01T00:00:00Z

// Undoes the folding: removes every CR LF followed by a blank.
std::string Unfolded(std::string text) {
    for (auto at = text.find("\r\n "); at != std::string::npos; at = text.find("\r\n ", at)) {
        text.erase(at, 3);
    }
    return text;
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

TEST(IcsContentLine, FoldedAt75OctetsWithoutSplittingACharacter) {
    const std::string exact(75, 'a');
    EXPECT_EQ(FoldContentLine(exact), exact + "\r\n");
    // Continuation lines hold 74 octets after their blank.
    EXPECT_EQ(FoldContentLine(exact + std::string(75, 'b')),
              exact + "\r\n " + std::string(74, 'b') + "\r\n b\r\n");
    // "ạ" is three octets: at octets 74..76 it would straddle the fold, so it moves down.
    EXPECT_EQ(FoldContentLine(std::string(73, 'x') + "ạy"), std::string(73, 'x') + "\r\n ạy\r\n");
    const std::string line = "SUMMARY:" + std::string(60, 'x') + "Đội Thiếu niên Tiền Phong";
    EXPECT_EQ(Unfolded(FoldContentLine(line)), line + "\r\n");

    EXPECT_EQ(EscapeText("Miền Nam, thống nhất; a\\b\nc"), "Miền Nam\\, thống nhất\\; a\\\\b\\nc");
    EXPECT_EQ(FormatStamp(0), "19700101T000000Z");
    EXPECT_EQ(FormatStamp(NEW_YEAR_2026 + 3723), "20260101T010203Z");
    EXPECT_EQ(FormatStamp(ICS_MAX_STAMP), "99991231T235959Z");
}

struct KeptRow {
    const char* tag;
    LunarAnniversary anniversary;
    int year;
    CalDate solar;
    int keptDay;
    bool keptLeap;
};

class AnniversaryRule : public ::testing::TestWithParam<KeptRow> {};

// Month starts and lengths from `moonleaf-cli table 2023-01-01 2025-12-31`: month 2 of 2023
// has 30 days from 20 February, its leap twin 29 days from 22 March; month 2 of 2024 has 30
// days from 10 March, of 2025 29 days from 28 February; leap month 6 of 2025 starts 25 July,
// month 6 of 2024 on 6 July. Leap month 8 of 2052 (23 September) is one the day record misses.
TEST_P(AnniversaryRule, FallsOnTheDayTheRulesGive) {
    const KeptRow& row = GetParam();
    const AnniversaryDate kept = AnniversaryIn(row.anniversary, row.year, LeapMonthOf(row.year));
    EXPECT_EQ(kept.solar, row.solar);
    EXPECT_EQ(kept.lunarDay, row.keptDay);
    EXPECT_EQ(kept.leap, row.keptLeap);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AnniversaryRule,
    ::testing::Values(
        KeptRow{"day30OfA30DayMonth", {30, 2, false}, 2023, {21, 3, 2023}, 30, false},
        KeptRow{"leapDay30InAShortLeapMonth", {30, 2, true}, 2023, {19, 4, 2023}, 29, true},
        KeptRow{"leapDateInAYearWithoutLeap", {30, 2, true}, 2024, {8, 4, 2024}, 30, false},
        KeptRow{"leapDateInAShortOrdinaryMonth", {30, 2, true}, 2025, {28, 3, 2025}, 29, false},
        KeptRow{"ordinaryDateInALeapYear", {15, 2, false}, 2023, {6, 3, 2023}, 15, false},
        KeptRow{"leapMonthOfTheYear", {4, 6, true}, 2025, {28, 7, 2025}, 4, true},
        KeptRow{"leapMonthOfAnotherNumber", {4, 6, true}, 2024, {9, 7, 2024}, 4, false},
        KeptRow{"leapMonthTheRecordMisses", {1, 8, true}, 2052, {23, 9, 2052}, 1, true}),
    [](const auto& row) { return std::string(row.param.tag); });

TEST(EventsFile, DatesNamesCommentsAndBlankLines) {
    const auto parsed = ParseLunarEvents("\xEF\xBB\xBF# gia đình\r\n15/8 Giỗ ông\r\n\r\n"
                                         "  30/2n\tGiỗ bà, bên ngoại  \n   # thụt vào\n"
                                         "1/1N Sinh nhật #1\n15/8 Giỗ ông\n",
                                         "gio.txt");
    ASSERT_TRUE(std::holds_alternative<std::vector<LunarEvent>>(parsed));
    const auto& events = std::get<std::vector<LunarEvent>>(parsed);
    ASSERT_EQ(events.size(), 3u); // the repeated line adds nothing
    EXPECT_EQ(events[0].date, (LunarAnniversary{15, 8, false}));
    EXPECT_EQ(events[1].date, (LunarAnniversary{30, 2, true}));
    EXPECT_EQ(events[1].name, "Giỗ bà, bên ngoại");
    EXPECT_EQ(events[2].name, "Sinh nhật #1");
    EXPECT_EQ(events[2].written, "1/1n");
}

TEST(EventsFile, BadLinesNameTheFileAndLine) {
    const std::string hint = "; lines are 'D/M Name' or 'D/Mn Name', e.g. '15/8 Giỗ ông'";
    const auto error = [](std::string_view text) {
        const auto parsed = ParseLunarEvents(text, "gio.txt");
        return std::holds_alternative<EventsError>(parsed) ? std::get<EventsError>(parsed).message
                                                           : "accepted";
    };
    EXPECT_EQ(error("# x\n31/2 Giỗ"), "gio.txt:2: day 31 in '31/2 Giỗ' is not a lunar day 1..30");
    EXPECT_EQ(error("\n\n5/13 Giỗ"),
              "gio.txt:3: month 13 in '5/13 Giỗ' is not a lunar month 1..12");
    EXPECT_EQ(error("15/8"), "gio.txt:1: '15/8' has no name after the date" + hint);
    EXPECT_EQ(error("2024-08-15 Giỗ"),
              "gio.txt:1: '2024-08-15 Giỗ' does not start with a lunar date" + hint);
    EXPECT_EQ(error("15/8x Giỗ"), "gio.txt:1: '15/8x Giỗ' has no blank after the date" + hint);
    EXPECT_EQ(error("15/8 ok\n15/8 Gi\xE1\xBB"), "gio.txt:2: the line is not valid UTF-8");
    EXPECT_EQ(error("15/8 a\x1bz"), "gio.txt:1: '15/8 a?z' holds a control character");
    // Cut at 40 octets, backed up to the start of the three-octet "ọ".
    EXPECT_EQ(error("40/1 Giỗ ông bà tổ tiên dòng họ Nguyễn"),
              "gio.txt:1: day 40 in '40/1 Giỗ ông bà tổ tiên dòng h...' is not a lunar day 1..30");
}

Result RunIcs(const std::vector<std::string>& args) {
    Surroundings around;
    around.now = NEW_YEAR_2026;
    return RunIn(args, around);
}

// Tết 2026 is 17 February (`moonleaf-cli table 2026-02-17 2026-02-17`: lunar 1/1/2026).
TEST(Ics, CalendarOfOneYear) {
    const Result r = RunIcs({"ics", "2026", "2026"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.rfind("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Moonleaf//moonleaf-cli ", 0),
              0u);
    const std::string end = "END:VEVENT\r\nEND:VCALENDAR\r\n";
    EXPECT_EQ(r.out.substr(r.out.size() - end.size()), end);
    EXPECT_NE(r.out.find("BEGIN:VEVENT\r\nUID:20260217-lunar@moonleaf\r\n"
                         "DTSTAMP:20260101T000000Z\r\nDTSTART;VALUE=DATE:20260217\r\n"
                         "DTEND;VALUE=DATE:20260218\r\n"
                         "SUMMARY:Mồng 1 Tết Nguyên Đán - An Khang Thịnh Vượng\r\n"
                         "DESCRIPTION:Âm lịch: ngày 1 tháng 1 năm Bính Ngọ\r\n"
                         "TRANSP:TRANSPARENT\r\nEND:VEVENT\r\n"),
              std::string::npos);
    // 47 days of the Gregorian list (two entries share 10 December: the first one counts)
    // and 11 festivals, 23/12 of the lunar year 2025 (10 February) among them.
    EXPECT_EQ(Count(r.out, "BEGIN:VEVENT"), 58u);
    EXPECT_EQ(Count(r.out, "-lunar@moonleaf"), 11u);
    EXPECT_NE(r.out.find("UID:20260210-lunar@moonleaf\r\n"), std::string::npos);
    EXPECT_NE(
        Unfolded(r.out).find("SUMMARY:Ngày giải phóng Miền Nam\\, thống nhất đất nước (1975)\r\n"),
        std::string::npos); // escaped, without the name's trailing blank
    EXPECT_EQ(Count(r.out, "\n"), Count(r.out, "\r\n"));
}

// Leap month 4 of 2020 starts on 23 May, so 15/4 nhuận is 6 June; Lễ Phật Đản is kept on
// 15/4 of the ordinary month, 7 May, only.
TEST(Ics, FestivalOnceAYearNotAgainInTheLeapMonth) {
    const Result r = RunIcs({"ics", "2020", "2020"});
    EXPECT_EQ(Count(r.out, "Lễ Phật Đản"), 1u);
    EXPECT_NE(r.out.find("UID:20200507-lunar@moonleaf"), std::string::npos);
}

TEST(Ics, BadInputWritesNothing) {
    const std::string path = TempPath("bad.txt");
    std::ofstream(path) << "15/8 Giỗ ông\n\n15/14 Giỗ bà\n";
    ExpectUsageError(RunIcs({"ics", "2026", "2026", "--events", path}),
                     path + ":3: month 14 in '15/14 Giỗ bà' is not a lunar month 1..12");
    std::remove(path.c_str());
    ExpectUsageError(RunIcs({"ics", "2026", "2026", "--events", path}),
                     "cannot read the events file '" + path + "': No such file or directory");
    ExpectUsageError(RunIcs({"ics", "2026", "2026", "--events", ::testing::TempDir()}),
                     "Is a directory");
    ExpectUsageError(RunIcs({"ics", "1582", "1600"}),
                     "FROM_YEAR '1582' is not a year 1583..9998 (iCalendar dates are Gregorian)");
    ExpectUsageError(RunIcs({"ics", "2026", "9999"}), "TO_YEAR '9999' is not a year 1583..9998");
    ExpectUsageError(RunIcs({"ics", "2026", "2025"}), "FROM_YEAR 2026 is after TO_YEAR 2025");
    ExpectUsageError(RunIcs({"ics", "20x6", "2027"}), "FROM_YEAR '20x6'");
    for (const char* year : {"1583", "9998"}) {
        EXPECT_GT(Count(RunIcs({"ics", year, year}).out, "BEGIN:VEVENT"), 50u) << year;
    }
}

TEST(Ics, StampFromSourceDateEpoch) {
    Surroundings around;
    around.now = NEW_YEAR_2026;
    around.sourceDateEpoch = "0";
    const Result epoch = RunIn({"ics", "2026", "2026"}, around);
    EXPECT_NE(epoch.out.find("DTSTAMP:19700101T000000Z\r\n"), std::string::npos);
    EXPECT_EQ(epoch.out.find("DTSTAMP:2026"), std::string::npos);
    for (const char* bad : {"", "-1", "12ab", "253402300800"}) {
        around.sourceDateEpoch = bad;
        ExpectUsageError(RunIn({"ics", "2026", "2026"}, around), "SOURCE_DATE_EPOCH");
    }
}

TEST(Ics, HelpStatesTheAnniversaryRules) {
    const std::string help = RunCli({"ics", "--help"}).out;
    EXPECT_NE(help.find("a date in a leap month falls in the leap month when the year has that "
                        "leap\n    month, and in the ordinary month of the same number otherwise"),
              std::string::npos)
        << help;
    EXPECT_NE(help.find("day 30 falls on day 29 when the month has 29 days that year"),
              std::string::npos);
}

} // namespace
} // namespace moonleaf::cli
