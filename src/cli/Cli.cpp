// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Cli.h"

#include "cli/DayFields.h"
#include "cli/DaySummary.h"
#include "cli/IcsCalendar.h"
#include "cli/IsoDate.h"
#include "cli/LunarEvents.h"
#include "cli/LunarYear.h"
#include "cli/MonthGrid.h"
#include "engine/JulianDay.h"
#include "engine/Holidays.h"
#include "engine/LunarConversion.h"
#include "text/Utf.h"
#include "text/VniToUnicode.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#ifndef MOONLEAF_VERSION
#define MOONLEAF_VERSION "0.0.0"
#endif

namespace moonleaf::cli {
namespace {

constexpr std::array<std::string_view, 6> COMMANDS{"table",   "day", "month",
                                                   "convert", "ics", "vni"};

// A bad-input report: the one line printed on stderr.
struct UsageError {
    std::string message;
};

int Fail(const Environment& env, std::string message) {
    std::replace(message.begin(), message.end(), '\n', ' ');
    env.err << "moonleaf-cli: error: " << message << '\n';
    return static_cast<int>(ExitCode::Usage);
}

int Emit(const Environment& env, const std::string& text) {
    env.out << text;
    env.out.flush();
    return static_cast<int>(env.out ? ExitCode::Ok : ExitCode::Failure);
}

CalDate DateOrFail(const std::string& text) {
    auto parsed = ParseIsoDate(text);
    if (auto* error = std::get_if<DateError>(&parsed)) {
        throw UsageError{error->message};
    }
    return std::get<CalDate>(parsed);
}

// --- table -----------------------------------------------------------------------------

struct TableOptions {
    std::string from;
    std::string to;
};

int RunTable(const TableOptions& options, const Environment& env) {
    const CalDate from = DateOrFail(options.from);
    const CalDate to = DateOrFail(options.to);
    if (DateToJdn(from.Day, from.Month, from.Year) > DateToJdn(to.Day, to.Month, to.Year)) {
        throw UsageError{"FROM " + options.from + " is after TO " + options.to};
    }
    return static_cast<int>(WriteTable(from, to, env.out) ? ExitCode::Ok : ExitCode::Failure);
}

// --- vni -------------------------------------------------------------------------------

struct VniOptions {
    std::vector<std::string> texts;
};

int RunVni(const VniOptions& options, const Environment& env) {
    std::vector<std::string> lines = options.texts;
    const bool fromStdin = lines.empty();
    if (fromStdin) {
        const std::string input{std::istreambuf_iterator<char>(env.in),
                                std::istreambuf_iterator<char>()};
        std::size_t start = 0;
        while (start < input.size()) {
            std::size_t end = input.find('\n', start);
            if (end == std::string::npos) {
                end = input.size();
            }
            std::string line = input.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            lines.push_back(std::move(line));
            start = end + 1;
        }
    }
    std::string output;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto text = Utf8ToUtf16(lines[i]);
        if (!text) {
            throw UsageError{fromStdin
                                 ? "line " + std::to_string(i + 1) +
                                       " of standard input is not valid UTF-8"
                                 : "argument " + std::to_string(i + 1) + " is not valid UTF-8"};
        }
        AppendUtf8(output, VniToUnicode(*text));
        output.push_back('\n');
    }
    return Emit(env, output);
}

// --- day -------------------------------------------------------------------------------

struct DayOptions {
    std::string date;
    bool json = false;
};

int RunDay(const DayOptions& options, const Environment& env) {
    const CalDate date = options.date.empty() ? env.clock.Today() : DateOrFail(options.date);
    if (!DateExists(date) || date.Year < MIN_YEAR || date.Year > MAX_YEAR) {
        throw UsageError{"today's date from the system clock is outside 1..9999"};
    }
    return Emit(env, options.json ? DayJson(date) : DaySummary(date, env.color));
}

// --- convert ---------------------------------------------------------------------------

struct ConvertOptions {
    std::string date;
    std::vector<std::string> lunar;
    bool leap = false;
};

int WholeOrFail(const std::string& text, const char* what, int lo, int hi) {
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || value < lo ||
        value > hi) {
        throw UsageError{std::string("lunar ") + what + " '" + text.substr(0, 20) +
                         "' is not a whole number in " + std::to_string(lo) + ".." +
                         std::to_string(hi)};
    }
    return value;
}

