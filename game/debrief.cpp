// SPDX-License-Identifier: GPL-3.0-or-later
#include "debrief.h"

#include "bestplan.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace Startup {

namespace {

std::string households(int count) { return std::to_string(count) + (count == 1 ? " household" : " households"); }

// A curve from the log: the information's point, then one point per later
// record at the days used by then and the running total.
struct Curve {
    std::vector<ChartPoint> points;
    std::vector<const LogRecord *> records;  // the activity of each point after the first
};

Curve curveOf(const std::vector<LogRecord> &log, int daysTyped)
{
    Curve curve{{{kInformationDays, 0}}, {}};
    for (std::size_t i = 1; i < log.size(); ++i) {
        curve.points.push_back({daysTyped - log[i].daysLeft, log[i].total});
        curve.records.push_back(&log[i]);
    }
    return curve;
}

bool sameActivity(const LogRecord &a, const LogRecord &b) { return a.activity == b.activity && a.farm == b.farm; }

// An activity in words: one, or several.
std::string activityInWords(const LogRecord &record, bool several)
{
    struct Words {
        std::string_view one, many;
    };
    static constexpr Words kWords[kActivities] = {
        {"information", "information"},
        {"newspaper advertisement", "newspaper advertisements"},
        {"radio advertisement", "radio advertisements"},
        {"talk with a villager at random", "talks with villagers at random"},
        {"training of villagers", "trainings of villagers"},
        {"film", "films"},
        {"talk with leader ", "talks with leader "},
        {"demonstration on farm ", "demonstrations on farm "},
    };
    const Words &words = kWords[static_cast<int>(record.activity)];
    std::string text(several ? words.many : words.one);
    if (record.farm != 0)
        text += std::to_string(record.farm);
    return text;
}

// "Your game: the information until day 45; then 30 newspaper advertisements,
// 1 household each, until day 345; ..." with each run of equal steps told once.
std::string describe(std::string_view whose, const Curve &curve)
{
    const std::vector<ChartPoint> &points = curve.points;
    std::string text = std::string(whose) + ": the information until day " + std::to_string(points[0].daysUsed);
    for (std::size_t first = 1, last = 1; first < points.size(); first = last) {
        const int rise = points[first].households - points[first - 1].households;
        while (last < points.size() && sameActivity(*curve.records[last - 1], *curve.records[first - 1])
               && points[last].households - points[last - 1].households == rise)
            ++last;
        const std::size_t count = last - first;
        text += "; then " + std::to_string(count) + " " + activityInWords(*curve.records[first - 1], count > 1) + ", "
                + households(rise) + (count > 1 ? " each" : "") + ", until day "
                + std::to_string(points[last - 1].daysUsed);
    }
    return text + ". In all, " + households(points.back().households) + " in "
           + std::to_string(points.back().daysUsed) + " days.";
}

// The smallest step of 1, 2 or 5 times a power of ten that splits 0..maximum into at most 10.
int tickStep(int maximum)
{
    for (int scale = 1;; scale *= 10)
        for (int step : {scale, 2 * scale, 5 * scale})
            if ((maximum + step - 1) / step <= 10)
                return step;
}

// An axis from 0 to maximum, or to the next tick when roundUp.
ChartAxis axisTo(int maximum, bool roundUp, std::string label)
{
    const int step = tickStep(maximum);
    ChartAxis axis{roundUp ? (maximum + step - 1) / step * step : maximum, {}, std::move(label)};
    for (int tick = 0; tick <= axis.maximum; tick += step)
        axis.ticks.push_back(tick);
    return axis;
}

} // namespace

Debrief BuildDebrief(const GameState &state, std::int16_t daysTyped)
{
    const int converted = state.TotalConverted;
    const int target = state.TargetPercent;
    const int daysLeft = daysTyped - kInformationDays;
    const BestPlan plan = FindBestPlan(daysLeft);
    GameState best = GameAfterInformation(daysLeft);
    CarryOutPlan(best, plan.activities);

    Debrief debrief;
    debrief.sentences = {
        "You converted " + households(converted) + ".",
        "The best plan for your " + std::to_string(daysTyped) + " days converts " + households(plan.total) + ".",
        "Your target was " + std::to_string(target) + "% of the village.",
        plan.total >= target ? "The best plan reaches it." : "Not even the best plan reaches it.",
    };
    debrief.bestPlanLog = best.ActivityLog;

    DebriefChart &chart = debrief.chart;
    chart.horizontal = axisTo(std::max<int>(daysTyped, kInformationDays), false, "days used");
    chart.vertical = axisTo(std::max({100, converted, plan.total}), true, "households converted");
    const Curve player = curveOf(state.ActivityLog, daysTyped);
    const Curve bestPlan = curveOf(best.ActivityLog, daysTyped);
    chart.player = player.points;
    chart.bestPlan = bestPlan.points;
    std::string targetInWords = "The target, " + std::to_string(target) + "%, lies outside the chart.";
    if (target >= 0 && target <= chart.vertical.maximum) {
        chart.target = target;
        chart.targetLabel = "Target " + std::to_string(target) + "%";
        targetInWords = "The target line is at " + std::to_string(target) + "%.";
    }
    debrief.chartDescription = describe(chart.playerLabel, player) + " " + describe("The best plan", bestPlan) + " "
                               + targetInWords;
    return debrief;
}

} // namespace Startup
