// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/MonthGrid.h"

#include "cli/DayFields.h"
#include "cli/IsoDate.h"
#include "engine/JulianDay.h"
#include "engine/DayInfo.h"
#include "engine/Holidays.h"
#include "engine/LunarConversion.h"
#include "engine/Vocabulary.h"
#include "text/Utf.h"
#include "text/VniToUnicode.h"

#include <algorithm>
#include <array>

namespace moonleaf::cli {
namespace {

constexpr std::size_t CELL_WIDTH = 6; // five columns of text, right-aligned, and one mark
constexpr std::size_t TEXT_WIDTH = CELL_WIDTH - 1;

constexpr const char* RED = "\x1b[31m";
constexpr const char* MOON = "\x1b[1;34m";
constexpr const char* RESET = "\x1b[0m";

// Weekday headings as Vietnamese calendars print them, index 0 Sunday .. 6 Saturday.
constexpr std::array<std::string_view, 7> WEEKDAY_HEADINGS{"CN", "T2", "T3", "T4",
                                                           "T5", "T6", "T7"};

std::u16string Converted(std::u16string vni) {
    return VniToUnicode(vni);
}

std::u16string TrimmedName(std::u16string name) {
    while (!name.empty() && name.back() == u' ') {
        name.pop_back();
    }
    return name;
}

// Every Vietnamese letter is one precomposed code unit and one terminal column, so the
// count of code units of these texts (names of the vocabulary, digits) is their width.
std::size_t Width(std::u16string_view text) {
    return text.size();
}

std::string Centred(std::u16string_view text) {
    const std::size_t width = std::min(Width(text), GRID_WIDTH);
    const std::size_t left = (GRID_WIDTH - width) / 2;
    std::string line(left, ' ');
    AppendUtf8(line, text.substr(0, width));
    line.append(GRID_WIDTH - width - left, ' ');
    return line;
}

// The lunar months of the title as pieces such as "Tháng chạp năm Ất Tỵ", the year named
// after the last month of each lunar year.
std::vector<std::u16string> LunarTitlePieces(const MonthData& month) {
    std::vector<std::u16string> pieces;
    const auto& spans = month.lunarMonths;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        std::u16string piece = Converted(LunarMonthName(spans[i].month));
        if (i > 0 && !piece.empty()) {
            piece[0] = u't'; // "tháng" inside the line
        }
        if (spans[i].leap) {
            piece += Converted(u" nhua65n");
        }
        if (i + 1 == spans.size() || spans[i + 1].year != spans[i].year) {
            piece += Converted(u" na8m ") + spans[i].yearCanChi;
        }
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

// The pieces joined by " - " and broken between pieces into centred lines.
void AppendTitle(std::vector<std::string>& lines, const std::vector<std::u16string>& pieces) {
    std::u16string line;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (!line.empty()) {
            if (Width(line) + 3 + Width(pieces[i]) > GRID_WIDTH) {
                lines.push_back(Centred(line + u" -"));
                line.clear();
            } else {
                line += u" - ";
            }
        }
        line += pieces[i];
    }
    lines.push_back(Centred(line));
}

class GridLine {
public:
    explicit GridLine(bool color) : color_(color) {}

    // Writes cells up to (not including) column `column`, blank.
    void SkipTo(std::size_t column) {
        while (cells_ < column) {
            line_.append(CELL_WIDTH, ' ');
            ++cells_;
        }
    }

    // One cell: `text` right-aligned in TEXT_WIDTH columns, then the mark or a blank.
    void Cell(const std::string& text, const char* escape, char mark) {
        line_.append(TEXT_WIDTH - text.size(), ' ');
        if (color_ && escape != nullptr) {
            line_ += escape;
            line_ += text;
            line_ += RESET;
        } else {
            line_ += text;
        }
        line_ += color_ ? ' ' : mark;
        ++cells_;
    }

