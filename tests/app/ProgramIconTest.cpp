// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramIcon.h"

#include "support/TestSupport.h"

#include <QColor>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace moonleaf {
namespace {

const QColor LEAF(0x00, 0xc0, 0x00);     // the panel's green
const QColor CRESCENT(0x00, 0x80, 0x00); // the panel's darker green

// The pixel of `image` (n x n) that covers the point (x, y) of the icon's 256-unit field.
QColor At(const QImage& image, double x, double y) {
    const double scale = image.width() / 256.0;
    return image.pixelColor(static_cast<int>(x * scale), static_cast<int>(y * scale));
}

// Every size the installed icon theme carries: the window system asks the window icon for
// these, and a missing SVG icon engine (libqt6svg6) would give an empty icon.
TEST(ProgramIcon, DrawsTheCrescentAndClearCornersAtEveryThemeSize) {
    for (const int n : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage image = ProgramIcon().pixmap(QSize(n, n)).toImage();
        ASSERT_EQ(image.size(), QSize(n, n)) << n;
        testing::SaveTestImage(QStringLiteral("program-icon-%1").arg(n), image);
        // Inside the crescent's broad lower-left part, well away from its edges.
        EXPECT_TRUE(testing::Near(At(image, 56, 184), CRESCENT, 24)) << n;
        // The corners lie outside both the crescent and the leaf.
        for (const auto& [x, y] : {std::pair{4.0, 4.0}, {4.0, 252.0}, {252.0, 252.0}}) {
            EXPECT_EQ(At(image, x, y).alpha(), 0) << n << " at " << x << "," << y;
        }
    }
}

TEST(ProgramIcon, ShowsTheLeafBladeBesideItsMidrib) {
    const QImage image = ProgramIcon().pixmap(QSize(256, 256)).toImage();
    EXPECT_TRUE(testing::Near(At(image, 170, 105), LEAF));    // the blade, below the midrib
    EXPECT_TRUE(testing::Near(At(image, 160, 96), CRESCENT)); // the midrib itself
    EXPECT_TRUE(testing::Near(At(image, 205, 35), LEAF));     // near the tip, above the midrib
}

} // namespace
} // namespace moonleaf
