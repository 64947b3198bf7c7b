// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a box shows a text too wide for it at its design's size: whole, in the
// largest of these sizes that fits, tried in turn; every front end measures
// with its own fonts and tries them in this order.

#include <vector>

namespace Startup {

inline constexpr double kSmallestFittedSize = 6;
inline constexpr double kFittingStep = 0.5;

// In a language other than English, any text that does not fit its control
// at the design's size (a label as it wraps in its design, a button in one
// line) shrinks the same way, to no less than this.
inline constexpr double kSmallestTranslatedSize = 7;

// The design's size, then each half point smaller, down to the smallest.
inline std::vector<double> FontSizesToTry(double designPoints, double smallest = kSmallestFittedSize)
{
    std::vector<double> sizes{designPoints};
    for (double size = designPoints; size > smallest;)
        sizes.push_back(size -= kFittingStep);
    return sizes;
}

} // namespace Startup
