// SPDX-License-Identifier: GPL-3.0-or-later
#include "debrief.h"

#include "bestplan.h"
#include "language.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace Startup {

namespace {

constexpr std::string_view kDebrief = "debrief", kChart = "chart", kDescription = "chart description";

// TRANSLATORS: a number of households, which the debrief's sentences put in their %s.
std::string households(int count) { return Format(NTr(kDebrief, "%d household", "%d households", count), {long{count}}); }
// TRANSLATORS: a number of days, which the debrief's sentences put in their %s. The
// English says "days" even for one day; say it as your language does.
std::string days(int count) { return Format(NTr(kDebrief, "%d days", "%d days", count), {long{count}}); }

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

// A run of equal activities in words: "30 newspaper advertisements", "1 talk with leader 3".
std::string activitiesInWords(const LogRecord &record, int count)
{
    // TRANSLATORS: a run of equal activities in the chart's description for
    // screen readers: %1$d is how many, %2$d (where there is one) the farm.
    static constexpr PluralText kWords[kActivities] = {
        {},
        NTrNoop("chart description", "%1$d newspaper advertisement", "%1$d newspaper advertisements"),
        NTrNoop("chart description", "%1$d radio advertisement", "%1$d radio advertisements"),
        NTrNoop("chart description", "%1$d talk with a villager at random", "%1$d talks with villagers at random"),
        NTrNoop("chart description", "%1$d training of villagers", "%1$d trainings of villagers"),
        NTrNoop("chart description", "%1$d film", "%1$d films"),
        NTrNoop("chart description", "%1$d talk with leader %2$d", "%1$d talks with leader %2$d"),
        NTrNoop("chart description", "%1$d demonstration on farm %2$d", "%1$d demonstrations on farm %2$d"),
    };
    // The information is only ever the first step of a curve, which has no run.
    const PluralText &words = kWords[static_cast<int>(record.activity)];
    if (words.singular.empty())
        return LogName(record.activity, record.farm);
    return Format(NTr(kDescription, words.singular, words.plural, count), {long{count}, long{record.farm}});
}

// "Your game: the information until day 45; then 30 newspaper advertisements,
// 1 household each, until day 345; ..." with each run of equal steps told once.
std::string describe(bool bestPlan, const Curve &curve)
{
    const std::vector<ChartPoint> &points = curve.points;
    // TRANSLATORS: the start of the description of a curve of the debrief's chart,
    // for screen readers; %d is the day the village information had been read by.
    std::string text = Format(bestPlan ? Tr(kDescription, "The best plan: the information until day %d")
                                       : Tr(kDescription, "Your game: the information until day %d"),
                              {long{points[0].daysUsed}});
    for (std::size_t first = 1, last = 1; first < points.size(); first = last) {
        const int rise = points[first].households - points[first - 1].households;
        while (last < points.size() && sameActivity(*curve.records[last - 1], *curve.records[first - 1])
               && points[last].households - points[last - 1].households == rise)
            ++last;
        const int count = static_cast<int>(last - first);
        // TRANSLATORS: "%d households each": what each activity of a run converted.
        const std::string gained = count > 1 ? Format(NTr(kDescription, "%d household each", "%d households each", rise),
                                                      {long{rise}})
                                             : households(rise);
        // TRANSLATORS: one run of equal activities in the description of a curve, after
        // its start: %1$s the activities ("30 newspaper advertisements"), %2$s the
        // households they converted ("1 household each"), %3$d the day the run ended.
        text += Format(Tr(kDescription, "; then %1$s, %2$s, until day %3$d"),
                       {activitiesInWords(*curve.records[first - 1], count), gained, long{points[last - 1].daysUsed}});
    }
    // TRANSLATORS: the end of the description of a curve: %1$s the households ("66
    // households"), %2$s the days ("365 days").
    return text + Format(Tr(kDescription, ". In all, %1$s in %2$s."),
                         {households(points.back().households), days(points.back().daysUsed)});
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
        Format(NTr(kDebrief, "You converted %d household.", "You converted %d households.", converted), {long{converted}}),
        // TRANSLATORS: %1$s is the days the player planned ("365 days"), %2$s the households
        // the best plan converts in them ("90 households").
        Format(Tr(kDebrief, "The best plan for your %1$s converts %2$s."), {days(daysTyped), households(plan.total)}),
        // TRANSLATORS: %d is the target the player typed on the setup screen, in per cent.
        Format(Tr(kDebrief, "Your target was %d%% of the village."), {long{target}}),
        std::string(plan.total >= target ? Tr(kDebrief, "The best plan reaches it.")
                                         : Tr(kDebrief, "Not even the best plan reaches it.")),
    };
    debrief.bestPlanLog = best.ActivityLog;

    DebriefChart &chart = debrief.chart;
    // TRANSLATORS: the name of the chart's horizontal axis, in small print below it at the right.
    chart.horizontal = axisTo(std::max<int>(daysTyped, kInformationDays), false, std::string(Tr(kChart, "days used")));
    // TRANSLATORS: the name of the chart's vertical axis, in small print above it.
    chart.vertical = axisTo(std::max({100, converted, plan.total}), true, std::string(Tr(kChart, "households converted")));
    // TRANSLATORS: the chart's legend, for the player's curve, beside a short stretch of its line.
    chart.playerLabel = Tr(kChart, "Your game");
    // TRANSLATORS: the chart's legend, for the best plan's curve, beside a short stretch of its line.
    chart.bestPlanLabel = Tr(kChart, "Best plan");
    const Curve player = curveOf(state.ActivityLog, daysTyped);
    const Curve bestPlan = curveOf(best.ActivityLog, daysTyped);
    chart.player = player.points;
    chart.bestPlan = bestPlan.points;
    // TRANSLATORS: the end of the chart's description for screen readers; %d is the target in per cent.
    std::string targetInWords = Format(Tr(kDescription, "The target, %d%%, lies outside the chart."), {long{target}});
    if (target >= 0 && target <= chart.vertical.maximum) {
        chart.target = target;
        // TRANSLATORS: beside the target's line in the chart; %d is the target in per cent.
        chart.targetLabel = Format(Tr(kChart, "Target %d%%"), {long{target}});
        targetInWords = Format(Tr(kDescription, "The target line is at %d%%."), {long{target}});
    }
    debrief.chartDescription = describe(false, player) + " " + describe(true, bestPlan) + " " + targetInWords;
    return debrief;
}

} // namespace Startup
