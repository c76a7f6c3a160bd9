// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Holidays.h"

#include <array>

namespace moonleaf {
namespace {

struct Entry {
    CalDate date;
    std::u16string name;
};

struct Lists {
    std::array<Entry, 51> lunar;
    std::array<Entry, 101> solar;
};

template <std::size_t N>
bool Store(std::array<Entry, N>& list, std::int16_t index, double day, double month,
           const std::u16string& name) {
    if (index < 0 || static_cast<std::size_t>(index) >= N) {
        return false;
    }
    Entry& entry = list[static_cast<std::size_t>(index)];
    entry.date.Day = day;
    entry.date.Month = month;
    entry.name = name;
    return true;
}

template <std::size_t N>
std::u16string Find(const std::array<Entry, N>& list, std::size_t searched, const CalDate& date) {
    for (std::size_t i = 0; i < searched; ++i) {
        if (list[i].date.Day == date.Day && list[i].date.Month == date.Month) {
            return list[i].name;
        }
    }
    return {};
}

struct Row {
    double day;
    double month;
    const char16_t* name;
};

constexpr std::array<Row, 11> LUNAR_ROWS{{
    {1, 1, u"Mo62ng 1 Te61t Nguye6n D9a1n - An Khang Thi5nh Vu7o75ng"},
    {2, 1, u"Mo62ng 2 Te61t Nguye6n D9a1n - Va5n Su75 Nhu7 Y1"},
    {3, 1, u"Mo62ng 3 Te61t Nguye6n D9a1n - Ta61n Ta2i Ta61n Lo65c"},
    {15, 8, u"Te61t Trung Thu"},
    {23, 12, u"Te61t O6ng Co6ng - O6ng Ta1o"},
    {6, 1, u"Nga2y ba81t d9a62u Ho65i Chu2a Hu7o7ng"},
    {15, 1, u"Te61t Nguye6n Tie6u"},
    {3, 3, u"Te61t Ha2n Thu75c"},
    {10, 3, u"Gio64 to63 Hu2ng Vu7o7ng"},
    {15, 4, u"Le64 Pha65t D9a3n"},
    {5, 5, u"Te61t D9oan Ngo5"},
}};

constexpr std::array<Row, 48> SOLAR_ROWS{{
    {1, 1, u"Te61t Du7o7ng Li5ch - Happy New Year"},
    {8, 3, u"Nga2y Quo61c te61 Phu5 nu74"},
    {2, 9, u"Nga2y Quo61c kha1nh nu7o71c Co65ng Ho2a Xa4 Ho65i Chu3 nghi4a Vie65t Nam"},
    {20, 11, u"Nga2y nha2 gia1o Vie65t Nam"},
    {10, 12, u"Nga2y pha1t thu7o73ng gia3i Nobel"},
    {25, 12, u"Le64 Gia1ng Sinh (NOEL)"},
    {9, 1, u"Nga2y ho5c sinh sinh vie6n Vie65t Nam (1950)"},
    {3, 2, u"Nga2y tha2nh la65p D9a3ng Co65ng Sa3n Vie65t Nam (1930)"},
    {14, 2, u"Nga2y le64 ti2nh ye6u"},
    {27, 2, u"Nga2y tha62y thuo61c Vie65t Nam (1955)"},
    {15, 3, u"Nga2y Quo61c te61 quye62n ngu7o72i tie6u du2ng"},
    {22, 3, u"Nga2y nu7o71c sa5ch the61 gio71i"},
    {23, 3, u"Nga2y khi1 tu7o75ng the61 gio71i"},
    {24, 3, u"Nga2y the61 gio71i pho2ng cho61ng be65nh lao"},
    {26, 3, u"Nga2y tha2nh la65p D9oa2n TNCS Ho62 Chi1 Minh (1931)"},
    {27, 3, u"Nga2y the63 thao Vie65t Nam (1946)"},
    {1, 4, u"Nga2y Quo61c te61 no1i do61i"},
    {7, 4, u"Nga2y su71c kho3e the61 gio71i"},
    {12, 4, u"Nga2y ha2ng kho6ng vu4 tru5 Quo61c te61"},
    {23, 4, u"Nga2y ba3n quye62n va2 sa1ch the61 gio71i"},
    {30, 4, u"Nga2y gia3i pho1ng Mie62n Nam, tho61ng nha61t d9a61t nu7o71c (1975) "},
    {1, 5, u"Nga2y Quo61c te61 lao d9o65ng (1886)"},
    {15, 5,
     u"Nga2y tha2nh la65p D9o65i Thie61u nie6n Tie62n Phong Ho62 Chi1 Minh va2 D9o65i "
     u"Nhi d9o62ng Ho62 Chi1 Minh (1941)"},
    {19, 5, u"Nga2y sinh Chu3 ti5ch Ho62 Chi1 Minh"},
    {1, 6, u"Nga2y Quo61c te61 Thie61u nhi"},
    {5, 6, u"Nga2y mo6i tru7o72ng the61 gio71i"},
    {21, 6, u"Nga2y ba1o chi1 Vie65t Nam"},
    {26, 6, u"Nga2y Hie61n chu7o7ng Lie6n Hie65p Quo61c"},
    {28, 6, u"Nga2y gia d9i2nh Vie65t Nam"},
    {11, 7, u"Nga2y da6n so61 the61 gio71i"},
    {28, 7, u"Nga2y tha2nh la65p To63ng co6ng d9oa2n Vie65t Nam"},
    {27, 7, u"Nga2y thu7o7ng binh Lie65t si4 (1947)"},
    {19, 8, u"Nga2y Ca1ch ma5ng tha1ng ta1m tha2nh co6ng"},
    {1, 9, u"Nga2y the61 gio71i vi2 hoa2 bi2nh"},
    {8, 9, u"Nga2y quo61c te61 ca1c nha2 ba1o"},
    {27, 9, u"Nga2y du li5ch the61 gio71i"},
    {1, 10, u"Nga2y Quo61c te61 ngu7o72i cao tuo63i"},
    {4, 10, u"Nga2y pho2ng cha1y chu74a cha1y toa2n da6n"},
    {9, 10, u"Nga2y bu7u chi1nh Quo61c te61 (1874)"},
    {10, 10, u"Nga2y gia3i pho1ng Thu3 d9o6 Ha2 No65i (1954)"},
    {16, 10, u"Nga2y lu7o7ng thu75c the61 gio71i (1945)"},
    {20, 10, u"Nga2y tha2nh la65p Ho65i Lie6n hie65p phu5 nu74 Vie65t Nam"},
    {23, 11, u"Nga2y tha2nh la65p ho65i chu74 tha65p d9o3 Vie65t Nam (1946)"},
    {24, 10, u"Nga2y tha2nh la65p Lie6n Hie65p Quo61c (1945)"},
    {3, 12, u"Nga2y Quo61c te61 ngu7o72i khuye61t ta65t"},
    {10, 12, u"Nga2y quo61c te61 quye62n con ngu7o72i"},
    {22, 12, u"Nga2y tha2nh la65p Qua6n d9o65i nha6n da6n Vie65t Nam (1944)"},
    {26, 12, u"Nga2y da6n so61 Vie65t Nam"},
}};

// Writes the built-in rows into their slots; slots past the rows keep what they hold.
void Fill(Lists& lists) {
    for (std::size_t i = 0; i < LUNAR_ROWS.size(); ++i) {
        Store(lists.lunar, static_cast<std::int16_t>(i), LUNAR_ROWS[i].day, LUNAR_ROWS[i].month,
              LUNAR_ROWS[i].name);
    }
    for (std::size_t i = 0; i < SOLAR_ROWS.size(); ++i) {
        Store(lists.solar, static_cast<std::int16_t>(i), SOLAR_ROWS[i].day, SOLAR_ROWS[i].month,
              SOLAR_ROWS[i].name);
    }
}

// The two lists, filled with the built-in rows the first time anything touches them, so no
// lookup can ever see them empty.
Lists& TheLists() {
    static Lists lists = [] {
        Lists filled;
        Fill(filled);
        return filled;
    }();
    return lists;
}

} // namespace

void InitHolidays() {
    Fill(TheLists());
}

bool AddLunarHoliday(std::int16_t index, double day, double month, const std::u16string& name) {
    return Store(TheLists().lunar, index, day, month, name);
}

bool AddSolarHoliday(std::int16_t index, double day, double month, const std::u16string& name) {
    return Store(TheLists().solar, index, day, month, name);
}

std::u16string FindLunarHoliday(const CalDate& lunarDate) {
    return Find(TheLists().lunar, 50, lunarDate);
}

std::u16string FindSolarHoliday(const CalDate& date) {
    return Find(TheLists().solar, 100, date);
}

std::u16string HolidayName(const CalDate& date, std::int32_t solar) {
    return solar != 0 ? FindSolarHoliday(date) : FindLunarHoliday(date);
}

} // namespace moonleaf