int RunConvert(const ConvertOptions& options, const Environment& env) {
    if (options.lunar.empty()) {
        if (options.leap) {
            throw UsageError{"--leap goes with --lunar D M Y"};
        }
        if (options.date.empty()) {
            throw UsageError{"give a date YYYY-MM-DD, or --lunar D M Y"};
        }
        const CalDate date = DateOrFail(options.date);
        const CalDate lunar = SolarToLunar(date.Day, date.Month, date.Year, TIMEZONE);
        std::string line = FormatDmy(lunar.Day, lunar.Month, lunar.Year);
        if (IsInLeapMonth(date.Day, date.Month, date.Year, TIMEZONE)) {
            std::u16string leapNote = u" (tha1ng nhua65n)";
            AppendUtf8(line, VniToUnicode(leapNote));
        }
        return Emit(env, line + "\n");
    }
    if (!options.date.empty()) {
        throw UsageError{"give either a date YYYY-MM-DD or --lunar D M Y, not both"};
    }
    const int day = WholeOrFail(options.lunar[0], "day", 1, 30);
    const int month = WholeOrFail(options.lunar[1], "month", 1, 12);
    const int year = WholeOrFail(options.lunar[2], "year", 1, 9999);
    const CalDate solar = LunarToSolar(day, month, year, options.leap ? 1 : 0, TIMEZONE);
    const bool inRange = solar.Year >= MIN_YEAR && solar.Year <= MAX_YEAR;
    const CalDate back = SolarToLunar(solar.Day, solar.Month, solar.Year, TIMEZONE);
    const bool leapMatches =
        IsInLeapMonth(solar.Day, solar.Month, solar.Year, TIMEZONE) == options.leap;
    const std::string ymd = std::to_string(month) + " of " + std::to_string(year);
    if (options.leap && LeapMonthOf(year) != month) {
        const int leapMonth = LeapMonthOf(year);
        throw UsageError{
            "lunar year " + std::to_string(year) + " has no leap month " + std::to_string(month) +
            (leapMonth == 0 ? " (it has no leap month)"
                            : " (its leap month is " + std::to_string(leapMonth) + ")")};
    }
    if (!inRange ||
        back != CalDate{static_cast<double>(day), static_cast<double>(month),
                        static_cast<double>(year)} ||
        !leapMatches) {
        if (inRange && day == 30) {
            throw UsageError{std::string("lunar ") + (options.leap ? "leap " : "") + "month " +
                             ymd + " has only 29 days"};
        }
        throw UsageError{"lunar date " + std::to_string(day) + "/" + ymd +
                         " is outside the supported range"};
    }
    return Emit(env, FormatIsoDate(solar) + "\n");
}

// --- month -----------------------------------------------------------------------------

struct MonthOptions {
    std::string month;
    bool three = false;
    bool sunday = false;
    std::string color = "auto";
    bool json = false;
};

CLI::App* SetupMonth(CLI::App& app, MonthOptions& options) {
    CLI::App* cmd = app.add_subcommand(
        "month", "Show the month grid of YYYY-MM (default: this month) with its lunar days");
    cmd->add_option("YYYY-MM", options.month, "the month, e.g. 2026-03");
    cmd->add_flag("-3,--three", options.three, "show the previous, this and the next month");
    cmd->add_flag("--sunday", options.sunday, "start the weeks on Sunday (default: Monday)");
    cmd->add_option("--color", options.color, "colour the grid: auto (default), always, never")
        ->check(CLI::IsMember({"auto", "always", "never"}));
    cmd->add_flag("--json", options.json, "print the month(s) as JSON data");
    cmd->footer(
        "Under each day number stands its lunar day; the first day of a lunar month shows the\n"
        "month as well, 1/2, and 1/2n in a leap month. Holidays of both lists follow the grid.\n"
        "Marks: without colour '*' follows the day number of a holiday and '+' lunar days 1\n"
        "and 15; with colour Sundays and holidays are red and lunar days 1 and 15 bold blue.\n"
        "--color=auto colours when standard output is a terminal and NO_COLOR is not set.\n"
        "-3 puts the months side by side when the terminal has at least " +
        std::to_string(THREE_MONTHS_WIDTH) +
        " columns (COLUMNS,\nelse the terminal's width) and below each other otherwise.\n"
        "--json prints an object for one month and an array of three objects with -3.");
    return cmd;
}

YearMonth Shifted(YearMonth ym, int months) {
    const int index = ym.year * 12 + (ym.month - 1) + months;
    return {index / 12, index % 12 + 1};
}

