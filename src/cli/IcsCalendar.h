// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/LunarEvents.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace moonleaf::cli {

// Years an iCalendar file may cover. iCalendar dates are Gregorian, and the calendar counts
// in the Julian calendar before 15 October 1582, so the first whole Gregorian year is the
// first one; every event ends on the next day, which must still have a four-digit year.
inline constexpr int ICS_MIN_YEAR = 1583;
inline constexpr int ICS_MAX_YEAR = 9998;

// Latest DTSTAMP: the last second of 9999, in seconds since 1970-01-01 UTC.
inline constexpr std::int64_t ICS_MAX_STAMP = 253402300799;

struct IcsRequest {
    int fromYear = 0; // first and last Gregorian year, ICS_MIN_YEAR <= from <= to <= ICS_MAX_YEAR
    int toYear = 0;
    std::vector<LunarEvent> events;
    std::int64_t stamp = 0; // the DTSTAMP, seconds since 1970-01-01 UTC, 0..ICS_MAX_STAMP
};

// Writes the iCalendar file: one all-day event for every day of the years that a holiday
// list names (a lunar holiday once a year, in the ordinary month of its number) and for
// every day that an event of the request falls on, in date order. Needs the holiday lists
// filled. Returns false when the stream reported a write error.
bool WriteIcs(const IcsRequest& request, std::ostream& out);

// One content line folded to lines of at most 75 octets, each ended by CR LF; a
// continuation line starts with a blank, and no UTF-8 sequence is split.
std::string FoldContentLine(std::string_view line);

// A TEXT value: backslash, semicolon, comma and line ends escaped.
std::string EscapeText(std::string_view text);

// A UTC date-time value, e.g. 20260101T000000Z.
std::string FormatStamp(std::int64_t seconds);

} // namespace moonleaf::cli
