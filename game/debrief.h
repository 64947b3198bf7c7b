// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The debrief after a game: what the player converted beside the best plan for
// the same days, as sentences, the plan's log lines and a chart to draw.

#include "startup.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Startup {

struct ChartPoint {
    int daysUsed = 0;
    int households = 0;

    bool operator==(const ChartPoint &) const = default;
};

// An axis from 0 to maximum, with a tick at every multiple of a step of 1, 2 or
// 5 times a power of ten up to maximum (5 to 10 steps).
struct ChartAxis {
    int maximum = 0;
    std::vector<int> ticks;
    std::string label;

    bool operator==(const ChartAxis &) const = default;
};

// Households converted (vertical) against days used (horizontal). A curve is a
// step curve through its points: from each point it runs level to the next
// point's days used, then rises (or falls) to its households.
struct DebriefChart {
    ChartAxis horizontal;  // 0 .. the larger of the days typed and 45, "days used"
    ChartAxis vertical;    // 0 .. at least 100, "households converted"
    std::vector<ChartPoint> player;
    std::vector<ChartPoint> bestPlan;
    std::optional<int> target;  // the target's height, when within the vertical axis
    std::string targetLabel;    // "Target P%" with a target line, else empty
    std::string playerLabel = "Your game";    // the legend: the solid curve
    std::string bestPlanLabel = "Best plan";  // the legend: the dashed curve

    bool operator==(const DebriefChart &) const = default;
};

struct Debrief {
    std::vector<std::string> sentences;    // what the player converted, the best plan, the target
    std::vector<LogRecord> bestPlanLog;    // the best plan as the activity log records it
    DebriefChart chart;
    std::string chartDescription;  // both curves in words, for screen readers
};

// The debrief of a game as it stands; daysTyped is the number of days the setup
// screen accepted (before the information's 45 were taken).
Debrief BuildDebrief(const GameState &state, std::int16_t daysTyped);

} // namespace Startup
