// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/IcsCalendar.h"

#include "cli/IsoDate.h"
#include "engine/JulianDay.h"
#include "engine/DayInfo.h"
#include "engine/Holidays.h"
#include "engine/LunarConversion.h"
#include "text/Utf.h"
#include "text/VniToUnicode.h"

#include <cstdio>
#include <map>

#ifndef MOONLEAF_VERSION
#define MOONLEAF_VERSION "0.0.0"
#endif

namespace moonleaf::cli {
namespace {

constexpr std::size_t MAX_LINE_OCTETS = 75;
constexpr double UNIX_EPOCH_JDN = 2440588; // 1 January 1970
constexpr std::int64_t SECONDS_PER_DAY = 86400;

std::string Utf8(std::u16string vni) {
    return Utf16ToUtf8(VniToUnicode(vni));
}

std::string TrimmedName(std::string name) {
    while (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
    return name;
}

std::string Digits(double value, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*lld", width, static_cast<long long>(value));
    return buffer;
}

// YYYYMMDD, the form of a DATE value.
std::string DateValue(const CalDate& date) {
    return Digits(date.Year, 4) + Digits(date.Month, 2) + Digits(date.Day, 2);
}

// 64-bit FNV-1a of `text` as 16 hexadecimal digits: a short, stable part of an event's UID.
std::string Fingerprint(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char buffer[20];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(hash));
    return buffer;
}

// The lunar date of `solar` as words: "Âm lịch: ngày 15 tháng 8 năm Bính Ngọ", with "nhuận"
// after the month when `solar` lies in a leap month.
std::string LunarDescription(const CalDate& solar) {
    const DayInfo info = BuildDayInfo(solar.Day, solar.Month, solar.Year, TIMEZONE);
    std::string text = Utf8(u"A6m li5ch: nga2y ") +
                       std::to_string(static_cast<int>(info.LunarDay)) + Utf8(u" tha1ng ") +
                       std::to_string(static_cast<int>(info.LunarMonth));
    if (IsInLeapMonth(solar.Day, solar.Month, solar.Year, TIMEZONE)) {
        text += Utf8(u" nhua65n");
    }
    return text + Utf8(u" na8m ") + Utf8(info.YearCanChi);
}

struct EventText {
    std::string uid;
    std::string summary;
    std::string description;
};

class Writer {
public:
    Writer(std::ostream& out, std::string stamp) : out_(out), stamp_(std::move(stamp)) {}

    void Line(std::string_view line) {
        block_ += FoldContentLine(line);
        if (block_.size() >= BLOCK) {
            Flush();
        }
    }

    void Event(const CalDate& date, const EventText& event) {
        const CalDate next = JdnToDate(DateToJdn(date.Day, date.Month, date.Year) + 1);
        Line("BEGIN:VEVENT");
        Line("UID:" + event.uid);
        Line("DTSTAMP:" + stamp_);
        Line("DTSTART;VALUE=DATE:" + DateValue(date));
        Line("DTEND;VALUE=DATE:" + DateValue(next));
        Line("SUMMARY:" + EscapeText(event.summary));
        Line("DESCRIPTION:" + EscapeText(event.description));
        Line("TRANSP:TRANSPARENT");
        Line("END:VEVENT");
    }

    bool Finish() {
        Flush();
        out_.flush();
        return static_cast<bool>(out_);
    }

private:
    // Lines are gathered into blocks of about 1 MiB so that the stream sees few large writes.
    static constexpr std::size_t BLOCK = 1 << 20;

    void Flush() {
        out_.write(block_.data(), static_cast<std::streamsize>(block_.size()));
        block_.clear();
    }

    std::ostream& out_;
    std::string stamp_;
    std::string block_;
};

} // namespace

std::string FoldContentLine(std::string_view line) {
    std::string out;
    std::size_t limit = MAX_LINE_OCTETS;
    while (line.size() > limit) {
        std::size_t cut = limit;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) {
            --cut; // back to the first byte of the character that would be split
        }
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
        limit = MAX_LINE_OCTETS - 1; // the blank that starts a continuation line counts
    }
    out.append(line);
    out += "\r\n";
    return out;
}

