// SPDX-License-Identifier: GPL-3.0-or-later
#include "bestplan.h"

#include <algorithm>
#include <array>
#include <climits>
#include <utility>
#include <vector>

// Why the search below is exact.
//
// Every activity costs a multiple of 10 days and only the days' total limits a
// plan, so a set of activities fits exactly when its cost fits, whatever the
// order; and one order is best for every set: advertising, training and film,
// the talks but leader 8's, the demonstrations but farm 8's, leader 8's talks,
// the demonstration on farm 8. In it every activity converts the most it can:
// - a gain depends only on the activity's own use counter and on three facts
//   about what came before it: advertising used (training, film), advertising
//   and training or film used (an advanced demonstration), demonstrations on
//   farms 9 and 10 (leader 8's bonus). The order puts every activity after all
//   that helps it, and each demonstration after a talk with its leader;
// - trainings and films after advertising convert at least as much in sum as
//   any mix of before and after (film: 6, 4, 2, 2, 1, 1 after against 3, 3, 3,
//   1 before; every sum of the first few is larger after).
// So the best total is the best over sets, each valued in that order. For each
// of the 8 ways the three facts can hold, the sets that make them hold exactly
// are a multiple-choice knapsack over 10-day units: one option per group
// (training with film, each leader with their farm, leaders 9 and 10 together,
// whose two demonstrations decide the bonus), solved by dynamic programming
// over the units. Use counters stop at 6, so any further use gains what the
// sixth did: nothing for talks, training and radio, 1 per 30 days for a film;
// newspapers in its days gain at least as much, so no group needs more than six
// uses. Radio advertisements are tried 0 to 6 at a time; newspapers (1 each
// from the third on, never less than a villager at random) take all the days
// left: a best plan leaves no 10 days unused, since one more newspaper would
// convert more, so every best plan uses the same days.

