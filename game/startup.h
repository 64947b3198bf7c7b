// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state of one game and the rules every activity shares: the action
// table built from its nineteen texts, the use counters and the activity log,
// kept as records and written as fixed-width lines in one place.

#include "language.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Startup {

// Column numbers of the action table: one kind of activity each.
enum ActionCode : int {
    TalkLeaders1To5 = 1,
    TalkLeaders6And7 = 2,
    TalkLeaders9And10 = 3,
    Newspaper = 4,
    Radio = 5,
    RandomVillager = 6,
    Training = 7,
    TrainingAfterAdvertising = 8,
    Film = 9,
    FilmAfterAdvertising = 10,
    DemoFarms1To5 = 11,
    DemoFarms6And7 = 12,
    DemoFarm8 = 13,
    DemoFarms9And10 = 14,
    AdvancedDemoFarms1To5 = 15,
    AdvancedDemoFarms6And7 = 16,
    AdvancedDemoFarm8 = 17,
    AdvancedDemoFarms9And10 = 18,
    TalkLeader8 = 19,
};
inline constexpr int kActionCodes = 19;
inline constexpr int kFarms = 10;

// What the player pays for; the first five are the media and group activities.
enum class Activity { Information, Newspaper, Radio, RandomVillager, Training, Film, Talk, Demonstration, Count };
inline constexpr int kActivities = static_cast<int>(Activity::Count);
// Each activity's key, as the game reports it to other programs (a learning platform).
inline constexpr std::string_view kActivityKeys[] = {
    "information", "newspaper", "radio", "villager", "training", "film", "talk", "demonstration",
};
static_assert(std::size(kActivityKeys) == kActivities);

// One line of the activity log: what was done (on which leader's farm, 1..10,
// or 0), the days it used, and the days left, households gained and running
// total after it.
struct LogRecord {
    Activity activity = Activity::Information;
    int farm = 0;
    std::int16_t daysUsed = 0;
    std::int16_t daysLeft = 0;
    std::int16_t gain = 0;
    std::int16_t total = 0;

    bool operator==(const LogRecord &) const = default;
};

// Row 0: the day cost; rows 1..6: households gained on the 1st..6th use; row 7 unused.
using ActionTableType = std::array<std::array<std::int16_t, kActionCodes + 1>, 8>;

struct GameState {
    std::int16_t TargetPercent = 0;
    std::int16_t TotalConverted = 0;
    std::string PlayerName;
    std::int16_t DaysLeft = 0;
    std::array<std::int16_t, kActionCodes> ActionUseCount{};  // indices 0..18; only 4..10 change
    std::array<std::int16_t, kFarms + 1> LeaderTalkCount{};   // indices 1..10
    std::array<std::int16_t, kFarms + 1> FarmDemoCount{};     // indices 1..10
    ActionTableType ActionTable{};
    std::array<std::string, kActionCodes + 1> ActionSpec;     // indices 1..19
    std::string MapMode;                                      // "talk", "demo" or empty
    std::vector<LogRecord> ActivityLog;                       // grows as long as the game goes on

    // The number of records in the log.
    std::int16_t LogCount() const { return static_cast<std::int16_t>(ActivityLog.size()); }

    bool operator==(const GameState &) const = default;
};

// The nineteen action texts: cost, then the gains of the 1st..6th use.
extern const std::array<std::string_view, kActionCodes + 1> kActionSpecTexts;

// Stores the action texts into state.ActionSpec and builds state.ActionTable from them.
void BuildActionTable(GameState &state);

// Advances the use counter of a media or group activity (4, 5, 6, 7 or 9),
// held at 6; training and film advance their pair of codes together.
void CountActionUse(GameState &state, int code);

// Logs an activity with the state after it: DaysLeft and TotalConverted.
void AppendLogLine(GameState &state, Activity activity, int farm, std::int16_t daysUsed, std::int16_t gain);

// The activity's name in the log, in the language in use: "Newspaper", "Talk to
// opinion leader (3)".
std::string LogName(Activity activity, int farm);
// The log's name column in the language in use: its longest name and one
// blank, in display columns (28 in English).
std::size_t LogNameWidth();
// A log line, or a row of its headings, in the language in use as its runs:
// the name, then each number (TextRuns).
std::vector<TextRun> LogRuns(std::string_view line);
// A record as the log's fixed-width line, and the whole log as its lines with
// the name column of the language in use.
std::string FormatLogLine(const LogRecord &record, std::size_t nameWidth);
std::string FormatLogLine(const LogRecord &record);
std::vector<std::string> LogLines(const std::vector<LogRecord> &log);
// The log's column headings, in the language in use, laid out in the columns of
// the log's lines for a name column of nameWidth: "Days" above "Used" and
// "Left", and "Action", "Used", "Left", "%Converted", "Total" in a row.
struct LogHeadings {
    std::string above, below;
};
LogHeadings LayOutLogHeadings(std::size_t nameWidth);

// The grade earned so far: the whole part of TotalConverted * 50 / 85.
int ComputeGrade(const GameState &state);

} // namespace Startup
