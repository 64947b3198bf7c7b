// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The best use of the days left after the village information: the largest
// number of households a game can still convert, and one plan that does it.

#include "rules.h"

#include <cstdint>
#include <vector>

namespace Startup {

struct PlannedActivity {
    Activity kind = Activity::Newspaper;  // any but the information
    int farm = 0;  // 1..10 for a talk or a demonstration, else 0

    bool operator==(const PlannedActivity &) const = default;
};

struct BestPlan {
    int total = 0;     // households the plan converts
    int daysUsed = 0;  // days its activities take together
    std::vector<PlannedActivity> activities;  // in the order to carry them out
};

// The best plan for a game with daysLeft days left right after the first view
// of the information (a new game, nothing done yet). With fewer than 10 days
// no activity fits: total 0 and no activity.
//
// Among the plans with the largest total it uses the fewest days; among those
// it takes the set of activities with the most newspaper advertisements, then
// the most radio advertisements, trainings, films, then for each leader 1..10
// in turn the most talks and then a demonstration rather than none. It lists
// them as: advertising, training and film, the talks but leader 8's, the
// demonstrations but farm 8's, the talks with leader 8, the demonstration on farm 8.
BestPlan FindBestPlan(int daysLeft);

// A new game right after its first view of the information, daysLeft days left
// (held within the 16-bit range), its log holding the information's line.
GameState GameAfterInformation(int daysLeft);

// Carries out the activities in turn through the game's rules; stops at the
// first refusal and returns it, or returns Accepted after the last.
Verdict CarryOutPlan(GameState &state, const std::vector<PlannedActivity> &plan);

} // namespace Startup
