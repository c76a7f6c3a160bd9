// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DaySummary.h"

#include "cli/IsoDate.h"
#include "engine/JulianDay.h"
#include "engine/LunarConversion.h"
#include "mainwindow/DayView.h"
#include "text/Utf.h"
#include "text/VniToUnicode.h"

#include <array>
#include <vector>

namespace moonleaf::cli {
namespace {

constexpr std::size_t INNER_WIDTH = 44; // characters between the two frame columns

std::u16string Converted(std::u16string vni) {
    return VniToUnicode(vni);
}

// The animals of the twelve branches, 0 Tý (rat) .. 11 Hợi (pig), in VNI.
constexpr std::array<const char16_t*, 12> ANIMAL_NAMES{u"Chuo65t", u"Tra6u", u"Ho63",   u"Me2o",
                                                       u"Ro62ng",  u"Ra81n", u"Ngu75a", u"De6",
                                                       u"Khi3",    u"Ga2",   u"Cho1",   u"Lo75n"};

// The moon as a word, for picture index 0..29 (0: no moon on the month's last day).
std::u16string MoonWords(int picture) {
    if (picture == 0) {
        return Converted(u"kho6ng tra8ng");
    }
    if (picture <= 6) {
        return Converted(u"tra8ng lu7o74i lie62m d9a62u tha1ng");
    }
    if (picture <= 9) {
        return Converted(u"tra8ng thu7o75ng huye62n");
    }
    if (picture <= 13) {
        return Converted(u"tra8ng ga62n tro2n");
    }
    if (picture <= 16) {
        return Converted(u"tra8ng tro2n");
    }
    if (picture <= 20) {
        return Converted(u"tra8ng ba81t d9a62u khuye61t");
    }
    if (picture <= 23) {
        return Converted(u"tra8ng ha5 huye62n");
    }
    return Converted(u"tra8ng lu7o74i lie62m cuo61i tha1ng");
}

// Characters of a Unicode text as a terminal shows them: every Vietnamese letter is one
// precomposed code unit, so the count of code units is the width.
std::size_t Width(std::u16string_view text) {
    return text.size();
}

class Frame {
public:
    explicit Frame(bool color) : color_(color) {}

    void Rule(const char* left, const char* right) {
        out_ += left;
        for (std::size_t i = 0; i < INNER_WIDTH + 2; ++i) {
            out_ += "─";
        }
        out_ += right;
        out_ += '\n';
    }

    // Left text and right text on one line, padded between; when both do not fit, the
    // right text goes right-aligned onto a line of its own.
    void Split(std::u16string_view left, std::u16string_view right,
               const char* rightEscape = nullptr) {
        left = left.substr(0, INNER_WIDTH);
        right = right.substr(0, INNER_WIDTH);
        if (Width(left) + Width(right) + 1 > INNER_WIDTH && !right.empty()) {
            Split(left, u"");
            Split(u"", right, rightEscape);
            return;
        }
        Open();
        AppendUtf8(out_, left);
        out_.append(INNER_WIDTH - Width(left) - Width(right), ' ');
        Colored(right, rightEscape);
        Close();
    }

    void Centre(std::u16string_view text, const char* escape = nullptr) {
        const std::size_t width = Width(text) > INNER_WIDTH ? INNER_WIDTH : Width(text);
        const std::size_t left = (INNER_WIDTH - width) / 2;
        Open();
        out_.append(left, ' ');
        Colored(text, escape);
        out_.append(INNER_WIDTH - width - left, ' ');
        Close();
    }

    // A longer text broken at blanks into centred lines.
    void Wrapped(std::u16string_view text) {
        std::u16string line;
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find(u' ', start);
            if (end == std::u16string_view::npos) {
                end = text.size();
            }
            const std::u16string_view word = text.substr(start, end - start);
            if (!line.empty() && Width(line) + 1 + Width(word) > INNER_WIDTH) {
                Centre(line);
                line.clear();
            }
            if (!word.empty()) {
                if (!line.empty()) {
                    line += u' ';
                }
                line += word.substr(0, INNER_WIDTH);
            }
            start = end + 1;
        }
        if (!line.empty()) {
            Centre(line);
        }
    }

    std::string Take() { return std::move(out_); }

private:
    void Open() { out_ += "│ "; }
    void Close() { out_ += " │\n"; }
    void Colored(std::u16string_view text, const char* escape) {
        if (color_ && escape != nullptr) {
            out_ += escape;
            AppendUtf8(out_, text);
            out_ += "\x1b[0m";
        } else {
            AppendUtf8(out_, text);
        }
    }

    bool color_;
    std::string out_;
};

const char* Escape(ViewColor color) {
    switch (color) {
    case ViewColor::Red:
        return "\x1b[1;31m";
    case ViewColor::DarkBlue:
        return "\x1b[1;34m";
    case ViewColor::ButtonText:
        break;
    }
    return "\x1b[1m";
}

} // namespace

std::string DaySummary(const CalDate& date, bool color) {
    const DayView view = ComposeDayView(date.Day, date.Month, date.Year);
    const DayInfo& info = view.Info;
    const bool leap = IsInLeapMonth(date.Day, date.Month, date.Year, TIMEZONE);

    Frame frame(color);
    frame.Rule("┌", "┐");
    frame.Centre(u"Moonleaf");
    frame.Rule("├", "┤");
    frame.Split(view.lbThangD, view.lbThangEN);
    frame.Centre(view.lbYear);
    frame.Centre(view.lbNgayD, Escape(view.lbNgayDColor));
    frame.Split(view.lbThuV, view.lbDateEN);
    if (view.Holiday) {
        frame.Centre(u"");
        frame.Wrapped(*view.Holiday);
    }
    frame.Rule("├", "┤");
    frame.Split(view.lbGioA, view.lbThangADT);
    frame.Split(view.lbNgayA, view.lbDateA, Escape(view.lbDateAColor));
    frame.Split(view.lbThangA, view.lbTietKhi);
    frame.Split(view.lbNamA, u"");
    std::u16string lunar = Converted(u"A6m li5ch: nga2y ") +
                           AsciiToUtf16(std::to_string(static_cast<long long>(info.LunarDay))) +
                           Converted(u" tha1ng ") +
                           AsciiToUtf16(std::to_string(static_cast<long long>(info.LunarMonth)));
    if (leap) {
        lunar += Converted(u" nhua65n");
    }
    lunar +=
        Converted(u" na8m ") + AsciiToUtf16(std::to_string(static_cast<long long>(info.LunarYear)));
    frame.Split(lunar, u"");
    std::u16string animal = Converted(u"Con gia1p: ");
    if (view.AnimalPicture) {
        animal += Converted(ANIMAL_NAMES[static_cast<std::size_t>(*view.AnimalPicture)]);
    }
    frame.Split(animal, u"");
    frame.Split(Converted(u"Tra8ng: ") + MoonWords(view.MoonPicture), u"");
    frame.Rule("└", "┘");
    return frame.Take();
}

} // namespace moonleaf::cli
