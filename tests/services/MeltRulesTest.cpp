// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/MeltRules.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <vector>

namespace moonleaf {
namespace {

// A source that answers the listed numbers in order.
UniformSource Scripted(std::vector<double> values) {
    return
        [values = std::move(values), next = std::size_t{0}]() mutable { return values.at(next++); };
}

struct NearestRow {
    const char* name;
    double v;
    std::int16_t expected;
};

class Nearest16Test : public ::testing::TestWithParam<NearestRow> {};

TEST_P(Nearest16Test, RoundsToTheNearestAndHalvesToEven) {
    EXPECT_EQ(Nearest16(GetParam().v), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Nearest16Test,
    ::testing::Values(NearestRow{"halfToEvenZero", 0.5, 0}, NearestRow{"halfToEvenTwo", 1.5, 2},
                      NearestRow{"halfDownToTwo", 2.5, 2}, NearestRow{"halfUpToFour", 3.5, 4},
                      NearestRow{"negativeHalfToZero", -0.5, 0},
                      NearestRow{"negativeHalfToMinusTwo", -1.5, -2},
                      NearestRow{"justBelowHalf", 0.49999999, 0},
                      NearestRow{"justAboveHalf", 0.50000001, 1},
                      NearestRow{"justAboveMinusHalf", -0.49999999, 0}, NearestRow{"whole", 7.0, 7},
                      NearestRow{"nearTheTopOfTheRange", 32639.4, 32639}),
    [](const ::testing::TestParamInfo<NearestRow>& row) { return row.param.name; });

// The four numbers of a move are drawn in the order x, y, dx, dy.
TEST(NextBlockMove, DrawsXYThenDxDy) {
    const BlockMove move = NextBlockMove(1024, 768, Scripted({0.5, 0.25, 0.0, 0.99}));
    EXPECT_EQ(move, (BlockMove{448, 160, -1, 2}));
}

TEST(NextBlockMove, QuarterPointsAreHalvesThatGoToEven) {
    // r = 0.25 gives dx = -0.5 -> 0 and dy = 0.5 -> 0; r = 0.75 gives 0.5 -> 0 and 1.5 -> 2.
    EXPECT_EQ(NextBlockMove(1024, 768, Scripted({0, 0, 0.25, 0.25})), (BlockMove{0, 0, 0, 0}));
    EXPECT_EQ(NextBlockMove(1024, 768, Scripted({0, 0, 0.75, 0.75})), (BlockMove{0, 0, 0, 2}));
}

TEST(NextBlockMove, TheLastBlockPositionIsReachedByRounding) {
    const double belowOne = std::nextafter(1.0, 0.0);
    EXPECT_EQ(NextBlockMove(1024, 768, Scripted({belowOne, belowOne, belowOne, belowOne})),
              (BlockMove{896, 640, 1, 2}));
    // Exact halves (the ranges are powers of two here) go to the even neighbour:
    // 1023.5 -> 1024 and 510.5 -> 510.
    EXPECT_EQ(NextBlockMove(1152, 640, Scripted({1023.5 / 1024, 510.5 / 512, 0.5, 0.5})),
              (BlockMove{1024, 510, 0, 1}));
}

TEST(NextBlockMove, AScreenSmallerThanABlockGivesPositionsLeftOfAndAboveIt) {
    const BlockMove move = NextBlockMove(100, 128, Scripted({0.5, 0.5, 0.5, 0.5}));
    EXPECT_EQ(move.x, -14);
    EXPECT_EQ(move.y, 0);
}

// 100 000 moves from a seeded generator. The standard deviation of an observed share is
// sqrt(p (1 - p) / n): 0.0016 for p = 1/2 and 0.0014 for p = 1/4, so a tolerance of 0.01 is
// over six deviations wide (no chance failure) while a rounding fault that moves a quarter
// of the draws (truncating instead of rounding gives 1/2, 1/2, 0) is far outside it.
TEST(NextBlockMoveStatistics, StepsAreAQuarterAHalfAndAQuarterAndNeverUpward) {
    constexpr int DRAWS = 100000;
    constexpr double TOLERANCE = 0.01;
    constexpr std::int16_t CX = 1024;
    constexpr std::int16_t CY = 768;
    std::mt19937 generator(20260101);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const UniformSource uniform = [&] { return unit(generator); };

    std::array<int, 3> dxCount{}; // -1, 0, +1
    std::array<int, 3> dyCount{}; // 0, 1, 2
    bool sawFirstX = false, sawLastX = false, sawFirstY = false, sawLastY = false;
    for (int i = 0; i < DRAWS; ++i) {
        const BlockMove move = NextBlockMove(CX, CY, uniform);
        ASSERT_GE(move.dx, -1);
        ASSERT_LE(move.dx, 1);
        ASSERT_GE(move.dy, 0) << "a block moved upward";
        ASSERT_LE(move.dy, 2);
        ASSERT_GE(move.x, 0);
        ASSERT_LE(move.x, CX - MELT_BLOCK_WIDTH);
        ASSERT_GE(move.y, 0);
        ASSERT_LE(move.y, CY - MELT_BLOCK_HEIGHT);
        ++dxCount[static_cast<std::size_t>(move.dx + 1)];
        ++dyCount[static_cast<std::size_t>(move.dy)];
        sawFirstX |= move.x == 0;
        sawLastX |= move.x == CX - MELT_BLOCK_WIDTH;
        sawFirstY |= move.y == 0;
        sawLastY |= move.y == CY - MELT_BLOCK_HEIGHT;
    }
    const std::array<double, 3> expected{0.25, 0.5, 0.25};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(static_cast<double>(dxCount[i]) / DRAWS, expected[i], TOLERANCE)
            << "dx = " << static_cast<int>(i) - 1;
        EXPECT_NEAR(static_cast<double>(dyCount[i]) / DRAWS, expected[i], TOLERANCE)
            << "dy = " << i;
    }
    // Both ends of each range occur (x's about 56 times, y's about 78 times in 100 000
    // draws): positions are rounded, not truncated, so the last position is reached.
    EXPECT_TRUE(sawFirstX && sawLastX);
    EXPECT_TRUE(sawFirstY && sawLastY);
}

TEST(MovesPerFrame, KeepsTheMeltSpeedAtAnyRefresh) {
    EXPECT_EQ(MovesPerFrame(60), 50);
    EXPECT_EQ(MovesPerFrame(59.94), 50);
    EXPECT_EQ(MovesPerFrame(144), 21); // 20.83
    EXPECT_EQ(MovesPerFrame(30), 100);
    EXPECT_EQ(MovesPerFrame(0), 50); // no rate reported: 60 Hz
    EXPECT_EQ(MovesPerFrame(-1), 50);
    EXPECT_EQ(MovesPerFrame(std::nan("")), 50);
    EXPECT_EQ(MovesPerFrame(10000), 1); // never a frame without a move
}

// A plane whose every pixel holds its own index, so a copied pixel tells where it came from.
class MoveBlockTest : public ::testing::Test {
protected:
    static constexpr int W = 300;
    static constexpr int H = 200;
    static constexpr int STRIDE = 304; // rows padded, as images may be
    std::vector<std::uint32_t> pixels = Numbered();
    PixelPlane plane{pixels.data(), W, H, STRIDE};

