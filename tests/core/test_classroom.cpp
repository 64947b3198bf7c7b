// SPDX-License-Identifier: GPL-3.0-or-later
// What the teachers' tools are given: the debrief's printout of a few games, its
// log's column headings over the log's numbers, and the result in words.

#include "bestplan.h"
#include "classroom.h"
#include "program.h"

#include <doctest/doctest.h>

using namespace Startup;

namespace {

// A game played to its printout through the events a player would press.
Printout printed(const SetupTexts &typed, const std::vector<std::string> &menu, Step *debriefChart = nullptr)
{
    Program program;
    program.Main();
    program.Press(Window::frmIntro, "cmdNameOK", typed);
    program.Press(Window::frmMain, "cmdInformation");
    for (const std::string &button : menu) {
        program.Press(Window::frmMain, "cmdDiffusion");
        program.Press(Window::frmDiffusion, button);
    }
    program.Press(Window::frmMain, "cmdFeedback");
    const Step ahead = program.DebriefChartAhead();
    for (const Step &step : program.Press(Window::frmFeedback, "cmdDebrief")) {
        if (step.kind != StepKind::SetChart)
            continue;
        CHECK(step == ahead);  // the chart the page draws ahead is the one the press draws
        if (debriefChart)
            *debriefChart = step;
    }
    const Steps steps = program.Press(Window::frmDebrief, "cmdPrint");
    REQUIRE(steps.size() == 1);
    CHECK(steps[0].kind == StepKind::Print);
    CHECK(steps[0].window == Window::frmDebrief);
    return steps[0].printout;
}

} // namespace

TEST_CASE("the printout holds the game's setup, the debrief and both logs")
{
    const struct {
        const char *what;
        SetupTexts typed;
        std::vector<std::string> menu;
        std::vector<std::string> facts;
        std::size_t logLines, bestPlanLines;
    } games[] = {
        {"a short game", {"Ada", "75", "10"}, {"Command3", "Command1", "Command1"},
         {"Player: Ada", "Days: 75", "Target: 10%"}, 4, 4},
        {"a name of blanks, a fraction of days", {"  ", "100.4", "-3"}, {"Command5", "Command1", "Command1"},
         {"Player:   ", "Days: 100", "Target: -3%"}, 4, 4},
    };
    for (const auto &game : games) {
        CAPTURE(std::string(game.what));
        Step chart;
        const Printout printout = printed(game.typed, game.menu, &chart);
        CHECK(printout.title == "Brimwold: the debrief");
        CHECK(printout.facts == game.facts);
        CHECK(printout.printedOn == "Printed on");
        CHECK(printout.sentences.size() == 4);
        CHECK(printout.sentences.front().starts_with("You converted "));
        CHECK(printout.chart == chart.chart);
        CHECK(printout.logHeading == "Your game");
        CHECK(printout.log.size() == game.logLines);
        CHECK(printout.log.front().starts_with("Information"));
        CHECK(printout.bestPlanHeading == "Best plan");
        CHECK(printout.bestPlan.size() == game.bestPlanLines);
    }
}

TEST_CASE("the log's column headings end where its numbers end")
{
    const std::string columns = printed({"Ada", "75", "10"}, {"Command1", "Command1", "Command1"}).columns;
    const std::string line = FormatLogLine({Activity::Newspaper, 0, 10, 110, 2, 7});
    for (std::size_t at = 0, end = 0; (at = line.find_first_of("0123456789", end)) != std::string::npos;) {
        end = line.find(' ', at);
        end = end == std::string::npos ? line.size() : end;
        CHECK(columns[end - 1] != ' ');
        CHECK((end == columns.size() || columns[end] == ' '));
    }
}

TEST_CASE("the result in words, for a learning platform")
{
    const struct {
        int converted, bestTotal, daysTyped;
        const char *comment;
    } results[] = {
        {66, 90, 365, "Converted 66 households; the best plan for 365 days converts 90, and this game reached 73% of that."},
        {90, 90, 365, "Converted 90 households; the best plan for 365 days converts 90, and this game reached 100% of that."},
        {0, 0, 30, "Converted 0 households; the best plan for 30 days converts 0."},
    };
    for (const auto &result : results)
        CHECK(ResultComment(result.converted, result.bestTotal, result.daysTyped) == result.comment);
}
