// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/SlidePositions.h"

#include <algorithm>
#include <cmath>

namespace moonleaf {

std::optional<double> NextTopUp(double top, double height, double limit) {
    if (top + height > limit) {
        return top - SLIDE_STEP_TWIPS;
    }
    return std::nullopt;
}

std::optional<double> NextTopDown(double top) {
    if (top < 0) {
        return top + SLIDE_STEP_TWIPS;
    }
    return std::nullopt;
}

double ClosingStep(double top, double screenHeight) {
    constexpr double MOST_STEPS = 64;
    return std::max(SLIDE_STEP_TWIPS, std::ceil((screenHeight - top) / MOST_STEPS));
}

std::optional<double> NextTopOffBottom(double top, double screenHeight, double step) {
    if (top < screenHeight) {
        return top + std::max(step, 1.0);
    }
    return std::nullopt;
}

} // namespace moonleaf
