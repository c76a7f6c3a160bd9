// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/EditStyle.h"

#include <gtest/gtest.h>

#include <ostream>

namespace moonleaf {
namespace {

struct StyleRow {
    const char* name;
    EditProperties properties;
    std::uint32_t style;
    std::uint32_t exStyle;
};

// A row reads as its name in test listings, not as the bytes of the struct.
void PrintTo(const StyleRow& row, std::ostream* out) {
    *out << row.name;
}

EditProperties With(void (*change)(EditProperties&)) {
    EditProperties p;
    change(p);
    return p;
}

class EditStyleRows : public ::testing::TestWithParam<StyleRow> {};

TEST_P(EditStyleRows, StyleWords) {
    const EditStyle style = BuildEditStyle(GetParam().properties);
    EXPECT_EQ(style.Style, GetParam().style);
    EXPECT_EQ(style.ExStyle, GetParam().exStyle);
}

INSTANTIATE_TEST_SUITE_P(
    Properties, EditStyleRows,
    ::testing::Values(
        StyleRow{"NewInstance", EditProperties{}, 0x54010080, 0x200},
        StyleRow{"FlatBorder", With([](EditProperties& p) { p.Appearance = 0; }), 0x54810080, 0},
        StyleRow{"NoBorder", With([](EditProperties& p) { p.BorderStyle = 0; }), 0x54010080, 0},
        // Scroll bars only come with Multiline, which drops the horizontal auto-scroll.
        StyleRow{"ScrollbarWithoutMultiline", With([](EditProperties& p) { p.Scrollbar = 3; }),
                 0x54010080, 0x200},
        StyleRow{"MultilineBothScrollbars", With([](EditProperties& p) {
                     p.Multiline = true;
                     p.Scrollbar = 3;
                 }),
                 0x54310044, 0x200},
        StyleRow{"MultilineUnknownScrollbar", With([](EditProperties& p) {
                     p.Multiline = true;
                     p.Scrollbar = 4;
                 }),
                 0x54010044, 0x200},
        // The main window's quotation boxes.
        StyleRow{"QuotationBox", With([](EditProperties& p) {
                     p.Multiline = true;
                     p.Locked = true;
                     p.BorderStyle = 0;
                     p.Alignment = 2;
                     p.HideSelection = true;
                 }),
                 0x54010945, 0},
        StyleRow{"PlatformMask", With([](EditProperties& p) { p.PasswordChar = "*"; }), 0x540100A0,
                 0x200},
        StyleRow{"OwnMaskIsSetLater", With([](EditProperties& p) { p.PasswordChar = "#"; }),
                 0x54010080, 0x200},
        StyleRow{"NoMaskWhenMultiline", With([](EditProperties& p) {
                     p.PasswordChar = "*";
                     p.Multiline = true;
                 }),
                 0x54010044, 0x200},
        StyleRow{"RightNumberUpper", With([](EditProperties& p) {
                     p.Alignment = 1;
                     p.NumberOnly = true;
                     p.TextConvert = 1;
                 }),
                 0x54012092, 0x200},
        StyleRow{"LowerCase", With([](EditProperties& p) { p.TextConvert = 2; }), 0x54010088,
                 0x200},
        StyleRow{"UnknownAlignmentIsLeft", With([](EditProperties& p) { p.Alignment = 7; }),
                 0x54010080, 0x200}),
    [](const ::testing::TestParamInfo<StyleRow>& row) { return row.param.name; });

} // namespace
} // namespace moonleaf
