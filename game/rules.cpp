// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules.h"

#include "language.h"

#include <cassert>

namespace Startup {

std::string_view RefusalMessage(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Accepted: return {};
    case Verdict::NotEnoughTime: return Tr("message", "You don't have enough time for that");
    // TRANSLATORS: "a opinion leader" is as the game has always said it; translate it as "an opinion leader".
    case Verdict::TalkFirst: return Tr("message", "You must talk to a opinion leader before giving a demonstration");
    case Verdict::OneDemoPerFarm: return Tr("message", "You may only have one demonstration at each farm");
    }
    return {};
}

void LogInformationViewed(GameState &state) { AppendLogLine(state, Activity::Information, 0, kInformationDays, 0); }

namespace {

bool canPay(const GameState &state, int days) { return state.DaysLeft - days >= 0; }

void charge(GameState &state, int days) { state.DaysLeft = static_cast<std::int16_t>(state.DaysLeft - days); }

void convert(GameState &state, int gain) { state.TotalConverted = static_cast<std::int16_t>(state.TotalConverted + gain); }

std::int16_t gainAt(const GameState &state, int row, int code) { return state.ActionTable[row][code]; }

bool advertisingUsed(const GameState &state)
{
    return state.ActionUseCount[Newspaper] != 0 || state.ActionUseCount[Radio] != 0;
}

struct MediaCodes {
    int counted;
    int gain;                  // before any advertising
    int gainAfterAdvertising;
};

MediaCodes codesFor(Activity activity)
{
    switch (activity) {
    case Activity::Newspaper: return {Newspaper, Newspaper, Newspaper};
    case Activity::Radio: return {Radio, Radio, Radio};
    case Activity::RandomVillager: return {RandomVillager, RandomVillager, RandomVillager};
    case Activity::Training: return {Training, Training, TrainingAfterAdvertising};
    case Activity::Film: return {Film, Film, FilmAfterAdvertising};
    default: break;
    }
    assert(false);
    return {};
}

struct FarmCodes {
    int talk;
    int demo;
    int advancedDemo;
};

FarmCodes codesFor(int farm)
{
    assert(farm >= 1 && farm <= kFarms);
    if (farm <= 5)
        return {TalkLeaders1To5, DemoFarms1To5, AdvancedDemoFarms1To5};
    if (farm <= 7)
        return {TalkLeaders6And7, DemoFarms6And7, AdvancedDemoFarms6And7};
    if (farm == 8)
        return {TalkLeader8, DemoFarm8, AdvancedDemoFarm8};
    return {TalkLeaders9And10, DemoFarms9And10, AdvancedDemoFarms9And10};
}

// A demonstration converts more once advertising and training or a film have both been used.
bool demonstrationIsAdvanced(const GameState &state)
{
    const auto &used = state.ActionUseCount;
    const bool groupWorkUsed = used[Training] >= 1 || used[TrainingAfterAdvertising] >= 1 || used[Film] >= 1
                               || used[FilmAfterAdvertising] >= 1;
    return groupWorkUsed && (used[Newspaper] >= 1 || used[Radio] >= 1);
}

} // namespace

Verdict CarryOutMediaActivity(GameState &state, Activity activity)
{
    const MediaCodes codes = codesFor(activity);
    const std::int16_t days = DaysOf(activity);
    if (!canPay(state, days))
        return Verdict::NotEnoughTime;
    CountActionUse(state, codes.counted);
    const int gainCode = advertisingUsed(state) ? codes.gainAfterAdvertising : codes.gain;
    const std::int16_t gain = gainAt(state, state.ActionUseCount[gainCode], gainCode);
    convert(state, gain);
    charge(state, days);
    AppendLogLine(state, activity, 0, days, gain);
    return Verdict::Accepted;
}

Verdict TalkToLeader(GameState &state, int farm)
{
    constexpr std::int16_t kDays = DaysOf(Activity::Talk);
    if (!canPay(state, kDays))
        return Verdict::NotEnoughTime;
    charge(state, kDays);
    auto &talks = state.LeaderTalkCount[farm];
    if (++talks == 7)
        talks = 6;
    const std::int16_t gain = gainAt(state, talks, codesFor(farm).talk);
    convert(state, gain);
    // Once farms 9 and 10 have both had their demonstration, leader 8 converts more.
    if (farm == 8 && state.FarmDemoCount[9] == 1 && state.FarmDemoCount[10] == 1)
        convert(state, gainAt(state, talks, TalkLeaders6And7));
    AppendLogLine(state, Activity::Talk, farm, kDays, gain);
    return Verdict::Accepted;
}

Verdict GiveDemonstration(GameState &state, int farm)
{
    constexpr std::int16_t kDays = DaysOf(Activity::Demonstration);
    const FarmCodes codes = codesFor(farm);
    const int code = demonstrationIsAdvanced(state) ? codes.advancedDemo : codes.demo;
    if (!canPay(state, kDays))
        return Verdict::NotEnoughTime;
    if (state.LeaderTalkCount[farm] == 0)
        return Verdict::TalkFirst;
    if (state.FarmDemoCount[farm] != 0)
        return Verdict::OneDemoPerFarm;
    charge(state, kDays);
    ++state.FarmDemoCount[farm];
    const std::int16_t gain = gainAt(state, state.FarmDemoCount[farm], code);
    convert(state, gain);
    AppendLogLine(state, Activity::Demonstration, farm, kDays, gain);
    return Verdict::Accepted;
}

Verdict ClickFarm(GameState &state, int farm)
{
    if (state.MapMode == kTalkMode)
        return TalkToLeader(state, farm);
    if (state.MapMode == kDemoMode)
        return GiveDemonstration(state, farm);
    return Verdict::Accepted;
}

} // namespace Startup