int RunMonth(const MonthOptions& options, const Environment& env) {
    YearMonth ym;
    if (options.month.empty()) {
        const CalDate today = env.clock.Today();
        if (!DateExists(today) || today.Year < MIN_YEAR || today.Year > MAX_YEAR) {
            throw UsageError{"today's date from the system clock is outside 1..9999"};
        }
        ym = {static_cast<int>(today.Year), static_cast<int>(today.Month)};
    } else {
        auto parsed = ParseYearMonth(options.month);
        if (auto* error = std::get_if<DateError>(&parsed)) {
            throw UsageError{error->message};
        }
        ym = std::get<YearMonth>(parsed);
    }
    std::vector<YearMonth> wanted{ym};
    if (options.three) {
        wanted = {Shifted(ym, -1), ym, Shifted(ym, 1)};
        if (wanted.front().year < MIN_YEAR || wanted.back().year > MAX_YEAR) {
            throw UsageError{"-3 needs the months before and after, and 0001-01..9999-12 is the "
                             "supported range; give a month from 0001-02 to 9999-11"};
        }
    }
    std::vector<MonthData> months;
    for (const YearMonth& m : wanted) {
        months.push_back(ComposeMonth(m.year, m.month));
    }
    if (options.json) {
        return Emit(env, MonthsJson(months));
    }
    GridOptions grid;
    grid.weekStart = options.sunday ? WeekStart::Sunday : WeekStart::Monday;
    grid.color = options.color == "always" || (options.color == "auto" && env.color);
    return Emit(env, MonthsText(months, grid, env.columns));
}

// --- ics -------------------------------------------------------------------------------

struct IcsOptions {
    std::string from;
    std::string to;
    std::string events;
};

CLI::App* SetupIcs(CLI::App& app, IcsOptions& options) {
    CLI::App* cmd = app.add_subcommand(
        "ics", "Write an iCalendar file of the holidays (and --events) of FROM_YEAR..TO_YEAR");
    cmd->add_option("FROM_YEAR", options.from, "first Gregorian year")->required();
    cmd->add_option("TO_YEAR", options.to, "last Gregorian year")->required();
    cmd->add_option("--events", options.events, "lunar anniversaries to add, one a line")
        ->type_name("FILE");
    cmd->footer(
        "Writes iCalendar (RFC 5545) on standard output: an all-day event for every day of the\n"
        "years " +
        std::to_string(ICS_MIN_YEAR) + ".." + std::to_string(ICS_MAX_YEAR) +
        " that the Gregorian or the lunar holiday list names (a lunar holiday\n"
        "once a year, in the ordinary month of its number), and for the days of FILE.\n"
        "FILE: UTF-8 lines 'D/M Name' or 'D/Mn Name' (n: the leap month), e.g. '15/8 Giỗ ông',\n"
        "'#' comment lines and blank lines. Each line comes back every lunar year:\n"
        "  - a date in a leap month falls in the leap month when the year has that leap\n"
        "    month, and in the ordinary month of the same number otherwise;\n"
        "  - day 30 falls on day 29 when the month has 29 days that year.\n"
        "A bad line stops the program with its file and line number, before anything is\n"
        "written. DTSTAMP is the time of the run, or SOURCE_DATE_EPOCH (seconds since 1970)\n"
        "when it is set.");
    return cmd;
}

int YearOrFail(const std::string& text, const char* what) {
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        value < ICS_MIN_YEAR || value > ICS_MAX_YEAR) {
        throw UsageError{std::string(what) + " '" + text.substr(0, 20) + "' is not a year " +
                         std::to_string(ICS_MIN_YEAR) + ".." + std::to_string(ICS_MAX_YEAR) +
                         " (iCalendar dates are Gregorian)"};
    }
    return value;
}

std::int64_t StampOrFail(const Environment& env) {
    if (!env.sourceDateEpoch) {
        return std::clamp<std::int64_t>(env.now, 0, ICS_MAX_STAMP);
    }
    const std::string& text = *env.sourceDateEpoch;
    std::int64_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || value < 0 ||
        value > ICS_MAX_STAMP) {
        throw UsageError{"SOURCE_DATE_EPOCH '" + text.substr(0, 20) +
                         "' is not a whole number of seconds 0.." + std::to_string(ICS_MAX_STAMP)};
    }
    return value;
}

std::string ReadEventsFile(const std::string& path) {
    const auto failure = [&] {
        return UsageError{"cannot read the events file '" + path + "': " + std::strerror(errno)};
    };
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        throw failure();
    }
    try {
        // A read error (a directory, a failing disk) throws from the stream buffer.
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    } catch (const std::ios_base::failure&) {
        throw failure();
    }
}

