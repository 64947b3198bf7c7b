// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a box shows a text too wide for it at its design's size: whole, in the
// largest of these sizes that fits, tried in turn; every front end measures
// with its own fonts and tries them in this order.

#include <string_view>
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

// Where a label's translated text that does not fit it even at the smallest
// size may grow, in its window's design coordinates (from the left as
// designed; a front end mirrors it as it mirrors the control): rightwards up to
// the next control beside it or the window's edge, then downwards the same
// way, leaving a gap of kGrowingGap; no further than the control itself where
// there is no room. Controls the design already lays it over do not stop it.
inline constexpr int kGrowingGap = 4;
struct Room {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Room &) const = default;
};
Room RoomToGrow(std::string_view window, std::string_view control);

} // namespace Startup
