// SPDX-License-Identifier: GPL-3.0-or-later
// A monkey plays many games on the core alone, each from a fresh start-up, with
// seeded random events among those possible at each moment, and checks the
// game's invariants after every event. Now and then it sends an event that is not
// possible, which must change nothing. BRIMWOLD_MONKEY_SEED and
// BRIMWOLD_MONKEY_EVENTS choose the first game's seed (game n plays seed + n) and
// how many events are played; a failure prints the seed and the game's events.
#include <doctest/doctest.h>

#include "bestplan.h"
#include "monkey.h"

#include <chrono>
#include <ctime>
#include <cstdlib>
#include <map>

using namespace Monkey;

namespace {

long environmentNumber(const char *name, long fallback)
{
    const char *text = std::getenv(name);
    char *end = nullptr;
    const long value = text ? std::strtol(text, &end, 10) : 0;
    return text && *text && !*end ? value : fallback;
}

constexpr int kLongestGame = 600;
constexpr int kImpossibleOutOf = 40;  // one event in 40 is drawn among all, possible or not

struct Game {
    Program program;
    Invariants invariants;
    long events = 0;
    bool graded = false;
    std::map<std::string, int> said;
};

// Plays one game of at most `events` events; with `record`, lists them.
Game playGame(std::uint64_t seed, long events, std::vector<std::string> *record = nullptr)
{
    Game game;
    Player player(seed);
    Program &program = game.program;
    Program before;
    game.invariants.check(before, program, program.Main());
    while (!program.ended() && game.invariants.violations.empty() && game.events < events
           && game.events < kLongestGame) {
        const bool any = player.uniform(1, kImpossibleOutOf) == 1;
        const Event event = any ? player.drawAny(program) : player.draw(program);
        const bool possible = Player::Possible(program, event);
        if (record)
            record->push_back(EventText(event) + (possible ? "" : " (not possible now)"));
        before = program;
        const Steps steps = Play(program, event);
        ++game.events;
        game.invariants.check(before, program, steps);
        if (program.ended() != (before.ended() || (possible && event.ends)))
            game.invariants.violations.push_back(event.ends ? "an ending did not end the program"
                                                            : "an event the monkey does not count as an ending ended it");
        if (event.kind == Event::Kind::MessageOK ? program.messageOpen() : possible == steps.empty())
            game.invariants.violations.push_back(event.kind == Event::Kind::MessageOK ? "the message stays open after its OK"
                                                 : possible ? "a possible event had no step"
                                                            : "an event that is not possible had steps");
        for (const Step &step : steps) {
            game.graded = game.graded || (step.kind == StepKind::SetText && step.control == "lblScoreText");
            if (step.kind == StepKind::Message)
                ++game.said[step.text];
        }
    }
    // No game converts more than the best plan for the same days.
    if (program.state().LogCount() > 0
        && Startup::FindBestPlan(program.daysTyped() - Startup::kInformationDays).total < program.state().TotalConverted)
        game.invariants.violations.push_back("the game converted more than the best plan");
    return game;
}

} // namespace

TEST_CASE("the monkey's tunings name events of the program's table or windows' close boxes")
{
    for (const Tuning &tuning : kTunings) {
        CAPTURE(tuning.control);
        CHECK(std::any_of(std::begin(Startup::kEvents), std::end(Startup::kEvents),
                          [&](const Startup::EventRow &row) {
                              return row.window == tuning.window && row.control == tuning.control;
                          })
              != tuning.control.empty());
    }
}

TEST_CASE("many games of random events keep the game's invariants")
{
    const auto seed = std::uint64_t(environmentNumber("BRIMWOLD_MONKEY_SEED", 1));
    const long events = environmentNumber("BRIMWOLD_MONKEY_EVENTS", 1000000);
    long played = 0, games = 0, checks = 0, failed = 0;
    long reached[3] = {}, lines = 0;  // games set up, with the information viewed, graded; log lines
    std::map<std::string, int> said;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t processorStart = std::clock();
    while (played < events) {
        const std::uint64_t gameSeed = seed + std::uint64_t(games++);
        const Game game = playGame(gameSeed, events - played);
        played += game.events;
        checks += game.invariants.checks;
        const Startup::GameState &state = game.program.state();
        reached[0] += !state.PlayerName.empty();
        reached[1] += state.LogCount() > 0;
        reached[2] += game.graded;
        lines += state.LogCount();
        for (const auto &[text, count] : game.said)
            said[text] += count;
        if (!game.invariants.violations.empty()) {
            ++failed;
            std::vector<std::string> replay;
            playGame(gameSeed, game.events, &replay);
            std::printf("core monkey: violated:");
            for (const std::string &violation : game.invariants.violations)
                std::printf(" %s;", violation.c_str());
            std::printf("\nreplay with BRIMWOLD_MONKEY_SEED=%llu BRIMWOLD_MONKEY_EVENTS=%ld\nevents:\n",
                        static_cast<unsigned long long>(gameSeed), game.events);
            for (const std::string &event : replay)
                std::printf("  %s\n", event.c_str());
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double processor = double(std::clock() - processorStart) / CLOCKS_PER_SEC;
    std::printf("core monkey: seed %llu: %ld games, %ld events, %ld checks, %ld violations\n",
                static_cast<unsigned long long>(seed), games, played, checks, failed);
    std::printf("core monkey: %.2f s, %.0f events/s; processor time %.2f s, %.0f events/s\n", seconds, played / seconds,
                processor, played / processor);
    std::printf("core monkey: %ld games set up, %ld with the information viewed, %ld graded; %ld log lines\n",
                reached[0], reached[1], reached[2], lines);
    for (const auto &[text, count] : said)
        std::printf("core monkey: said %d times: %s\n", count, text.c_str());
    CHECK(failed == 0);
}
