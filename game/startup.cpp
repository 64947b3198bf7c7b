// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup.h"

#include "numbers.h"

#include <charconv>

namespace Startup {

const std::array<std::string_view, kActionCodes + 1> kActionSpecTexts{
    "",
    "20, 2, 2, 2, 1, 1, 0",        // 1 talk to opinion leader 1..5
    "20, 3, 3, 2, 1, 0, 0",        // 2 talk to opinion leader 6 or 7; the leader-8 bonus
    "20, 5, 6, 2, 2, 1, 0",        // 3 talk to opinion leader 9 or 10
    "10, 2, 2, 1, 1, 1, 1",        // 4 newspaper
    "10, 4, 3, 2, 1, 0, 0",        // 5 radio
    "10, 1, 1, 1, 1, 1, 1",        // 6 villager at random
    "30, 2, 1, 1, 0, 0, 0",        // 7 training
    "30, 2, 2, 1, 0, 0, 0",        // 8 training after advertising
    "30, 3, 3, 3, 1, 0, 0",        // 9 film
    "30, 6, 4, 2, 2, 1, 1",        // 10 film after advertising
    "40, 2, 2, 2, 2, 2, 2",        // 11 demonstration on farms 1..5
    "40, 3, 3, 3, 3, 3, 3",        // 12 demonstration on farms 6, 7
    "40, 4, 4, 4, 4, 4, 4",        // 13 demonstration on farm 8
    "40, 6, 6, 6, 6, 6, 6",        // 14 demonstration on farms 9, 10
    "40, 4, 4, 4, 4, 4, 4",        // 15 advanced demonstration on farms 1..5
    "40, 6, 6, 6, 6, 6, 6",        // 16 advanced demonstration on farms 6, 7
    "40, 10, 10, 10, 10, 10, 10",  // 17 advanced demonstration on farm 8
    "40, 12, 12, 12, 12, 12, 12",  // 18 advanced demonstration on farms 9, 10
    "20, 4, 5, 2, 1, 0, 0",        // 19 talk to opinion leader 8
};

void BuildActionTable(GameState &state)
{
    for (int code = 1; code <= kActionCodes; ++code)
        state.ActionSpec[code] = kActionSpecTexts[code];

    for (int code = 1; code <= kActionCodes; ++code) {
        std::string_view rest = state.ActionSpec[code];
        for (int row = 0; row <= 6; ++row) {
            const std::size_t comma = rest.find(',');
            std::string_view piece = rest.substr(0, comma);
            while (!piece.empty() && piece.front() == ' ')
                piece.remove_prefix(1);
            std::int16_t value = 0;
            std::from_chars(piece.data(), piece.data() + piece.size(), value);
            state.ActionTable[row][code] = value;
            rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        }
    }
}

void CountActionUse(GameState &state, int code)
{
    auto advance = [&state](int c) {
        if (++state.ActionUseCount[c] == 7)
            state.ActionUseCount[c] = 6;
    };
    advance(code);
    if (code == Training || code == Film)
        advance(code + 1);
}

void AppendLogLine(GameState &state, Activity activity, int farm, std::int16_t daysUsed, std::int16_t gain)
{
    state.ActivityLog.push_back({activity, farm, daysUsed, state.DaysLeft, gain, state.TotalConverted});
}

std::string LogName(Activity activity, int farm)
{
    static constexpr std::string_view kNames[kActivities] = {
        "Information",
        "Newspaper",
        "Radio",
        "Talk to villager",
        "Train Villagers",
        "Film",
        "Talk to opinion leader ",
        "Give a demonstration ",
    };
    std::string name(kNames[static_cast<int>(activity)]);
    if (farm != 0)
        name += "(" + std::to_string(farm) + ")";
    return name;
}

std::string FormatLogLine(const LogRecord &record)
{
    return FormatLogLine(LogName(record.activity, record.farm), record.daysUsed, record.daysLeft, record.gain,
                         record.total);
}

std::vector<std::string> LogLines(const std::vector<LogRecord> &log)
{
    std::vector<std::string> lines;
    lines.reserve(log.size());
    for (const LogRecord &record : log)
        lines.push_back(FormatLogLine(record));
    return lines;
}

int ComputeGrade(const GameState &state)
{
    // Whole part of TotalConverted * 50 / 85, exact in integers (rounded toward minus infinity).
    const int scaled = state.TotalConverted * 10;
    return scaled >= 0 ? scaled / 17 : -((-scaled + 16) / 17);
}

} // namespace Startup
