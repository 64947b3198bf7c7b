// SPDX-License-Identifier: GPL-3.0-or-later
// The best plan against a search over every state a new game can reach, each
// plan carried out through the game's rules.

#include "bestplan.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <functional>

using namespace Startup;

namespace {

constexpr int kSearchDays = 150;

PlannedActivity talk(int farm) { return {Activity::Talk, farm}; }
PlannedActivity demonstration(int farm) { return {Activity::Demonstration, farm}; }
constexpr PlannedActivity kNewspaper{Activity::Newspaper}, kRadio{Activity::Radio},
    kVillager{Activity::RandomVillager}, kTraining{Activity::Training}, kFilm{Activity::Film};

std::vector<PlannedActivity> everyActivity()
{
    std::vector<PlannedActivity> all{kNewspaper, kRadio, kVillager, kTraining, kFilm};
    for (int farm = 1; farm <= kFarms; ++farm) {
        all.push_back(talk(farm));
        all.push_back(demonstration(farm));
    }
    return all;
}

// Everything the rules read of a game besides its days, packed into a number.
class Counters
{
public:
    explicit Counters(GameState &state)
    {
        for (int code = Newspaper; code <= FilmAfterAdvertising; ++code)
            fields.push_back({&state.ActionUseCount[code], 3});
        for (int farm = 1; farm <= kFarms; ++farm) {
            fields.push_back({&state.LeaderTalkCount[farm], 3});
            fields.push_back({&state.FarmDemoCount[farm], 1});
        }
    }
    std::uint64_t pack() const
    {
        std::uint64_t key = 0;
        for (const Field &field : fields) {
            if (*field.counter < 0 || *field.counter >= (1 << field.bits))
                FAIL("a counter out of its range: " << *field.counter);
            key = key << field.bits | static_cast<std::uint64_t>(*field.counter);
        }
        return key;
    }
    void unpack(std::uint64_t key) const
    {
        for (auto field = fields.rbegin(); field != fields.rend(); ++field) {
            *field->counter = static_cast<std::int16_t>(key & ((1u << field->bits) - 1));
            key >>= field->bits;
        }
    }

private:
    struct Field {
        std::int16_t *counter;
        int bits;
    };
    std::vector<Field> fields;
};

// The most households a new game converts with 0..kSearchDays days left after
// the information: every activity tried from every state reached, states taken
// in order of the days used. A gain never depends on the days left, and an
// activity is refused for days only when it costs more than are left, so the
// best with fewer days left is the best among the states reached within them.
std::vector<int> searchedBest()
{
    GameState state = GameAfterInformation(kSearchDays);
    const Counters counters(state);
    // The states reached, by days used: their counters and a total, the best kept once sorted.
    std::vector<std::vector<std::pair<std::uint64_t, int>>> byDaysUsed(kSearchDays + 1);
    byDaysUsed[0].push_back({counters.pack(), 0});
    std::vector<int> best(kSearchDays + 1, 0);
    std::vector<std::vector<PlannedActivity>> activities;
    for (const PlannedActivity &activity : everyActivity())
        activities.push_back({activity});
    for (int used = 0; used <= kSearchDays; ++used) {
        auto &reached = byDaysUsed[used];
        std::sort(reached.begin(), reached.end(), std::greater<>());
        for (std::size_t i = 0; i < reached.size(); ++i) {
            const auto [key, total] = reached[i];
            if (i > 0 && reached[i - 1].first == key)
                continue;  // the same state with a total no larger
            best[used] = std::max(best[used], total);
            counters.unpack(key);
            const auto uses = state.ActionUseCount;
            const auto talks = state.LeaderTalkCount, demonstrations = state.FarmDemoCount;
            for (const std::vector<PlannedActivity> &activity : activities) {
                state.ActionUseCount = uses;
                state.LeaderTalkCount = talks;
                state.FarmDemoCount = demonstrations;
                state.DaysLeft = static_cast<std::int16_t>(kSearchDays - used);
                state.TotalConverted = static_cast<std::int16_t>(total);
                state.ActivityLog.clear();
                if (CarryOutPlan(state, activity) != Verdict::Accepted)
                    continue;
                const int usedAfter = kSearchDays - state.DaysLeft;
                if (usedAfter <= used)
                    FAIL("an activity took no days");
                byDaysUsed[usedAfter].push_back({counters.pack(), state.TotalConverted});
            }
        }
        reached = {};
        if (used > 0)
            best[used] = std::max(best[used], best[used - 1]);
    }
    return best;
}

// The plan carried out on a new game: every step accepted, the total and the days as promised.
void checkCarriedOut(int daysLeft, const BestPlan &plan)
{
    CAPTURE(daysLeft);
    GameState state = GameAfterInformation(daysLeft);
    CHECK(CarryOutPlan(state, plan.activities) == Verdict::Accepted);
    CHECK(state.TotalConverted == plan.total);
    CHECK(daysLeft - state.DaysLeft == plan.daysUsed);
    CHECK(state.ActivityLog.size() == plan.activities.size() + 1);
}

} // namespace

TEST_CASE("the best plan converts as many households as the best game with the same days")
{
    const std::vector<int> best = searchedBest();
    CHECK(best[kSearchDays] == 41);
    for (int daysLeft = -5; daysLeft <= kSearchDays; ++daysLeft) {
        CAPTURE(daysLeft);
        const BestPlan plan = FindBestPlan(daysLeft);
        CHECK(plan.total == (daysLeft < 0 ? 0 : best[daysLeft]));
        CHECK(plan.activities.empty() == (daysLeft < 10));
        checkCarriedOut(daysLeft, plan);
    }
    for (int daysLeft : {365 - 45, 1000, INT16_MAX - 45, INT16_MAX, INT16_MIN})
        checkCarriedOut(daysLeft, FindBestPlan(daysLeft));
}

TEST_CASE("the best plan for 365 days typed: advertising, film, talks, demonstrations, leader 8 last")
{
    const std::vector<PlannedActivity> expected{
        kNewspaper, kNewspaper, kRadio,   kRadio,           kRadio,           kFilm,   talk(9),          talk(9),
        talk(10),   talk(10),   demonstration(9), demonstration(10), talk(8), talk(8), demonstration(8)};
    const BestPlan plan = FindBestPlan(365 - 45);
    CHECK(plan.total == 90);
    CHECK(plan.activities == expected);
}
