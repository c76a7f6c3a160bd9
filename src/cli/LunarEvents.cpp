// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/LunarEvents.h"

#include "text/Utf.h"

#include <algorithm>

namespace moonleaf::cli {
namespace {

constexpr std::string_view FORMAT_HINT =
    "; lines are 'D/M Name' or 'D/Mn Name', e.g. '15/8 Giỗ ông'";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A short form of the line for the message: at most 40 bytes, cut at a character boundary,
// control characters shown as '?' so that the message stays one printable line.
std::string Quoted(std::string_view line) {
    std::size_t end = std::min<std::size_t>(line.size(), 40);
    while (end < line.size() && end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) {
        --end;
    }
    std::string quoted = "'";
    for (char c : line.substr(0, end)) {
        const auto u = static_cast<unsigned char>(c);
        quoted += (u < 0x20 && c != '\t') || u == 0x7F ? '?' : c;
    }
    return quoted + (end < line.size() ? "...'" : "'");
}

// Reads 1 or 2 digits at `pos` into `value`; false when there are none or more than 2.
bool Number(std::string_view line, std::size_t& pos, int& value) {
    const std::size_t start = pos;
    value = 0;
    while (pos < line.size() && IsDigit(line[pos])) {
        value = value * 10 + (line[pos] - '0');
        ++pos;
        if (pos - start > 2) {
            return false;
        }
    }
    return pos > start;
}

} // namespace

std::variant<std::vector<LunarEvent>, EventsError> ParseLunarEvents(std::string_view text,
                                                                    std::string_view fileName) {
    std::vector<LunarEvent> events;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3); // a byte-order mark some editors write
    }
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const auto fail = [&](const std::string& why) {
            return EventsError{std::string(fileName) + ":" + std::to_string(number) + ": " + why};
        };
        if (!Utf8ToUtf16(line)) {
            return fail("the line is not valid UTF-8");
        }
        while (!line.empty() && IsBlank(line.front())) {
            line.remove_prefix(1);
        }
        while (!line.empty() && IsBlank(line.back())) {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (std::any_of(line.begin(), line.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; })) {
            return fail(Quoted(line) + " holds a control character");
        }

        LunarEvent event;
        std::size_t pos = 0;
        int day = 0;
        int month = 0;
        if (!Number(line, pos, day) || pos >= line.size() || line[pos] != '/' ||
            !Number(line, ++pos, month)) {
            return fail(Quoted(line) + " does not start with a lunar date" +
                        std::string(FORMAT_HINT));
        }
        event.date.leap = pos < line.size() && (line[pos] == 'n' || line[pos] == 'N');
        if (event.date.leap) {
            ++pos;
        }
        if (pos < line.size() && !IsBlank(line[pos])) {
            return fail(Quoted(line) + " has no blank after the date" + std::string(FORMAT_HINT));
        }
        if (day < 1 || day > 30) {
            return fail("day " + std::to_string(day) + " in " + Quoted(line) +
                        " is not a lunar day 1..30");
        }
        if (month < 1 || month > 12) {
            return fail("month " + std::to_string(month) + " in " + Quoted(line) +
                        " is not a lunar month 1..12");
        }
        event.date.day = day;
        event.date.month = month;
        event.written =
            std::to_string(day) + "/" + std::to_string(month) + (event.date.leap ? "n" : "");
        std::string_view name = line.substr(pos);
        while (!name.empty() && IsBlank(name.front())) {
            name.remove_prefix(1);
        }
        if (name.empty()) {
            return fail(Quoted(line) + " has no name after the date" + std::string(FORMAT_HINT));
        }
        event.name = std::string(name);
        const bool repeated = std::any_of(events.begin(), events.end(), [&](const LunarEvent& e) {
            return e.date == event.date && e.name == event.name;
        });
        if (!repeated) {
            events.push_back(std::move(event));
        }
    }
    return events;
}

} // namespace moonleaf::cli