    static std::vector<std::uint32_t> Numbered() {
        std::vector<std::uint32_t> all(static_cast<std::size_t>(STRIDE) * H);
        for (std::size_t i = 0; i < all.size(); ++i) {
            all[i] = static_cast<std::uint32_t>(i);
        }
        return all;
    }
    std::uint32_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * STRIDE + static_cast<std::size_t>(x)];
    }
    static std::uint32_t Index(int x, int y) { return static_cast<std::uint32_t>(y * STRIDE + x); }
};

TEST_F(MoveBlockTest, OverlappingDownAndLeftMoveCopiesTheBlockAsItWas) {
    const PixelRect changed = MoveBlock(plane, BlockMove{50, 40, -1, 2});
    EXPECT_EQ(changed, (PixelRect{49, 42, 128, 128}));
    for (int y = 42; y < 170; ++y) {
        for (int x = 49; x < 177; ++x) {
            ASSERT_EQ(At(x, y), Index(x + 1, y - 2)) << x << "," << y;
        }
    }
    EXPECT_EQ(At(177, 42), Index(177, 42)); // beside the block: untouched
    EXPECT_EQ(At(60, 41), Index(60, 41));   // above it: the old picture stays
    EXPECT_EQ(At(60, 40), Index(60, 40));
}

TEST_F(MoveBlockTest, OverlappingRightwardMoveWithinOneRow) {
    MoveBlock(plane, BlockMove{10, 10, 1, 0});
    for (int x = 11; x < 139; ++x) {
        ASSERT_EQ(At(x, 10), Index(x - 1, 10)) << x;
    }
    EXPECT_EQ(At(10, 10), Index(10, 10));
}

TEST_F(MoveBlockTest, ABlockAtTheBottomRightEdgeMovesOnlyWhatStaysOnThePlane) {
    const PixelRect changed = MoveBlock(plane, BlockMove{W - 128, H - 128, 1, 2});
    EXPECT_EQ(changed, (PixelRect{W - 127, H - 126, 127, 126}));
    EXPECT_EQ(At(W - 1, H - 1), Index(W - 2, H - 3));
}

TEST_F(MoveBlockTest, ABlockPartlyOrWhollyOffThePlane) {
    EXPECT_TRUE(MoveBlock(plane, BlockMove{W + 5, 0, 0, 1}).Empty());
    EXPECT_EQ(pixels, Numbered());
    // A block sticking out on the left (a screen narrower than a block) moves its visible part.
    const PixelRect changed = MoveBlock(plane, BlockMove{-14, 0, -1, 0});
    EXPECT_EQ(changed, (PixelRect{0, 0, 113, 128}));
    EXPECT_EQ(At(0, 0), Index(1, 0));
    EXPECT_EQ(At(113, 0), Index(113, 0));
}

} // namespace
} // namespace moonleaf
