// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DayFields.h"

#include "cli/IsoDate.h"
#include "engine/JulianDay.h"
#include "mainwindow/DayView.h"
#include "text/Utf.h"
#include "text/VniToUnicode.h"

#include <charconv>
#include <cstdio>
#include <unordered_map>

namespace moonleaf::cli {
namespace {

// The engine's names (Can Chi, weekdays, solar terms) are a few dozen fixed VNI texts, met
// again on every row of a long table: each is converted once and remembered.
const std::u16string& Converted(const std::u16string& vni) {
    static std::unordered_map<std::u16string, std::u16string> converted;
    auto found = converted.find(vni);
    if (found == converted.end()) {
        std::u16string unicode = vni;
        found = converted.emplace(vni, VniToUnicode(unicode)).first;
    }
    return found->second;
}

void AppendNumber(std::string& out, double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value));
    out.append(buffer, result.ptr);
}

class TsvSink final : public FieldSink {
public:
    explicit TsvSink(std::string& out) : out_(out) {}
    void Number(std::string_view, double value) override {
        Separate();
        AppendNumber(out_, value);
    }
    void Text(std::string_view, std::u16string_view value) override {
        Separate();
        AppendUtf8(out_, value);
    }
    void Ascii(std::string_view, std::string_view value) override {
        Separate();
        out_.append(value);
    }

private:
    void Separate() {
        if (!first_) {
            out_.push_back('\t');
        }
        first_ = false;
    }
    std::string& out_;
    bool first_ = true;
};

class JsonSink final : public FieldSink {
public:
    explicit JsonSink(std::string& out) : out_(out) {}
    void Number(std::string_view key, double value) override {
        Key(key);
        AppendNumber(out_, value);
    }
    void Text(std::string_view key, std::u16string_view value) override {
        std::string utf8;
        AppendUtf8(utf8, value);
        Ascii(key, utf8);
    }
    void Ascii(std::string_view key, std::string_view value) override {
        Key(key);
        AppendJsonString(out_, value);
    }

private:
    void Key(std::string_view key) {
        out_.append(first_ ? "{\n  \"" : ",\n  \"");
        out_.append(key);
        out_.append("\": ");
        first_ = false;
    }
    std::string& out_;
    bool first_ = true;
};

} // namespace

void AppendJsonString(std::string& out, std::string_view utf8) {
    out.push_back('"');
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (u < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            out.append(escape);
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
}

void VisitDayFields(const CalDate& date, FieldSink& sink) {
    const DayView view = ComposeDayView(date.Day, date.Month, date.Year);
    const DayInfo& info = view.Info;
    sink.Ascii("date", FormatIsoDate(date));
    sink.Number("jdn", DateToJdn(date.Day, date.Month, date.Year));
    sink.Text("weekday", view.lbThuV);
    sink.Number("lunar_day", info.LunarDay);
    sink.Number("lunar_month", info.LunarMonth);
    sink.Number("lunar_year", info.LunarYear);
    sink.Number("is_leap", info.IsLeap);
    sink.Number("has_leap", info.HasLeap);
    sink.Number("leap_month", info.LeapMonth);
    sink.Ascii("leap_start", FormatDmy(info.LeapStartDay, info.LeapStartMonth, info.LeapStartYear));
    sink.Ascii("leap_end", FormatDmy(info.LeapEndDay, info.LeapEndMonth, info.LeapEndYear));
    sink.Number("month_days", info.MonthDays);
    sink.Text("day_canchi", Converted(info.DayCanChi));
    sink.Number("day_branch", info.DayBranch);
    sink.Text("month_canchi", Converted(info.MonthCanChi));
    sink.Text("year_canchi", Converted(info.YearCanChi));
    sink.Text("hour_canchi", Converted(info.HourCanChi));
    sink.Text("term_name", Converted(info.TermName));
    sink.Ascii("term_start", FormatDmy(info.TermStartDay, info.TermStartMonth, info.TermStartYear));
    sink.Ascii("term_start_lunar", FormatDmy(info.TermStartLunarDay, info.TermStartLunarMonth,
                                             info.TermStartLunarYear));
    sink.Text("term_label", view.lbTietKhi);
    sink.Text("month_label", view.lbThangADT);
    sink.Number("moon_picture", view.MoonPicture);
    sink.Text("holiday", view.Holiday.value_or(std::u16string()));
    sink.Ascii("day_color", ColorName(view.lbNgayDColor));
    sink.Ascii("lunar_day_color", ColorName(view.lbDateAColor));
}

std::string TableHeader() {
    std::string header;
    for (std::size_t i = 0; i < DAY_COLUMNS.size(); ++i) {
        if (i > 0) {
            header.push_back('\t');
        }
        header.append(DAY_COLUMNS[i]);
    }
    header.push_back('\n');
    return header;
}

void AppendTableRow(std::string& out, const CalDate& date) {
    TsvSink sink(out);
    VisitDayFields(date, sink);
    out.push_back('\n');
}

bool WriteTable(const CalDate& from, const CalDate& to, std::ostream& out) {
    // Lines are gathered into blocks of about 1 MiB so that the stream sees few large writes.
    constexpr std::size_t BLOCK = 1 << 20;
    std::string block = TableHeader();
    block.reserve(BLOCK + 4096);
    const double last = DateToJdn(to.Day, to.Month, to.Year);
    for (double jd = DateToJdn(from.Day, from.Month, from.Year); jd <= last; ++jd) {
        AppendTableRow(block, JdnToDate(jd));
        if (block.size() >= BLOCK) {
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
            block.clear();
            if (!out) {
                return false;
            }
        }
    }
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
    out.flush();
    return static_cast<bool>(out);
}

std::string DayJson(const CalDate& date) {
    std::string out;
    JsonSink sink(out);
    VisitDayFields(date, sink);
    out.append("\n}\n");
    return out;
}

} // namespace moonleaf::cli
