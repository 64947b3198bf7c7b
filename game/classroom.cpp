// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom.h"

#include "identity.h"
#include "language.h"
#include "numbers.h"

#include <algorithm>
#include <utility>

namespace Startup {

namespace {

constexpr std::string_view kPrintout = "printout", kHeading = "log heading";

// The log's column headings over the log's lines in the language in use: each
// ends where its column of numbers ends, or, too long for that, begins where its
// numbers begin; one longer still pushes the next one on.
std::string logColumns()
{
    // TRANSLATORS: the printed debrief's log headings, in one row: "Activity" above
    // the names, then "Used" (days), "Left" (days), "Gained" (households) and
    // "Total", over columns of three-digit numbers 8, 12 and 9 characters apart.
    // Each ends where its numbers end, or, when longer, begins where they begin.
    static constexpr std::string_view kColumns[] = {
        TrNoop("log heading", "Activity"), TrNoop("log heading", "Used"),  TrNoop("log heading", "Left"),
        TrNoop("log heading", "Gained"),   TrNoop("log heading", "Total"),
    };
    const std::string line = FormatLogLine("", 0, 0, 0, 0, LogNameWidth());
    std::string columns(Tr(kHeading, kColumns[0]));
    std::size_t used = TextColumns(columns), end = 0;
    for (std::size_t i = 1; i < std::size(kColumns); ++i) {
        const std::string_view heading = Tr(kHeading, kColumns[i]);
        const std::size_t begin = line.find("000", end), wide = TextColumns(heading);
        end = begin + 3;
        const std::size_t at = std::max(used + 1, end > used + wide ? end - wide : begin);
        columns.append(at - used, ' ').append(heading);
        used = at + wide;
    }
    return columns;
}

} // namespace

Printout BuildPrintout(const GameState &state, std::int16_t daysTyped, const Debrief &debrief, ChartDrawing chart)
{
    return {
        // TRANSLATORS: the printed debrief's title; %s is the program's name, Brimwold.
        .title = Format(Tr(kPrintout, "%s: the debrief"), {kApplicationTitle}),
        // TRANSLATORS: the game's setup on the printed debrief, in one row with the
        // days planned and the target; %s is the player's name.
        .facts = {Format(Tr(kPrintout, "Player: %s"), {state.PlayerName}),
                  // TRANSLATORS: the days the player planned, on the printed debrief.
                  Format(Tr(kPrintout, "Days: %d"), {long{daysTyped}}),
                  // TRANSLATORS: the player's target on the printed debrief, in per cent.
                  Format(Tr(kPrintout, "Target: %d%%"), {long{state.TargetPercent}})},
        // TRANSLATORS: at the top right of the printed debrief, followed by a
        // blank and the date it is printed on, as 2026-05-04.
        .printedOn = std::string(Tr(kPrintout, "Printed on")),
        .sentences = debrief.sentences,
        .chart = std::move(chart),
        .columns = logColumns(),
        // TRANSLATORS: the legend's names head the two logs on the printed debrief too.
        .logHeading = std::string(Tr("chart", "Your game")),
        .log = LogLines(state.ActivityLog),
        // TRANSLATORS: the legend's names head the two logs on the printed debrief too.
        .bestPlanHeading = std::string(Tr("chart", "Best plan")),
        .bestPlan = LogLines(debrief.bestPlanLog),
    };
}

std::string ResultComment(int converted, int bestTotal, int daysTyped)
{
    // TRANSLATORS: the share of the best plan's households that the player
    // converted, put at the end of the result below when the best plan converts any.
    const std::string share =
        bestTotal > 0 ? Format(Tr("result comment", ", and this game reached %d%% of that"), {long{converted * 100 / bestTotal}})
                      : "";
    // TRANSLATORS: the result a learning platform records for the teacher: %1$d
    // households converted, the best plan for %2$d days (those the player planned),
    // the households it converts, %3$d, then the share above, or nothing. Any
    // number may stand in each; a form such as "households converted: %1$d" suits.
    return Format(Tr("result comment", "Converted %1$d households; the best plan for %2$d days converts %3$d%4$s."),
                  {long{converted}, long{daysTyped}, long{bestTotal}, share});
}

// TRANSLATORS: a notice at the top of the browser's page, when the class link or
// the learning platform preset days or a percentage the setup screen refuses.
std::string_view PresetIgnoredNotice()
{
    return Tr("notice",
              "The days or the percentage this game was set to start with cannot be used; the usual ones are filled in.");
}

// TRANSLATORS: a notice at the top of the browser's page, when the learning
// platform did not take the game's result.
std::string_view NotSentNotice()
{
    return Tr("notice", "Your result could not be sent to your learning platform. You can play on; please tell your teacher.");
}

} // namespace Startup
