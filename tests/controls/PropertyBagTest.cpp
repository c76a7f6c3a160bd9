// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/PropertyBag.h"

#include "platform/VietnameseFont.h"

#include <QFontInfo>
#include <QStringList>

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

QStringList Keys(const PropertyBag& bag) {
    QStringList keys;
    for (const auto& entry : bag.Entries()) {
        keys << entry.Key;
    }
    return keys;
}

TEST(PropertyBag, KeysMatchWithoutRegardToCase) {
    PropertyBag bag;
    bag.Set(QStringLiteral("backcolor"), std::int32_t{0x00FFFFFF});
    bag.Set(QStringLiteral("caption"), QStringLiteral("Ngày"));
    EXPECT_EQ(bag.ReadColor(u"BackColor", 0x8000000F), 0x00FFFFFFU);
    EXPECT_EQ(bag.ReadString(u"CAPTION", QString()), QStringLiteral("Ngày"));
    bag.Set(QStringLiteral("BACKCOLOR"), std::int32_t{0xFF});
    EXPECT_EQ(bag.Entries().size(), 2U); // replaced, not added
    EXPECT_EQ(bag.ReadColor(u"backcolor", 0), 0xFFU);
}

TEST(PropertyBag, MissingOrMistypedKeysGiveTheDefault) {
    PropertyBag bag;
    bag.Set(QStringLiteral("Caption"), std::int32_t{5});
    EXPECT_EQ(bag.ReadString(u"Caption", QStringLiteral("UniLabel")), QStringLiteral("UniLabel"));
    EXPECT_EQ(bag.ReadInt16(u"Alignment", 2), 2);
    EXPECT_EQ(bag.ReadColor(u"ForeColor", 0x80000012), 0x80000012U);
}

TEST(PropertyBag, SystemColourSurvivesAsItsSignedBits) {
    PropertyBag bag;
    bag.WriteColor(QStringLiteral("BackColor"), 0x80000005, 0x8000000F);
    const auto* stored = std::get_if<std::int32_t>(bag.Find(u"backcolor"));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(*stored, -2147483643);
    EXPECT_EQ(bag.ReadColor(u"BackColor", 0), 0x80000005U);
}

TEST(PropertyBag, BooleansAndIntegersReadAsEachOther) {
    PropertyBag bag;
    bag.Set(QStringLiteral("Enabled"), std::int32_t{0});
    bag.Set(QStringLiteral("Locked"), std::int32_t{-1});
    bag.Set(QStringLiteral("Alignment"), true);
    EXPECT_FALSE(bag.ReadBool(u"Enabled", true));
    EXPECT_TRUE(bag.ReadBool(u"Locked", false));
    EXPECT_EQ(bag.ReadInt16(u"Alignment", 0), -1);
}

TEST(PropertyBag, IntegerTooWideForSixteenBitsGivesTheDefault) {
    PropertyBag bag;
    bag.Set(QStringLiteral("Alignment"), std::int32_t{70000});
    EXPECT_EQ(bag.ReadInt16(u"Alignment", 1), 1);
    EXPECT_EQ(bag.ReadInt32(u"Alignment", 1), 70000);
}

TEST(PropertyBag, DefaultsAreNotWrittenAndRemoveOlderEntries) {
    PropertyBag bag;
    bag.WriteInt16(QStringLiteral("Alignment"), 0, 0);
    bag.WriteBool(QStringLiteral("Enabled"), false, true);
    bag.WriteString(QStringLiteral("Caption"), QStringLiteral("x"), QStringLiteral("UniLabel"));
    EXPECT_EQ(Keys(bag), (QStringList{QStringLiteral("Enabled"), QStringLiteral("Caption")}));
    bag.WriteBool(QStringLiteral("enabled"), true, true);
    EXPECT_EQ(Keys(bag), QStringList{QStringLiteral("Caption")});
}

TEST(PropertyBag, FontKeepsItsFaceNameSizeAndStyle) {
    QFont tahoma = LoadFont({QStringLiteral("Tahoma"), 82500, 700, true, false, true, 0});
    PropertyBag bag;
    bag.WriteFont(QStringLiteral("Font"), tahoma, QFont(QStringLiteral("DejaVu Sans"), 9));
    const auto* stored = std::get_if<StoredFont>(bag.Find(u"font"));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->Name, QStringLiteral("Tahoma"));
    EXPECT_EQ(stored->Size, 82500);
    EXPECT_EQ(stored->Weight, 700);
    EXPECT_TRUE(stored->Italic);
    EXPECT_FALSE(stored->Underline);
    EXPECT_TRUE(stored->Strikethrough);

    const QFont loaded = bag.ReadFont(u"Font", QFont());
    EXPECT_DOUBLE_EQ(loaded.pointSizeF(), 8.25);
    EXPECT_EQ(loaded.weight(), 700);
    // The letters come from a family that has the Vietnamese ones.
    EXPECT_TRUE(ShowsVietnamese(QFontInfo(loaded).family()));
}

TEST(PropertyBag, FontEqualToTheDefaultIsNotWritten) {
    const QFont ambient(QStringLiteral("DejaVu Sans"), 9);
    PropertyBag bag;
    bag.WriteFont(QStringLiteral("Font"), ambient, ambient);
    EXPECT_TRUE(bag.Entries().empty());
}

} // namespace
} // namespace moonleaf
