// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The activities the player pays for: each checks whether it may be carried
// out, changes the game state and logs itself, or is refused and changes nothing.

#include "startup.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace Startup {

inline constexpr std::int16_t kInformationDays = 45;
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

enum class MediaActivity { Newspaper, Radio, RandomVillager, Training, Film };
Verdict CarryOutMediaActivity(GameState &state, MediaActivity activity);

// Talk with the opinion leader of a farm (1..10), and a demonstration on the farm.
Verdict TalkToLeader(GameState &state, int farm);
Verdict GiveDemonstration(GameState &state, int farm);

// A click on a farm of the village map: a talk or a demonstration, as MapMode
// says; with no mode set it does nothing and counts as accepted.
Verdict ClickFarm(GameState &state, int farm);

// The grade shows on the feedback screen once fewer than ten days are left.
inline bool GradeIsShown(const GameState &state) { return state.DaysLeft <= 9; }

} // namespace Startup