int RunIcs(const IcsOptions& options, const Environment& env) {
    IcsRequest request;
    request.fromYear = YearOrFail(options.from, "FROM_YEAR");
    request.toYear = YearOrFail(options.to, "TO_YEAR");
    if (request.fromYear > request.toYear) {
        throw UsageError{"FROM_YEAR " + options.from + " is after TO_YEAR " + options.to};
    }
    if (!options.events.empty()) {
        const std::string text = ReadEventsFile(options.events);
        auto parsed = ParseLunarEvents(text, options.events);
        if (auto* error = std::get_if<EventsError>(&parsed)) {
            throw UsageError{error->message};
        }
        request.events = std::move(std::get<std::vector<LunarEvent>>(parsed));
    }
    request.stamp = StampOrFail(env);
    return static_cast<int>(WriteIcs(request, env.out) ? ExitCode::Ok : ExitCode::Failure);
}

} // namespace

int Run(const std::vector<std::string>& args, const Environment& env) {
    if (args.empty()) {
        return Fail(env,
                    "no command given; use table, day, month, convert, ics or vni (see --help)");
    }
    if (!args[0].empty() && args[0][0] == '-' && args[0] != "-h" && args[0] != "--help" &&
        args[0] != "--version") {
        return Fail(env, "unknown option '" + args[0].substr(0, 40) +
                             "' before the command; options: --help, --version (see --help)");
    }
    if (!args[0].empty() && args[0][0] != '-' &&
        std::find(COMMANDS.begin(), COMMANDS.end(), args[0]) == COMMANDS.end()) {
        return Fail(env, "unknown command '" + args[0].substr(0, 40) +
                             "'; use table, day, month, convert, ics or vni (see --help)");
    }

    CLI::App app{"Moonleaf in the terminal: the Vietnamese lunar calendar for UTC+7.",
                 "moonleaf-cli"};
    app.set_version_flag("--version", "moonleaf-cli " MOONLEAF_VERSION);
    app.require_subcommand(1);
    app.footer("Exit status: 0 done; 1 the output could not be written; 2 bad input or usage "
               "(one error line on stderr, nothing on stdout).");

    TableOptions table;
    CLI::App* tableCmd = app.add_subcommand(
        "table", "Print the day table (TAB-separated, one header line) from FROM to TO");
    tableCmd->add_option("FROM", table.from, "first day, YYYY-MM-DD")->required();
    tableCmd->add_option("TO", table.to, "last day, YYYY-MM-DD")->required();

    DayOptions day;
    CLI::App* dayCmd =
        app.add_subcommand("day", "Show the day view of DATE (default: today) in Vietnamese");
    dayCmd->add_option("DATE", day.date, "the day, YYYY-MM-DD");
    dayCmd->add_flag("--json", day.json, "print the fields of the day table as a JSON object");

    ConvertOptions convert;
    CLI::App* convertCmd = app.add_subcommand(
        "convert", "Convert DATE to its lunar date, or --lunar D M Y to the Gregorian date");
    convertCmd->add_option("DATE", convert.date, "a Gregorian date, YYYY-MM-DD");
    convertCmd->add_option("--lunar", convert.lunar, "a lunar day, month and year")
        ->expected(3)
        ->type_name("D M Y");
    convertCmd->add_flag("--leap", convert.leap, "with --lunar: the month is the leap month");

    MonthOptions month;
    CLI::App* monthCmd = SetupMonth(app, month);

    IcsOptions ics;
    CLI::App* icsCmd = SetupIcs(app, ics);

    VniOptions vni;
    CLI::App* vniCmd = app.add_subcommand(
        "vni", "Convert each TEXT, or each line of standard input, from VNI notation to Unicode");
    vniCmd->add_option("TEXT", vni.texts, "texts in VNI notation (UTF-8)");

    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        env.out << app.help();
        return static_cast<int>(ExitCode::Ok);
    } catch (const CLI::CallForAllHelp&) {
        env.out << app.help("", CLI::AppFormatMode::All);
        return static_cast<int>(ExitCode::Ok);
    } catch (const CLI::CallForVersion& e) {
        env.out << e.what() << '\n';
        return static_cast<int>(ExitCode::Ok);
    } catch (const CLI::ParseError& e) {
        return Fail(env, std::string(e.what()) + " (see --help)");
    }

    InitHolidays();
    try {
        if (tableCmd->parsed()) {
            return RunTable(table, env);
        }
        if (dayCmd->parsed()) {
            return RunDay(day, env);
        }
        if (convertCmd->parsed()) {
            return RunConvert(convert, env);
        }
        if (monthCmd->parsed()) {
            return RunMonth(month, env);
        }
        if (icsCmd->parsed()) {
            return RunIcs(ics, env);
        }
        return RunVni(vni, env);
    } catch (const UsageError& e) {
        return Fail(env, e.message);
    }
}

} // namespace moonleaf::cli
