// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/IsoDate.h"

#include "engine/JulianDay.h"

#include <charconv>

namespace moonleaf::cli {
namespace {

bool ParseDigits(std::string_view text, int& value) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

std::string Quoted(std::string_view text) {
    // Keep the error line one line and printable whatever the user typed.
    std::string out = "'";
    for (char c : text.substr(0, 40)) {
        const auto u = static_cast<unsigned char>(c);
        out += (u < 0x20 || u == 0x7F) ? '?' : c;
    }
    if (text.size() > 40) {
        out += "...";
    }
    return out + "'";
}

} // namespace

bool DateExists(const CalDate& date) {
    const double jd = DateToJdn(date.Day, date.Month, date.Year);
    return jd != -1 && JdnToDate(jd) == date;
}

std::variant<CalDate, DateError> ParseIsoDate(std::string_view text) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' ||
        !ParseDigits(text.substr(0, 4), year) || !ParseDigits(text.substr(5, 2), month) ||
        !ParseDigits(text.substr(8, 2), day)) {
        return DateError{Quoted(text) + " is not a date; use YYYY-MM-DD, e.g. 2026-12-08"};
    }
    if (year < MIN_YEAR || year > MAX_YEAR) {
        return DateError{"year " + std::to_string(year) + " in " + Quoted(text) +
                         " is outside the supported range 1..9999"};
    }
    const CalDate date{static_cast<double>(day), static_cast<double>(month),
                       static_cast<double>(year)};
    if (month < 1 || month > 12 || day < 1 || !DateExists(date)) {
        std::string why = std::string(text) + " does not exist";
        if (year == 1582 && month == 10 && day >= 5 && day <= 14) {
            why += " (the calendar goes from 4 to 15 October 1582)";
        }
        return DateError{why};
    }
    return date;
}

std::variant<YearMonth, DateError> ParseYearMonth(std::string_view text) {
    YearMonth ym;
    if (text.size() != 7 || text[4] != '-' || !ParseDigits(text.substr(0, 4), ym.year) ||
        !ParseDigits(text.substr(5, 2), ym.month)) {
        return DateError{Quoted(text) + " is not a month; use YYYY-MM, e.g. 2026-03"};
    }
    if (ym.year < MIN_YEAR || ym.year > MAX_YEAR) {
        return DateError{"year " + std::to_string(ym.year) + " in " + Quoted(text) +
                         " is outside the supported range 1..9999"};
    }
    if (ym.month < 1 || ym.month > 12) {
        return DateError{"month " + std::to_string(ym.month) + " in " + Quoted(text) +
                         " is not in 01..12"};
    }
    return ym;
}

std::string FormatIsoDate(const CalDate& date) {
    // Zero-padded fields of at least 4, 2 and 2 digits.
    char buffer[80];
    char* end = buffer;
    const auto field = [&](double value, int width) {
        char digits[32];
        const char* last =
            std::to_chars(digits, digits + sizeof digits, static_cast<long long>(value)).ptr;
        for (auto pad = width - (last - digits); pad > 0; --pad) {
            *end++ = '0';
        }
        for (const char* c = digits; c != last; ++c) {
            *end++ = *c;
        }
    };
    field(date.Year, 4);
    *end++ = '-';
    field(date.Month, 2);
    *end++ = '-';
    field(date.Day, 2);
    return std::string(buffer, end);
}

std::string FormatDmy(double day, double month, double year) {
    char buffer[80];
    char* end = buffer;
    const double parts[3] = {day, month, year};
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            *end++ = '/';
        }
        end = std::to_chars(end, buffer + sizeof buffer, static_cast<long long>(parts[i])).ptr;
    }
    return std::string(buffer, end);
}

} // namespace moonleaf::cli
