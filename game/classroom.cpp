// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom.h"

#include "numbers.h"

#include <algorithm>
#include <utility>

namespace Startup {

namespace {

// The log's column headings, each ending where its column of numbers ends in a log line.
std::string logColumns()
{
    const std::string line = FormatLogLine("", 0, 0, 0, 0);
    std::string columns = "Activity";
    std::size_t end = 0;
    for (const std::string_view heading : {"Used", "Left", "Gained", "Total"}) {
        end = line.find("000", end) + 3;
        columns.resize(std::max(columns.size() + 1, end - heading.size()), ' ');
        columns += heading;
    }
    return columns;
}

} // namespace

Printout BuildPrintout(const GameState &state, std::int16_t daysTyped, const Debrief &debrief, ChartDrawing chart)
{
    return {
        .title = "Brimwold: the debrief",
        .facts = {"Player: " + state.PlayerName, "Days: " + std::to_string(daysTyped),
                  "Target: " + std::to_string(state.TargetPercent) + "%"},
        .printedOn = "Printed on",
        .sentences = debrief.sentences,
        .chart = std::move(chart),
        .columns = logColumns(),
        .logHeading = "Your game",
        .log = LogLines(state.ActivityLog),
        .bestPlanHeading = "Best plan",
        .bestPlan = LogLines(debrief.bestPlanLog),
    };
}

std::string ResultComment(int converted, int bestTotal, int daysTyped)
{
    std::string comment = "Converted " + std::to_string(converted) + " households; the best plan for "
                          + std::to_string(daysTyped) + " days converts " + std::to_string(bestTotal);
    if (bestTotal > 0)
        comment += ", and this game reached " + std::to_string(converted * 100 / bestTotal) + "% of that";
    return comment + '.';
}

} // namespace Startup
