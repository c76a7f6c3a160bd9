// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace moonleaf {

// The rules of the screen effect that carry numbers: which block of the screen's copy moves,
// and by how much. The copy melts: blocks slide one pixel down on average and not sideways.

// The moved block, in pixels.
inline constexpr std::int16_t MELT_BLOCK_WIDTH = 128;
inline constexpr std::int16_t MELT_BLOCK_HEIGHT = 128;
// dx = nearest(r * spread - offset): -1, 0 or +1.
inline constexpr double MELT_HORIZONTAL_SPREAD = 2;
inline constexpr double MELT_HORIZONTAL_OFFSET = 1;
// dy = nearest(r * spread - offset): 0, 1 or 2, never upward. The offset is 0.1 converted
// to a whole number.
inline constexpr double MELT_VERTICAL_SPREAD = 2;
inline constexpr double MELT_VERTICAL_OFFSET = 0;

// `v` as a 16-bit integer: the nearest whole number, and for a half the even one (2.5 -> 2,
// 3.5 -> 4, -0.5 -> 0). Whatever the floating-point rounding mode. Precondition: v lies
// within the 16-bit range.
std::int16_t Nearest16(double v);

// How fast the copy melts: block moves per second, whatever the display's refresh. One move
// per pass of event processing, as the effect first ran, came to a few thousand a second.
inline constexpr double MELT_MOVES_PER_SECOND = 3000;
// The refresh assumed when the display reports none.
inline constexpr double DEFAULT_REFRESH_HZ = 60;

// The moves of one frame on a display refreshed `refreshHz` times a second (at least one;
// a rate that is not a positive number counts as the default): 50 at 60 Hz.
int MovesPerFrame(double refreshHz);

// One step of the effect: the block at (x, y) is copied to (x + dx, y + dy).
struct BlockMove {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t dx = 0;
    std::int16_t dy = 0;

    friend bool operator==(const BlockMove&, const BlockMove&) = default;
};

// A uniform random number in [0, 1) each time it is called.
using UniformSource = std::function<double()>;

// The next move on a screen `cx` by `cy` pixels, drawing four numbers from `uniform` in this
// order: x = nearest(r * (cx - 128)), y = nearest(r * (cy - 128)), then dx and dy. On a
// screen at least a block wide and tall, the block lies wholly on it before it moves.
BlockMove NextBlockMove(std::int16_t cx, std::int16_t cy, const UniformSource& uniform);

// A rectangle of pixels; empty when its width or height is not positive.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool Empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// 32-bit pixels, row after row; `stride` counts pixels from one row's start to the next.
struct PixelPlane {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
};

// Copies the block of `move` within `plane` as one copy of a picture onto itself does: the
// destination receives the source as it was before the copy, even where the two overlap.
// Both are cut to the plane, so a block at an edge moves only the part that stays on it.
// Answers the pixels that changed (the destination cut to the plane; empty when none).
PixelRect MoveBlock(const PixelPlane& plane, const BlockMove& move);

} // namespace moonleaf
