// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the teachers' tools take from the game: the debrief as a printed page,
// the result in words for a learning platform, and the notices a front end
// shows about them. Every text of theirs is here, in the language in use.

#include "chart.h"
#include "debrief.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Startup {

// Everything the printed debrief shows; a front end lays it out on a page and adds the date.
struct Printout {
    std::string title;                   // the page's heading
    std::vector<std::string> facts;      // the game's setup: "Player: Ada", "Days: 365", "Target: 100%"
    std::string printedOn;               // "Printed on", followed by a blank and the date the front end prints on
    std::vector<std::string> sentences;  // the debrief's sentences
    ChartDrawing chart;                  // as the debrief's chart box draws it
    std::string columns;                 // the log's column headings, aligned with its lines
    std::string logHeading;              // above the player's log
    std::vector<std::string> log;        // the player's activity log, line by line
    std::string bestPlanHeading;         // above the best plan's log
    std::vector<std::string> bestPlan;   // the best plan as log lines

    bool operator==(const Printout &) const = default;
};

// The printout of a game's debrief; daysTyped as the setup screen accepted them.
Printout BuildPrintout(const GameState &state, std::int16_t daysTyped, const Debrief &debrief, ChartDrawing chart);

// The result for a learning platform's comment: the households converted, the
// best plan's total for the same days and the share of it reached.
std::string ResultComment(int converted, int bestTotal, int daysTyped);

// What a page says outside its windows, in the language in use: a preset of
// days or percentage that the setup screen would refuse, and a result the
// platform did not take.
std::string_view PresetIgnoredNotice();
std::string_view NotSentNotice();

} // namespace Startup
