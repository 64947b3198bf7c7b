// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The activities the player pays for: each checks whether it may be carried
// out, changes the game state and logs itself, or is refused and changes nothing.

#include "startup.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace Startup {

// What the activities cost, in days: the one place the rules and the best plan
// read it. Row 0 of the action table says the same, and no rule reads it.
inline constexpr std::int16_t kInformationDays = 45;
inline constexpr std::int16_t kMediaDays = 10;          // a newspaper or radio advertisement, a villager at random
inline constexpr std::int16_t kTalkDays = 20;           // a talk with an opinion leader
inline constexpr std::int16_t kGroupDays = 30;          // training villagers, a film
inline constexpr std::int16_t kDemonstrationDays = 40;  // a demonstration on a leader's farm

constexpr std::int16_t DaysOf(Activity activity)
{
    switch (activity) {
    case Activity::Information: return kInformationDays;
    case Activity::Newspaper:
    case Activity::Radio:
    case Activity::RandomVillager: return kMediaDays;
    case Activity::Training:
    case Activity::Film: return kGroupDays;
    case Activity::Talk: return kTalkDays;
    case Activity::Demonstration: return kDemonstrationDays;
    case Activity::Count: break;
    }
    return 0;
}

// Fewest days that can be typed on the setup screen: the information's days must still fit in.
inline constexpr int kFewestDaysTyped = INT16_MIN + kInformationDays;

inline constexpr std::string_view kTalkMode = "talk";
inline constexpr std::string_view kDemoMode = "demo";

enum class Verdict {
    Accepted,
    NotEnoughTime,   // the days left cannot pay for it
    TalkFirst,       // a demonstration needs an earlier talk with that leader
    OneDemoPerFarm,  // the farm has had its demonstration
};
// The text the player is shown for a refusal; empty for an accepted activity.
std::string_view RefusalMessage(Verdict verdict);

// The first view of the village information logs the days the setup charged.
void LogInformationViewed(GameState &state);

// A media or group activity: Newspaper, Radio, RandomVillager, Training or Film.
Verdict CarryOutMediaActivity(GameState &state, Activity activity);

// Talk with the opinion leader of a farm (1..10), and a demonstration on the farm.
Verdict TalkToLeader(GameState &state, int farm);
Verdict GiveDemonstration(GameState &state, int farm);

// A click on a farm of the village map: a talk or a demonstration, as MapMode
// says; with no mode set it does nothing and counts as accepted.
Verdict ClickFarm(GameState &state, int farm);

// The grade shows on the feedback screen once fewer than ten days are left.
inline bool GradeIsShown(const GameState &state) { return state.DaysLeft <= 9; }

} // namespace Startup
