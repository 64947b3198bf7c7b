// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The debrief's chart laid out for a box of given size in pixels: the lines and
// texts to draw, so that every front end draws the same picture and only draws.

#include "debrief.h"

#include <string>
#include <vector>

namespace Startup {

enum class LineStyle { Solid, Dashed, Dotted };
enum class TextAnchor { Start, Middle, End };

struct ChartLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    LineStyle style = LineStyle::Solid;
    bool operator==(const ChartLine &) const = default;
};

// A text whose baseline starts, centres or ends at (x, y).
struct ChartText {
    int x = 0, y = 0;
    TextAnchor anchor = TextAnchor::Start;
    std::string text;
    bool operator==(const ChartText &) const = default;
};

struct ChartDrawing {
    int width = 0, height = 0;
    std::vector<ChartLine> lines;
    std::vector<ChartText> texts;
    bool operator==(const ChartDrawing &) const = default;
};

// The chart's font is the windows' default face at 11 pixels; texts are placed for it.
ChartDrawing LayOutChart(const DebriefChart &chart, int width, int height);

} // namespace Startup