namespace Startup {

namespace {

// Every activity's cost is a whole number of the cheapest's: the search counts in those units.
constexpr int kUnitDays = kMediaDays;
constexpr bool costsAreWholeUnits()
{
    for (int a = 0; a < kActivities; ++a)
        if (const auto activity = static_cast<Activity>(a);
            activity != Activity::Information && (DaysOf(activity) < kUnitDays || DaysOf(activity) % kUnitDays != 0))
            return false;
    return true;
}
static_assert(costsAreWholeUnits(), "the best plan is exact only while every activity costs whole units of a newspaper's days");
constexpr int kCountedUses = 6;  // a use counter is held here: later uses gain what the sixth did
constexpr int kNone = INT_MIN / 4;

using Gains = std::array<int, kCountedUses>;  // households converted by the 1st..6th use

// Households converted by the first `uses` uses.
int sumOfFirst(const Gains &gains, int uses)
{
    int sum = 0;
    for (int use = 0; use < std::min(uses, kCountedUses); ++use)
        sum += gains[use];
    return sum + std::max(uses - kCountedUses, 0) * gains.back();
}

PlannedActivity talk(int farm) { return {Activity::Talk, farm}; }
PlannedActivity demonstration(int farm) { return {Activity::Demonstration, farm}; }
constexpr PlannedActivity kNewspaper{Activity::Newspaper};
constexpr PlannedActivity kRadio{Activity::Radio};
constexpr PlannedActivity kTraining{Activity::Training};
constexpr PlannedActivity kFilm{Activity::Film};

struct Measured {
    int units = 0;  // cost in 10-day units
    Gains gains{};
};

// An activity repeated six times on a new game after `before`, through the rules themselves.
Measured measure(const std::vector<PlannedActivity> &before, PlannedActivity activity)
{
    GameState state = GameAfterInformation(INT16_MAX);
    CarryOutPlan(state, before);
    Measured measured{DaysOf(activity.kind) / kUnitDays};
    for (int &gain : measured.gains) {
        const int total = state.TotalConverted;
        CarryOutPlan(state, {activity});
        gain = state.TotalConverted - total;
    }
    return measured;
}

// The gains of every activity, each with and without what helps it.
struct Rules {
    Measured newspaper, radio;
    std::array<Measured, 2> training, film;            // [advertising used]
    std::array<Measured, kFarms + 1> talk;             // [farm]
    Measured leader8WithBonus;
    std::array<std::array<int, 2>, kFarms + 1> demo{}; // [farm][advanced]
    int demoUnits = 0;
};

const Rules &rules()
{
    static const Rules measured = [] {
        Rules r;
        r.newspaper = measure({}, kNewspaper);
        r.radio = measure({}, kRadio);
        for (int advertising : {0, 1}) {
            const auto before = advertising ? std::vector{kNewspaper} : std::vector<PlannedActivity>{};
            r.training[advertising] = measure(before, kTraining);
            r.film[advertising] = measure(before, kFilm);
        }
        for (int farm = 1; farm <= kFarms; ++farm) {
            r.talk[farm] = measure({}, talk(farm));
            const Measured basic = measure({talk(farm)}, demonstration(farm));
            r.demo[farm] = {basic.gains[0], measure({kNewspaper, kTraining, talk(farm)}, demonstration(farm)).gains[0]};
            r.demoUnits = basic.units;
        }
        r.leader8WithBonus = measure({talk(9), talk(10), demonstration(9), demonstration(10)}, talk(8));
        return r;
    }();
    return measured;
}

// How many of each activity a plan holds: newspapers, radio, trainings, films,
// then talks and demonstration for leader 1, leader 2 ... leader 10.
constexpr int kNewspapersAt = 0, kRadioAt = 1, kTrainingsAt = 2, kFilmsAt = 3;
constexpr int talksAt(int farm) { return 2 + 2 * farm; }
constexpr int demoAt(int farm) { return 3 + 2 * farm; }
using Counts = std::array<int, demoAt(kFarms) + 1>;

// The three facts that change gains; a plan's set makes each hold or not.
struct Facts {
    bool advertising, groupWork, bonus;
};

struct Option {
    int units = 0;
    int gain = 0;
    Counts counts{};
};
using Group = std::vector<Option>;  // most preferred first

Group leaderOptions(const Rules &r, const Facts &facts, int farm)
{
    const Measured &talks = farm == 8 && facts.bonus ? r.leader8WithBonus : r.talk[farm];
    Group group;
    for (int count = kCountedUses; count >= 0; --count)
        for (int demo = count > 0 ? 1 : 0; demo >= 0; --demo) {
            Option option{count * talks.units + demo * r.demoUnits,
                          sumOfFirst(talks.gains, count) + demo * r.demo[farm][facts.advertising && facts.groupWork]};
            option.counts[talksAt(farm)] = count;
            option.counts[demoAt(farm)] = demo;
            group.push_back(option);
        }
    return group;
}

// One group per independent choice; each option is consistent with the facts.
std::vector<Group> groupsFor(const Rules &r, const Facts &facts)
{
    std::vector<Group> groups;
    const Measured &training = r.training[facts.advertising], &film = r.film[facts.advertising];
    Group work;
    for (int trainings = kCountedUses; trainings >= 0; --trainings)
        for (int films = kCountedUses; films >= 0; --films)
            if ((trainings + films > 0) == facts.groupWork) {
                Option option{trainings * training.units + films * film.units,
                              sumOfFirst(training.gains, trainings) + sumOfFirst(film.gains, films)};
                option.counts[kTrainingsAt] = trainings;
                option.counts[kFilmsAt] = films;
                work.push_back(option);
            }
    groups.push_back(work);
    for (int farm = 1; farm <= 8; ++farm)
        groups.push_back(leaderOptions(r, facts, farm));
    Group farms9And10;
    for (const Option &nine : leaderOptions(r, facts, 9))
        for (const Option &ten : leaderOptions(r, facts, 10))
            if ((nine.counts[demoAt(9)] == 1 && ten.counts[demoAt(10)] == 1) == facts.bonus) {
                Option both{nine.units + ten.units, nine.gain + ten.gain, nine.counts};
                both.counts[talksAt(10)] = ten.counts[talksAt(10)];
                both.counts[demoAt(10)] = ten.counts[demoAt(10)];
                farms9And10.push_back(both);
            }
    groups.push_back(farms9And10);
    return groups;
}

// The knapsack over the groups: best[g][u] is the most the groups g.. convert in exactly u units.
struct Knapsack {
    std::vector<Group> groups;
    std::vector<std::vector<int>> best;

    Knapsack(std::vector<Group> g, int units) : groups(std::move(g)), best(groups.size() + 1)
    {
        int widest = 0;
        for (const Group &group : groups)
            widest += std::max_element(group.begin(), group.end(), [](const Option &a, const Option &b) {
                          return a.units < b.units;
                      })->units;
        const int width = std::min(units, widest) + 1;
        best.back().assign(width, kNone);
        best.back()[0] = 0;
        for (std::size_t g = groups.size(); g-- > 0;) {
            best[g].assign(width, kNone);
            for (int u = 0; u < width; ++u)
                for (const Option &option : groups[g])
                    if (option.units <= u && best[g + 1][u - option.units] != kNone)
                        best[g][u] = std::max(best[g][u], option.gain + best[g + 1][u - option.units]);
        }
    }
    int width() const { return static_cast<int>(best[0].size()); }

