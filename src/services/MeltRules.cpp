// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/MeltRules.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace moonleaf {

std::int16_t Nearest16(double v) {
    // Decided here rather than by std::nearbyint, whose halves follow the current rounding
    // mode: floor, then up when the rest is above a half, or exactly a half on an odd floor.
    double whole = std::floor(v);  // rounds toward negative infinity
    const double rest = v - whole; // [0, 1)
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        whole += 1.0;
    }
    return static_cast<std::int16_t>(whole);
}

int MovesPerFrame(double refreshHz) {
    const double rate = refreshHz > 0 ? refreshHz : DEFAULT_REFRESH_HZ; // NaN too
    return std::max(1, static_cast<int>(std::lround(MELT_MOVES_PER_SECOND / rate)));
}

BlockMove NextBlockMove(std::int16_t cx, std::int16_t cy, const UniformSource& uniform) {
    BlockMove move;
    move.x = Nearest16(uniform() * (cx - MELT_BLOCK_WIDTH));
    move.y = Nearest16(uniform() * (cy - MELT_BLOCK_HEIGHT));
    move.dx = Nearest16(uniform() * MELT_HORIZONTAL_SPREAD - MELT_HORIZONTAL_OFFSET);
    move.dy = Nearest16(uniform() * MELT_VERTICAL_SPREAD - MELT_VERTICAL_OFFSET);
    return move;
}

PixelRect MoveBlock(const PixelPlane& plane, const BlockMove& move) {
    // The destination cut to the plane, and to where its source lies on the plane too.
    const int dx = move.dx;
    const int dy = move.dy;
    const int left = std::max({move.x + dx, 0, dx});
    const int top = std::max({move.y + dy, 0, dy});
    const int right = std::min({move.x + dx + MELT_BLOCK_WIDTH, plane.width, plane.width + dx});
    const int bottom =
        std::min({move.y + dy + MELT_BLOCK_HEIGHT, plane.height, plane.height + dy}); // exclusive
    if (left >= right || top >= bottom) {
        return PixelRect{};
    }
    const int width = right - left;
    const auto rowBytes = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
    const auto copyRow = [&](int row) {
        std::uint32_t* to = plane.pixels + row * plane.stride + left;
        const std::uint32_t* from = to - dy * plane.stride - dx;
        std::memmove(to, from, rowBytes); // a row may overlap its own source sideways
    };
    // Rows are copied from the side the block moves toward, so no source row is overwritten
    // before it has been read.
    if (dy > 0) {
        for (int row = bottom - 1; row >= top; --row) {
            copyRow(row);
        }
    } else {
        for (int row = top; row < bottom; ++row) {
            copyRow(row);
        }
    }
    return PixelRect{left, top, width, bottom - top};
}

} // namespace moonleaf