    std::string Take() {
        SkipTo(7);
        return std::move(line_);
    }

private:
    bool color_;
    std::string line_;
    std::size_t cells_ = 0;
};

std::size_t ColumnOf(int weekday, WeekStart start) {
    return static_cast<std::size_t>(start == WeekStart::Monday ? (weekday + 6) % 7 : weekday);
}

std::string LunarText(const MonthDay& day) {
    std::string text = std::to_string(day.lunarDay);
    if (day.lunarDay == 1) {
        text += '/' + std::to_string(day.lunarMonth);
        if (day.leap) {
            text += 'n';
        }
    }
    return text;
}

std::string DayMonth(const CalDate& date) {
    return std::to_string(static_cast<int>(date.Day)) + '/' +
           std::to_string(static_cast<int>(date.Month));
}

std::string Utf8(std::u16string_view text) {
    std::string out;
    AppendUtf8(out, text);
    return out;
}

} // namespace

MonthData ComposeMonth(int year, int month) {
    MonthData data;
    data.year = year;
    data.month = month;
    const auto y = static_cast<double>(year);
    const auto m = static_cast<double>(month);
    for (double d = 1; d <= 31; ++d) {
        const CalDate date{d, m, y};
        if (!DateExists(date)) {
            continue;
        }
        const DayInfo info = BuildDayInfo(d, m, y, TIMEZONE);
        MonthDay day;
        day.date = date;
        day.weekday = WholeMod(DateToJdn(d, m, y) + 1, 7);
        day.lunarDay = static_cast<int>(info.LunarDay);
        day.lunarMonth = static_cast<int>(info.LunarMonth);
        day.lunarYear = static_cast<int>(info.LunarYear);
        day.leap = IsInLeapMonth(d, m, y, TIMEZONE);
        if (auto solar = FindSolarHoliday({d, m, 0}); !solar.empty()) {
            day.holidays.push_back({TrimmedName(VniToUnicode(solar)), false});
        }
        if (auto lunar = FindLunarHoliday({info.LunarDay, info.LunarMonth, 0}); !lunar.empty()) {
            day.holidays.push_back({TrimmedName(VniToUnicode(lunar)), true});
        }
        const auto& spans = data.lunarMonths;
        if (spans.empty() || spans.back().month != day.lunarMonth ||
            spans.back().year != day.lunarYear || spans.back().leap != day.leap) {
            data.lunarMonths.push_back(
                {day.lunarMonth, day.lunarYear, day.leap, Converted(info.YearCanChi)});
        }
        data.days.push_back(std::move(day));
    }
    return data;
}

std::vector<std::string> MonthGridLines(const MonthData& month, const GridOptions& options) {
    std::vector<std::string> lines;
    lines.push_back(Centred(Converted(MonthName(month.month)) + Converted(u" na8m ") +
                            AsciiToUtf16(std::to_string(month.year))));
    AppendTitle(lines, LunarTitlePieces(month));

    GridLine heading(options.color);
    for (std::size_t column = 0; column < 7; ++column) {
        const std::size_t weekday =
            options.weekStart == WeekStart::Monday ? (column + 1) % 7 : column;
        heading.Cell(std::string(WEEKDAY_HEADINGS[weekday]), weekday == 0 ? RED : nullptr, ' ');
    }
    lines.push_back(heading.Take());

    GridLine solar(options.color);
    GridLine lunar(options.color);
    std::size_t previous = 0;
    for (std::size_t i = 0; i < month.days.size(); ++i) {
        const MonthDay& day = month.days[i];
        const std::size_t column = ColumnOf(day.weekday, options.weekStart);
        if (i > 0 && column <= previous) { // the day starts a new week
            lines.push_back(solar.Take());
            lines.push_back(lunar.Take());
            lines.emplace_back(GRID_WIDTH, ' '); // weeks apart, so each lunar line stays
                                                 // with the day numbers above it
            solar = GridLine(options.color);
            lunar = GridLine(options.color);
        }
        solar.SkipTo(column);
        lunar.SkipTo(column);
        const bool holiday = !day.holidays.empty();
        solar.Cell(std::to_string(static_cast<int>(day.date.Day)),
                   holiday || day.weekday == 0 ? RED : nullptr, holiday ? '*' : ' ');
        const bool marked = day.lunarDay == 1 || day.lunarDay == 15;
        lunar.Cell(LunarText(day), marked ? MOON : nullptr, marked ? '+' : ' ');
        previous = column;
    }
    if (!month.days.empty()) {
        lines.push_back(solar.Take());
        lines.push_back(lunar.Take());
    }
    return lines;
}

std::vector<std::string> HolidayLines(const MonthData& month, bool color) {
    std::vector<std::string> lines;
    for (const MonthDay& day : month.days) {
        for (const MonthHoliday& holiday : day.holidays) {
            const std::string date = DayMonth(day.date);
            std::string line(date.size() < TEXT_WIDTH ? TEXT_WIDTH - date.size() : 0, ' ');
            line += color ? RED + date + RESET : date;
            line += "  ";
            AppendUtf8(line, holiday.name);
            if (holiday.lunar) {
                line += " (";
                AppendUtf8(line, Converted(u"a6m li5ch "));
                line += std::to_string(day.lunarDay) + '/' + std::to_string(day.lunarMonth);
                if (day.leap) {
                    AppendUtf8(line, Converted(u" nhua65n"));
                }
                line += ')';
            }
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

std::string MonthsText(const std::vector<MonthData>& months, const GridOptions& options,
                       std::size_t columns) {
    std::string out;
    const auto appendHolidays = [&](const MonthData& month) {
        const auto holidays = HolidayLines(month, options.color);
        if (!holidays.empty()) {
            out += '\n';
        }
        for (const std::string& line : holidays) {
            out += line + '\n';
        }
    };

    if (months.size() > 1 && columns >= THREE_MONTHS_WIDTH) {
        std::vector<std::vector<std::string>> grids;
        std::size_t height = 0;
        for (const MonthData& month : months) {
            grids.push_back(MonthGridLines(month, options));
            height = std::max(height, grids.back().size());
        }
        for (std::size_t row = 0; row < height; ++row) {
            for (std::size_t i = 0; i < grids.size(); ++i) {
                if (i > 0) {
                    out.append(GRID_GAP, ' ');
                }
                out += row < grids[i].size() ? grids[i][row] : std::string(GRID_WIDTH, ' ');
            }
            out += '\n';
        }
        for (const MonthData& month : months) {
            appendHolidays(month);
        }
        return out;
    }

    for (std::size_t i = 0; i < months.size(); ++i) {
        if (i > 0) {
            out += '\n';
        }
        for (const std::string& line : MonthGridLines(months[i], options)) {
            out += line + '\n';
        }
        appendHolidays(months[i]);
    }
    return out;
}

std::string MonthsJson(const std::vector<MonthData>& months) {
    std::string out;
    const bool many = months.size() != 1;
    const std::string indent = many ? "  " : "";
    if (many) {
        out += "[\n";
    }
    for (std::size_t i = 0; i < months.size(); ++i) {
        const MonthData& month = months[i];
        out += indent + "{\n";
        out += indent + "  \"year\": " + std::to_string(month.year) + ",\n";
        out += indent + "  \"month\": " + std::to_string(month.month) + ",\n";
        out += indent + "  \"name\": ";
        AppendJsonString(out, Utf8(Converted(MonthName(month.month))));
        out += ",\n" + indent + "  \"lunar_months\": [";
        for (std::size_t s = 0; s < month.lunarMonths.size(); ++s) {
            const LunarMonthSpan& span = month.lunarMonths[s];
            out += s == 0 ? "\n" : ",\n";
            out += indent + "    {\"month\": " + std::to_string(span.month) +
                   ", \"leap\": " + (span.leap ? "true" : "false") +
                   ", \"year\": " + std::to_string(span.year) + ", \"name\": ";
            AppendJsonString(out, Utf8(Converted(LunarMonthName(span.month))));
            out += ", \"year_canchi\": ";
            AppendJsonString(out, Utf8(span.yearCanChi));
            out += '}';
        }
        out += "\n" + indent + "  ],\n" + indent + "  \"days\": [";
        for (std::size_t d = 0; d < month.days.size(); ++d) {
            const MonthDay& day = month.days[d];
            out += d == 0 ? "\n" : ",\n";
            out += indent + "    {\"date\": \"" + FormatIsoDate(day.date) + "\", \"weekday\": ";
            AppendJsonString(
                out, Utf8(Converted(WeekdayNames()[static_cast<std::size_t>(day.weekday)])));
            out += ", \"lunar_day\": " + std::to_string(day.lunarDay) +
                   ", \"lunar_month\": " + std::to_string(day.lunarMonth) +
                   ", \"lunar_year\": " + std::to_string(day.lunarYear) +
                   ", \"leap\": " + (day.leap ? "true" : "false") + ", \"holidays\": [";
            for (std::size_t h = 0; h < day.holidays.size(); ++h) {
                out += h == 0 ? "{\"name\": " : ", {\"name\": ";
                AppendJsonString(out, Utf8(day.holidays[h].name));
                out += day.holidays[h].lunar ? ", \"list\": \"lunar\"}" : ", \"list\": \"solar\"}";
            }
            out += "]}";
        }
        out += "\n" + indent + "  ]\n" + indent + "}";
        out += i + 1 < months.size() ? ",\n" : "\n";
    }
    if (many) {
        out += "]\n";
    }
    return out;
}

} // namespace moonleaf::cli