    // The most preferred choice that converts best[0][units] in exactly units.
    Counts choose(int units) const
    {
        Counts counts{};
        int wanted = best[0][units];
        for (std::size_t g = 0; g < groups.size(); ++g)
            for (const Option &option : groups[g])
                if (option.units <= units && best[g + 1][units - option.units] != kNone
                    && option.gain + best[g + 1][units - option.units] == wanted) {
                    for (std::size_t i = 0; i < counts.size(); ++i)
                        counts[i] += option.counts[i];
                    units -= option.units;
                    wanted -= option.gain;
                    break;
                }
        return counts;
    }
};

std::vector<PlannedActivity> inOrder(const Counts &counts)
{
    std::vector<PlannedActivity> plan;
    auto add = [&plan](int times, PlannedActivity activity) { plan.insert(plan.end(), times, activity); };
    add(counts[kNewspapersAt], kNewspaper);
    add(counts[kRadioAt], kRadio);
    add(counts[kTrainingsAt], kTraining);
    add(counts[kFilmsAt], kFilm);
    constexpr std::array farmsButEight{1, 2, 3, 4, 5, 6, 7, 9, 10};
    for (int farm : farmsButEight)
        add(counts[talksAt(farm)], talk(farm));
    for (int farm : farmsButEight)
        add(counts[demoAt(farm)], demonstration(farm));
    add(counts[talksAt(8)], talk(8));
    add(counts[demoAt(8)], demonstration(8));
    return plan;
}

BestPlan searchBestPlan(int daysLeft)
{
    if (daysLeft < kUnitDays)
        return {};
    const Rules &r = rules();
    const int units = daysLeft / kUnitDays;

    // A candidate: the facts, the radio advertisements and the units the knapsack
    // takes; newspapers fill the rest.
    struct Candidate {
        int total;
        const Knapsack *knapsack;
        int radio, knapsackUnits, newspapers;
    };
    std::vector<Knapsack> knapsacks;
    knapsacks.reserve(8);
    std::vector<Candidate> candidates;
    int bestTotal = 0;
    for (int facts = 0; facts < 8; ++facts) {
        const Facts f{(facts & 1) != 0, (facts & 2) != 0, (facts & 4) != 0};
        const Knapsack &knapsack = knapsacks.emplace_back(groupsFor(r, f), units);
        for (int radio = 0; radio <= kCountedUses && radio <= units; ++radio)
            for (int u = 0; u < knapsack.width() && u + radio <= units; ++u) {
                const int newspapers = units - radio - u;
                if (knapsack.best[0][u] == kNone || (newspapers + radio > 0) != f.advertising)
                    continue;
                const int total = sumOfFirst(r.newspaper.gains, newspapers) + sumOfFirst(r.radio.gains, radio)
                                  + knapsack.best[0][u];
                if (total >= bestTotal) {
                    bestTotal = total;
                    candidates.push_back({total, &knapsack, radio, u, newspapers});
                }
            }
    }

    Counts chosen{};
    for (const Candidate &c : candidates)
        if (c.total == bestTotal) {
            Counts counts = c.knapsack->choose(c.knapsackUnits);
            counts[kNewspapersAt] = c.newspapers;
            counts[kRadioAt] = c.radio;
            chosen = std::max(chosen, counts);
        }
    return {bestTotal, units * kUnitDays, inOrder(chosen)};
}

} // namespace

// The last plan found is kept: a game asks again for the same days, and a front
// end may ask ahead of the debrief.
BestPlan FindBestPlan(int daysLeft)
{
    static int lastDays = INT_MIN;
    static BestPlan last;
    if (daysLeft != lastDays) {
        last = searchBestPlan(daysLeft);
        lastDays = daysLeft;
    }
    return last;
}

GameState GameAfterInformation(int daysLeft)
{
    GameState state;
    BuildActionTable(state);
    state.DaysLeft = static_cast<std::int16_t>(std::clamp(daysLeft, INT16_MIN, INT16_MAX));
    LogInformationViewed(state);
    return state;
}

Verdict CarryOutPlan(GameState &state, const std::vector<PlannedActivity> &plan)
{
    for (const auto &[kind, farm] : plan) {
        const Verdict verdict = kind == Activity::Talk            ? TalkToLeader(state, farm)
                                : kind == Activity::Demonstration ? GiveDemonstration(state, farm)
                                                                  : CarryOutMediaActivity(state, kind);
        if (verdict != Verdict::Accepted)
            return verdict;
    }
    return Verdict::Accepted;
}

} // namespace Startup