std::string EscapeText(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\':
        case ';':
        case ',':
            out += '\\';
            out += c;
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string FormatStamp(std::int64_t seconds) {
    const std::int64_t days = seconds / SECONDS_PER_DAY;
    const std::int64_t rest = seconds % SECONDS_PER_DAY;
    const CalDate date = JdnToDate(UNIX_EPOCH_JDN + static_cast<double>(days));
    return DateValue(date) + "T" + Digits(static_cast<double>(rest / 3600), 2) +
           Digits(static_cast<double>(rest / 60 % 60), 2) +
           Digits(static_cast<double>(rest % 60), 2) + "Z";
}

bool WriteIcs(const IcsRequest& request, std::ostream& out) {
    const double first = DateToJdn(1, 1, request.fromYear);
    const double last = DateToJdn(31, 12, request.toYear);

    // The personal events by day. A lunar year begins in January or February, so the lunar
    // years from the one before the first Gregorian year to the last Gregorian year reach
    // every day of the range.
    std::map<double, std::vector<std::pair<const LunarEvent*, AnniversaryDate>>> personal;
    for (int year = request.fromYear - 1; year <= request.toYear; ++year) {
        const int leapMonth = LeapMonthOf(year);
        for (const LunarEvent& event : request.events) {
            const AnniversaryDate kept = AnniversaryIn(event.date, year, leapMonth);
            const double jd = DateToJdn(kept.solar.Day, kept.solar.Month, kept.solar.Year);
            if (jd >= first && jd <= last) {
                personal[jd].emplace_back(&event, kept);
            }
        }
    }

    Writer writer(out, FormatStamp(request.stamp));
    writer.Line("BEGIN:VCALENDAR");
    writer.Line("VERSION:2.0");
    writer.Line("PRODID:-//Moonleaf//moonleaf-cli " MOONLEAF_VERSION "//VI");
    writer.Line("CALSCALE:GREGORIAN");
    writer.Line("METHOD:PUBLISH");
    writer.Line("X-WR-CALNAME:Moonleaf " + std::to_string(request.fromYear) + "-" +
                std::to_string(request.toYear));
    auto found = personal.begin();
    for (double jd = first; jd <= last; ++jd) {
        const CalDate date = JdnToDate(jd);
        const std::string day = DateValue(date);
        const CalDate lunar = SolarToLunar(date.Day, date.Month, date.Year, TIMEZONE);
        const bool leap = IsInLeapMonth(date.Day, date.Month, date.Year, TIMEZONE);
        if (auto name = FindSolarHoliday({date.Day, date.Month, 0}); !name.empty()) {
            writer.Event(
                date, {day + "-solar@moonleaf", TrimmedName(Utf8(name)), LunarDescription(date)});
        }
        // A festival is kept once a year, in the ordinary month of its number.
        if (auto name = FindLunarHoliday({lunar.Day, lunar.Month, 0}); !name.empty() && !leap) {
            writer.Event(
                date, {day + "-lunar@moonleaf", TrimmedName(Utf8(name)), LunarDescription(date)});
        }
        if (found != personal.end() && found->first == jd) {
            for (const auto& [event, kept] : found->second) {
                std::string description = LunarDescription(date);
                const std::string keptAs = std::to_string(kept.lunarDay) + "/" +
                                           std::to_string(event->date.month) +
                                           (kept.leap ? "n" : "");
                if (keptAs != event->written) {
                    description += Utf8(u" (nga2y ghi: ") + event->written + ")";
                }
                writer.Event(date, {day + "-" + Fingerprint(event->written + " " + event->name) +
                                        "@moonleaf",
                                    event->name, description});
            }
            ++found;
        }
    }
    writer.Line("END:VCALENDAR");
    return writer.Finish();
}

} // namespace moonleaf::cli
