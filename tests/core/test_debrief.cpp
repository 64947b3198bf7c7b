// SPDX-License-Identifier: GPL-3.0-or-later
// The debrief of a few finished games: its sentences, its chart's ranges and
// curves, and the best plan's lines.

#include "bestplan.h"
#include "chart.h"
#include "debrief.h"

#include <doctest/doctest.h>

#include <cctype>

#include <optional>

using namespace Startup;

namespace {

constexpr PlannedActivity kNewspaper{Activity::Newspaper}, kVillager{Activity::RandomVillager},
    kFilm{Activity::Film};

struct Game {
    const char *what;
    std::int16_t daysTyped;
    std::int16_t target;
    std::optional<std::vector<PlannedActivity>> played;  // none: the best plan itself
    std::vector<std::string> sentences;
    int horizontalMaximum, verticalMaximum;
    bool targetLine;
    ChartPoint playerLast, bestLast;
};

const Game kGames[] = {
    {"one household", 100, 10, std::vector{kVillager},
     {"You converted 1 household.", "The best plan for your 100 days converts 15 households.",
      "Your target was 10% of the village.", "The best plan reaches it."},
     100, 100, true, {55, 1}, {95, 15}},
    {"a target beyond the chart", 365, 150, std::vector{kNewspaper, kFilm},
     {"You converted 8 households.", "The best plan for your 365 days converts 90 households.",
      "Your target was 150% of the village.", "Not even the best plan reaches it."},
     365, 100, false, {85, 8}, {365, 90}},
    {"a target below the chart", 200, -5, std::vector<PlannedActivity>{},
     {"You converted 0 households.", "The best plan for your 200 days converts 41 households.",
      "Your target was -5% of the village.", "The best plan reaches it."},
     200, 100, false, {45, 0}, {195, 41}},
    {"fewer days typed than the information takes", 30, 0, std::vector<PlannedActivity>{},
     {"You converted 0 households.", "The best plan for your 30 days converts 0 households.",
      "Your target was 0% of the village.", "The best plan reaches it."},
     45, 100, true, {45, 0}, {45, 0}},
    {"the best plan played", 1000, 100, std::nullopt,
     {"You converted 164 households.", "The best plan for your 1000 days converts 164 households.",
      "Your target was 100% of the village.", "The best plan reaches it."},
     1000, 180, true, {995, 164}, {995, 164}},
    {"the most days", INT16_MAX, 100, std::vector{kNewspaper},
     {"You converted 2 households.", "The best plan for your 32767 days converts 3341 households.",
      "Your target was 100% of the village.", "The best plan reaches it."},
     INT16_MAX, 3500, true, {55, 2}, {32765, 3341}},
};

void checkAxis(const ChartAxis &axis, int maximum, bool endsOnTick)
{
    CHECK(axis.maximum == maximum);
    REQUIRE(axis.ticks.size() >= 5);
    CHECK(axis.ticks.size() <= 11);
    const int step = axis.ticks[1];
    for (std::size_t i = 0; i < axis.ticks.size(); ++i)
        CHECK(axis.ticks[i] == static_cast<int>(i) * step);
    CHECK(axis.ticks.back() <= maximum);
    CHECK(maximum - axis.ticks.back() < (endsOnTick ? 1 : step));
}

} // namespace

