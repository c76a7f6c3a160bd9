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

TEST(Nearest16, RoundsToTheNearestAndHalvesToEven) {
    struct Row {
        const char* name;
        double v;
        std::int16_t expected;
    };
    for (const Row& row : {Row{"0.5 down to even 0", 0.5, 0}, Row{"1.5 up to even 2", 1.5, 2},
                           Row{"2.5 down to even 2", 2.5, 2}, Row{"-0.5 up to 0", -0.5, 0},
                           Row{"-1.5 down to -2", -1.5, -2}, Row{"below a half", 0.4999999, 0},
                           Row{"above a half", 0.5000001, 1}, Row{"whole", 7.0, 7}}) {
        EXPECT_EQ(Nearest16(row.v), row.expected) << row.name;
    }
}

TEST(NextBlockMove, DrawsXYDxDyInThatOrderAndRoundsHalvesToEven) {
    EXPECT_EQ(NextBlockMove(1024, 768, Scripted({0.5, 0.25, 0.0, 0.99})),
              (BlockMove{448, 160, -1, 2}));
    // r = 0.25: dx = -0.5 -> 0, dy = 0.5 -> 0; r = 0.75: dx = 0.5 -> 0, dy = 1.5 -> 2.
    EXPECT_EQ(NextBlockMove(1024, 768, Scripted({0, 0, 0.25, 0.25})), (BlockMove{0, 0, 0, 0}));
    EXPECT_EQ(NextBlockMove(1024, 768, Scripted({0, 0, 0.75, 0.75})), (BlockMove{0, 0, 0, 2}));
    // Exact halves of positions (ranges 1024 and 512): 1023.5 -> 1024, 510.5 -> 510.
    EXPECT_EQ(NextBlockMove(1152, 640, Scripted({1023.5 / 1024, 510.5 / 512, 0.5, 0.5})),
              (BlockMove{1024, 510, 0, 1}));
}

// 100 000 moves from a seeded generator. An observed share's standard deviation is
// sqrt(p (1 - p) / n): 0.0016 for p = 1/2, 0.0014 for p = 1/4; a tolerance of 0.01 is over six
// of them (no chance failure), while a rounding fault moves a quarter of the draws
// (truncation gives 1/2, 1/2, 0) and lands far outside it.
TEST(NextBlockMoveStatistics, StepsAreAQuarterAHalfAndAQuarterAndNeverUpward) {
    constexpr int DRAWS = 100000;
    constexpr std::int16_t CX = 1024;
    constexpr std::int16_t CY = 768;
    std::mt19937 generator(20260101);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const UniformSource uniform = [&] { return unit(generator); };
    std::array<int, 3> dx{}; // -1, 0, +1
    std::array<int, 3> dy{}; // 0, 1, 2
    int lastX = 0;
    int lastY = 0;
    for (int i = 0; i < DRAWS; ++i) {
        const BlockMove move = NextBlockMove(CX, CY, uniform);
        ASSERT_TRUE(move.dx >= -1 && move.dx <= 1) << move.dx;
        ASSERT_TRUE(move.dy >= 0 && move.dy <= 2) << move.dy;
        ASSERT_TRUE(move.x >= 0 && move.x <= CX - MELT_BLOCK_WIDTH) << move.x;
        ASSERT_TRUE(move.y >= 0 && move.y <= CY - MELT_BLOCK_HEIGHT) << move.y;
        ++dx[static_cast<std::size_t>(move.dx + 1)];
        ++dy[static_cast<std::size_t>(move.dy)];
        lastX += move.x == CX - MELT_BLOCK_WIDTH ? 1 : 0;
        lastY += move.y == CY - MELT_BLOCK_HEIGHT ? 1 : 0;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        const double expected = i == 1 ? 0.5 : 0.25;
        EXPECT_NEAR(static_cast<double>(dx[i]) / DRAWS, expected, 0.01) << "dx " << i;
        EXPECT_NEAR(static_cast<double>(dy[i]) / DRAWS, expected, 0.01) << "dy " << i;
    }
    // Rounded, not truncated, positions reach the last one (about 56 and 78 times here).
    EXPECT_GT(lastX, 0);
    EXPECT_GT(lastY, 0);
}

TEST(MovesPerFrame, KeepsTheMeltSpeedAtAnyRefresh) {
    EXPECT_EQ(MovesPerFrame(60), 50);
    EXPECT_EQ(MovesPerFrame(144), 21);
    EXPECT_EQ(MovesPerFrame(0), 50); // no rate reported: 60 Hz
    EXPECT_EQ(MovesPerFrame(std::nan("")), 50);
    EXPECT_EQ(MovesPerFrame(10000), 1);
}

// A plane whose every pixel holds its own index, so a copied pixel tells where it came from.
class MoveBlockTest : public ::testing::Test {
protected:
    static constexpr int W = 300;
    static constexpr int H = 200;
    static constexpr int STRIDE = 304; // rows padded, as images may be
    std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(STRIDE * H);
    PixelPlane plane{pixels.data(), W, H, STRIDE};

    void SetUp() override {
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            pixels[i] = static_cast<std::uint32_t>(i);
        }
    }
    std::uint32_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y * STRIDE + x)];
    }
    static std::uint32_t Index(int x, int y) { return static_cast<std::uint32_t>(y * STRIDE + x); }
};

TEST_F(MoveBlockTest, AnOverlappingMoveCopiesTheBlockAsItWas) {
    EXPECT_EQ(MoveBlock(plane, BlockMove{50, 40, -1, 2}), (PixelRect{49, 42, 128, 128}));
    for (int y = 42; y < 170; ++y) {
        for (int x = 49; x < 177; ++x) {
            ASSERT_EQ(At(x, y), Index(x + 1, y - 2)) << x << "," << y;
        }
    }
    EXPECT_EQ(At(177, 42), Index(177, 42));   // beside the block: untouched
    EXPECT_EQ(At(60, 41), Index(60, 41));     // above it: the old picture stays
    MoveBlock(plane, BlockMove{10, 0, 1, 0}); // rightward within each row
    EXPECT_EQ(At(138, 0), Index(137, 0));
}

TEST_F(MoveBlockTest, OnlyThePartThatStaysOnThePlaneMoves) {
    EXPECT_EQ(MoveBlock(plane, BlockMove{W - 128, H - 128, 1, 2}),
              (PixelRect{W - 127, H - 126, 127, 126}));
    EXPECT_EQ(At(W - 1, H - 1), Index(W - 2, H - 3));
    // A screen narrower than a block puts it partly left of the plane.
    EXPECT_EQ(MoveBlock(plane, BlockMove{-14, 0, -1, 0}), (PixelRect{0, 0, 113, 128}));
    EXPECT_EQ(At(0, 0), Index(1, 0));
    EXPECT_TRUE(MoveBlock(plane, BlockMove{W + 5, 0, 0, 1}).Empty());
}

} // namespace
} // namespace moonleaf
