// SPDX-License-Identifier: GPL-3.0-or-later
#include "debrief.h"

#include "bestplan.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

namespace Startup {

namespace {

std::string households(int count) { return std::to_string(count) + (count == 1 ? " household" : " households"); }

// A curve read back from log lines: the information's point, then one point per
// later line at the days used by then and the running total.
struct Curve {
    std::vector<ChartPoint> points;
    std::vector<std::string> names;  // the activity of each point after the first
};

// The activity's name, days left and running total of a log line: its last
// four fields are days used, days left, gain and total.
struct LoggedStep {
    std::string name;
    int daysLeft = 0;
    int total = 0;
};

std::optional<LoggedStep> readLogLine(std::string_view line)
{
    std::array<int, 4> numbers{};
    std::size_t end = line.size();
    for (std::size_t field = numbers.size(); field-- > 0;) {
        while (end > 0 && line[end - 1] == ' ')
            --end;
        const std::size_t blank = line.find_last_of(' ', end == 0 ? 0 : end - 1);
        const std::size_t start = blank == std::string_view::npos ? 0 : blank + 1;
        const auto [last, error] = std::from_chars(line.data() + start, line.data() + end, numbers[field]);
        if (start == end || error != std::errc() || last != line.data() + end)
            return std::nullopt;
        end = start;
    }
    std::string_view name = line.substr(0, end);
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    return LoggedStep{std::string(name), numbers[1], numbers[3]};
}

Curve curveOf(const std::vector<std::string> &log, int daysTyped)
{
    Curve curve{{{kInformationDays, 0}}, {}};
    for (std::size_t line = 1; line < log.size(); ++line)
        if (const std::optional<LoggedStep> step = readLogLine(log[line])) {
            curve.points.push_back({daysTyped - step->daysLeft, step->total});
            curve.names.push_back(step->name);
        }
    return curve;
}

// An activity named as in the log, in words: one, or several.
std::string activityInWords(std::string_view name, bool several)
{
    struct Words {
        std::string_view logName, one, many;
    };
    static constexpr std::array<Words, 7> kWords{{
        {"Newspaper", "newspaper advertisement", "newspaper advertisements"},
        {"Radio", "radio advertisement", "radio advertisements"},
        {"Talk to villager", "talk with a villager at random", "talks with villagers at random"},
        {"Train Villagers", "training of villagers", "trainings of villagers"},
        {"Film", "film", "films"},
        {"Talk to opinion leader (", "talk with leader ", "talks with leader "},
        {"Give a demonstration (", "demonstration on farm ", "demonstrations on farm "},
    }};
    for (const Words &words : kWords) {
        const bool farm = words.logName.back() == '(';
        if (farm ? name.starts_with(words.logName) && name.ends_with(")") : name == words.logName) {
            std::string text(several ? words.many : words.one);
            if (farm)
                text += name.substr(words.logName.size(), name.size() - words.logName.size() - 1);
            return text;
        }
    }
    return std::string(name);
}

// "Your game: the information until day 45; then 30 newspaper advertisements,
// 1 household each, until day 345; ..." with each run of equal steps told once.
std::string describe(std::string_view whose, const Curve &curve)
{
    const std::vector<ChartPoint> &points = curve.points;
    std::string text = std::string(whose) + ": the information until day " + std::to_string(points[0].daysUsed);
    for (std::size_t first = 1, last = 1; first < points.size(); first = last) {
        const int rise = points[first].households - points[first - 1].households;
        while (last < points.size() && curve.names[last - 1] == curve.names[first - 1]
               && points[last].households - points[last - 1].households == rise)
            ++last;
        const std::size_t count = last - first;
        text += "; then " + std::to_string(count) + " " + activityInWords(curve.names[first - 1], count > 1) + ", "
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
