// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom.h"

#include "identity.h"
#include "language.h"
#include "numbers.h"

#include <algorithm>
#include <span>
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
    std::size_t end = 0;
    for (const std::string_view english : std::span(kColumns).subspan(1)) {
        const std::string_view heading = Tr(kHeading, english);
        const std::size_t begin = line.find("000", end), used = TextColumns(columns), wide = TextColumns(heading);
        end = begin + 3;
        const std::size_t ending = std::max(end, wide) - wide;
        columns.append(std::max(used + 1, ending > used ? ending : begin) - used, ' ');
        columns += heading;
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
        // TRANSLATORS: the heading above the player's log on the printed debrief,
        // beside the best plan's.
        .logHeading = std::string(Tr(kPrintout, "Your game")),
        .log = LogLines(state.ActivityLog),
        // TRANSLATORS: the heading above the best plan's log on the printed debrief.
        .bestPlanHeading = std::string(Tr(kPrintout, "Best plan")),
        .bestPlan = LogLines(debrief.bestPlanLog),
    };
}

std::string ResultComment(int converted, int bestTotal, int daysTyped)
{
    const std::initializer_list<FormatArgument> numbers = {long{converted}, long{daysTyped}, long{bestTotal},
                                                           long{bestTotal > 0 ? converted * 100 / bestTotal : 0}};
    // TRANSLATORS: the result a learning platform records for the teacher: %1$d
    // households converted, the best plan for %2$d days (those the player planned),
    // the households it converts, %3$d, and the share of those the player reached.
    // The numbers may be any; a form such as "households converted: %1$d" suits.
    if (bestTotal > 0)
        return Format(Tr("result comment", "Converted %1$d households; the best plan for %2$d days converts %3$d, "
                                           "and this game reached %4$d%% of that."),
                      numbers);
    // TRANSLATORS: the same result when the best plan converts none (%3$d is 0).
    return Format(Tr("result comment", "Converted %1$d households; the best plan for %2$d days converts %3$d."), numbers);
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