TEST_CASE("the debrief of a finished game")
{
    for (const Game &game : kGames) {
        CAPTURE(game.what);
        const int daysLeft = game.daysTyped - kInformationDays;
        GameState state = GameAfterInformation(daysLeft);
        state.TargetPercent = game.target;
        REQUIRE(CarryOutPlan(state, game.played.value_or(FindBestPlan(daysLeft).activities)) == Verdict::Accepted);

        const Debrief debrief = BuildDebrief(state, game.daysTyped);
        CHECK(debrief.sentences == game.sentences);
        const DebriefChart &chart = debrief.chart;
        checkAxis(chart.horizontal, game.horizontalMaximum, false);
        checkAxis(chart.vertical, game.verticalMaximum, true);
        CHECK(chart.horizontal.label == "days used");
        CHECK(chart.vertical.label == "households converted");
        CHECK(chart.target.has_value() == game.targetLine);
        CHECK(chart.targetLabel == (game.targetLine ? "Target " + std::to_string(game.target) + "%" : ""));
        for (const auto *curve : {&chart.player, &chart.bestPlan})
            CHECK(curve->front() == ChartPoint{45, 0});
        CHECK(chart.player.back() == game.playerLast);
        CHECK(chart.bestPlan.back() == game.bestLast);
        CHECK(chart.bestPlan.size() == debrief.bestPlanLog.size());
        if (!game.played)
            CHECK(chart.player == chart.bestPlan);

        // Laid out for the window's chart box, everything lies inside it, a text's top too.
        const ChartDrawing drawing = LayOutChart(chart, 448, 264);
        for (const ChartLine &line : drawing.lines)
            for (auto [x, y] : {std::pair{line.x1, line.y1}, {line.x2, line.y2}})
                CHECK((x >= 0 && x < 448 && y >= 0 && y < 264));
        for (const ChartText &text : drawing.texts)
            CHECK((text.x >= 0 && text.x <= 448 && text.y >= 9 && text.y < 264));
        CHECK(drawing.texts.size() == chart.horizontal.ticks.size() + chart.vertical.ticks.size() + 4 + game.targetLine);
        // Each tick named where it lies: the horizontal axis runs from x 44 to 436, the vertical from y 230 up to 20.
        std::vector<ChartText> days, households;
        for (const ChartText &text : drawing.texts)
            if (!text.text.empty() && std::isdigit(static_cast<unsigned char>(text.text[0])))
                (text.anchor == TextAnchor::Middle ? days : households).push_back(text);
        REQUIRE(days.size() == chart.horizontal.ticks.size());
        REQUIRE(households.size() == chart.vertical.ticks.size());
        for (std::size_t i = 0; i < days.size(); ++i) {
            CHECK(days[i].text == std::to_string(chart.horizontal.ticks[i]));
            CHECK(days[i].x == 44 + chart.horizontal.ticks[i] * 392 / chart.horizontal.maximum);
        }
        for (std::size_t i = 0; i < households.size(); ++i) {
            CHECK(households[i].text == std::to_string(chart.vertical.ticks[i]));
            CHECK(households[i].y == 230 - chart.vertical.ticks[i] * 210 / chart.vertical.maximum + 4);
        }
    }
}

TEST_CASE("the best plan's lines and the chart in words")
{
    GameState state = GameAfterInformation(365 - 45);
    CarryOutPlan(state, {kNewspaper, kFilm});
    const Debrief debrief = BuildDebrief(state, 365);
    CHECK(debrief.chartDescription.starts_with(
        "Your game: the information until day 45; then 1 newspaper advertisement, 2 households, until day 55; then "
        "1 film, 6 households, until day 85. In all, 8 households in 85 days. The best plan: the information until "
        "day 45; then 2 newspaper advertisements, 2 households each, until day 65; then 1 radio advertisement"));
    CHECK(debrief.chartDescription.ends_with(
        "then 1 demonstration on farm 8, 10 households, until day 365. In all, 90 households in 365 days. "
        "The target line is at 0%."));
    CHECK(FormatLogLine(debrief.bestPlanLog.back()) == "Give a demonstration (8)    040     000         010      090");

    const Debrief tooShort = BuildDebrief(GameAfterInformation(30 - 45), 30);
    const std::vector<std::string> onlyTheInformation{"Information                 045     -015         000      000"};
    CHECK(LogLines(tooShort.bestPlanLog) == onlyTheInformation);

    const Debrief longest = BuildDebrief(GameAfterInformation(INT16_MAX - 45), INT16_MAX);
    CHECK(longest.chartDescription.find("then 3219 newspaper advertisements, 1 household each, until day 32255;")
          != std::string::npos);
}
