// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup.h"

#include "language.h"
#include "numbers.h"

#include <algorithm>
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

namespace {

// TRANSLATORS: the activity log's names of the activities. The log is a list in
// a fixed-pitch font whose numbers stand in columns after the longest name; keep
// the names short (the English ones are at most 27 characters long with the
// farm's number, the list has room for about 36).
constexpr std::string_view kLogContext = "log";
constexpr std::string_view kLogNames[kActivities] = {
    TrNoop("log", "Information"),
    TrNoop("log", "Newspaper"),
    TrNoop("log", "Radio"),
    TrNoop("log", "Talk to villager"),
    TrNoop("log", "Train Villagers"),
    TrNoop("log", "Film"),
    // TRANSLATORS: %d is the number of the opinion leader's farm, 1 to 10.
    TrNoop("log", "Talk to opinion leader (%d)"),
    // TRANSLATORS: %d is the number of the opinion leader's farm, 1 to 10.
    TrNoop("log", "Give a demonstration (%d)"),
};
constexpr bool onFarms(Activity activity) { return activity == Activity::Talk || activity == Activity::Demonstration; }

} // namespace

std::string LogName(Activity activity, int farm)
{
    const std::string_view name = Tr(kLogContext, kLogNames[static_cast<int>(activity)]);
    if (onFarms(activity))
        return Format(name, {long{farm}});
    return farm == 0 ? std::string(name) : std::string(name) + "(" + std::to_string(farm) + ")";
}

std::size_t LogNameWidth()
{
    std::size_t longest = 0;
    for (int activity = 0; activity < kActivities; ++activity)
        longest = std::max(longest, TextColumns(LogName(static_cast<Activity>(activity), kFarms)));
    return longest + 1;
}

std::vector<TextRun> LogRuns(std::string_view line) { return TextRuns(line, LogNameWidth()); }

std::string FormatLogLine(const LogRecord &record, std::size_t nameWidth)
{
    return FormatLogLine(LogName(record.activity, record.farm), record.daysUsed, record.daysLeft, record.gain,
                         record.total, nameWidth);
}

LogHeadings LayOutLogHeadings(std::size_t nameWidth)
{
    // TRANSLATORS: the activity log's column headings, in two rows: "Days" above
    // "Used" and above "Left". Each stands above its column of three-digit numbers
    // in a fixed-pitch list, 8, 12 and 9 characters apart; a longer heading
    // pushes the next one to the right.
    static constexpr std::string_view kHeadings[] = {
        TrNoop("log heading", "Days"), TrNoop("log heading", "Action"), TrNoop("log heading", "Used"),
        TrNoop("log heading", "Left"), TrNoop("log heading", "%Converted"), TrNoop("log heading", "Total"),
    };
    const std::string_view above = Tr("log heading", kHeadings[0]);
    std::array<std::string_view, 5> below;
    for (std::size_t i = 0; i < below.size(); ++i)
        below[i] = Tr("log heading", kHeadings[i + 1]);
    const std::array<std::size_t, 5> columns = {0, nameWidth, nameWidth + 8, nameWidth + 20, nameWidth + 29};
    const auto place = [](std::string &row, std::size_t column, std::string_view word) {
        const std::size_t used = TextColumns(row);
        row.append(used == 0 ? column : std::max(column, used + 1) - used, ' ');
        row += word;
    };
    LogHeadings headings;
    place(headings.above, columns[1], above);
    place(headings.above, columns[2], above);
    for (std::size_t i = 0; i < below.size(); ++i)
        place(headings.below, columns[i], below[i]);
    return headings;
}

std::string FormatLogLine(const LogRecord &record) { return FormatLogLine(record, LogNameWidth()); }

std::vector<std::string> LogLines(const std::vector<LogRecord> &log)
{
    const std::size_t width = LogNameWidth();
    std::vector<std::string> lines;
    lines.reserve(log.size());
    for (const LogRecord &record : log)
        lines.push_back(FormatLogLine(record, width));
    return lines;
}

int ComputeGrade(const GameState &state)
{
    // Whole part of TotalConverted * 50 / 85, exact in integers (rounded toward minus infinity).
    const int scaled = state.TotalConverted * 10;
    return scaled >= 0 ? scaled / 17 : -((-scaled + 16) / 17);
}

} // namespace Startup
