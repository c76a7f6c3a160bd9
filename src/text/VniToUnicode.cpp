// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/VniToUnicode.h"

#include <array>
#include <cstddef>

namespace moonleaf {
namespace {

// The 24 vowels that take a tone mark, each row: the vowel, then its acute (1), grave (2),
// hook above (3), tilde (4) and dot below (5) forms, as precomposed code points.
struct ToneRow {
    char16_t vowel;
    std::array<char16_t, 5> toned;
};

constexpr std::array<ToneRow, 24> TONE_TABLE{{
    {u'a', {225, 224, 7843, 227, 7841}},      {u'A', {193, 192, 7842, 195, 7840}},
    {0x00E2, {7845, 7847, 7849, 7851, 7853}}, {0x00C2, {7844, 7846, 7848, 7850, 7852}},
    {0x0103, {7855, 7857, 7859, 7861, 7863}}, {0x0102, {7854, 7856, 7858, 7860, 7862}},
    {u'e', {233, 232, 7867, 7869, 7865}},     {u'E', {201, 200, 7866, 7868, 7864}},
    {0x00EA, {7871, 7873, 7875, 7877, 7879}}, {0x00CA, {7870, 7872, 7874, 7876, 7878}},
    {u'i', {237, 236, 7881, 297, 7883}},      {u'I', {205, 204, 7880, 296, 7882}},
    {u'o', {243, 242, 7887, 245, 7885}},      {u'O', {211, 210, 7886, 213, 7884}},
    {0x00F4, {7889, 7891, 7893, 7895, 7897}}, {0x00D4, {7888, 7890, 7892, 7894, 7896}},
    {0x01A1, {7899, 7901, 7903, 7905, 7907}}, {0x01A0, {7898, 7900, 7902, 7904, 7906}},
    {u'u', {250, 249, 7911, 361, 7909}},      {u'U', {218, 217, 7910, 360, 7908}},
    {0x01B0, {7913, 7915, 7917, 7919, 7921}}, {0x01AF, {7912, 7914, 7916, 7918, 7920}},
    {u'y', {253, 7923, 7927, 7929, 7925}},    {u'Y', {221, 7922, 7926, 7928, 7924}},
}};

// Shape marks: circumflex (6), horn (7), breve (8) and stroke (9).
struct ShapeRow {
    char16_t digit;
    char16_t letter;
    char16_t shaped;
};

constexpr std::array<ShapeRow, 14> SHAPE_TABLE{{
    {u'6', u'a', 226},
    {u'6', u'A', 194},
    {u'6', u'e', 234},
    {u'6', u'E', 202},
    {u'6', u'o', 244},
    {u'6', u'O', 212},
    {u'7', u'o', 417},
    {u'7', u'O', 416},
    {u'7', u'u', 432},
    {u'7', u'U', 431},
    {u'8', u'a', 259},
    {u'8', u'A', 258},
    {u'9', u'd', 273},
    {u'9', u'D', 272},
}};

// Every letter a mark applies to lies below U+0200, so one row of 512 entries per digit
// holds the whole notation: COMPOSE[digit - '1'][letter] is the merged letter or 0.
constexpr char16_t LETTER_LIMIT = 0x200;

struct ComposeTable {
    char16_t merged[9][LETTER_LIMIT] = {};
};

constexpr ComposeTable BuildComposeTable() {
    ComposeTable table;
    for (const ToneRow& row : TONE_TABLE) {
        for (std::size_t tone = 0; tone < 5; ++tone) {
            table.merged[tone][row.vowel] = row.toned[tone];
        }
    }
    for (const ShapeRow& row : SHAPE_TABLE) {
        table.merged[row.digit - u'1'][row.letter] = row.shaped;
    }
    return table;
}

constexpr ComposeTable COMPOSE = BuildComposeTable();

} // namespace

char16_t VniCompose(char16_t letter, char16_t digit) {
    if (digit < u'1' || digit > u'9' || letter >= LETTER_LIMIT) {
        return 0;
    }
    return COMPOSE.merged[digit - u'1'][letter];
}

std::u16string VniToUnicode(std::u16string& text) {
    for (int pass = 0; pass < 2; ++pass) {
        // One pass looks at each pair of neighbours from the left. After a merge the scan
        // moves on by one position in the shortened text, so the merged letter is not looked
        // at again in this pass: the digit right after it waits for the next pass (that is
        // what lets "a61" become "ấ" in two passes, while "u7o7" is done in one). Because
        // the merged letter is never re-read, the pass can write its result over the text
        // from the left with a read position that runs ahead of the write position.
        const std::size_t n = text.size();
        std::size_t read = 0;
        std::size_t write = 0;
        while (read + 1 < n) {
            const char16_t merged = VniCompose(text[read], text[read + 1]);
            if (merged != 0) {
                text[write++] = merged;
                read += 2;
            } else {
                text[write++] = text[read++];
            }
        }
        if (read < n) {
            text[write++] = text[read];
        }
        text.resize(write);
    }
    return text;
}

} // namespace moonleaf
