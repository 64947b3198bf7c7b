// SPDX-License-Identifier: GPL-3.0-or-later
// The game's rules, played on a fresh state of their own.
#include <doctest/doctest.h>

#include "numbers.h"
#include "rules.h"
#include "startup.h"

#include <climits>
#include <sstream>

using namespace Startup;

namespace {

GameState freshGame(int days)
{
    GameState state;
    BuildActionTable(state);
    state.DaysLeft = static_cast<std::int16_t>(days);
    return state;
}

// Plays one step of a script: N newspaper, R radio, V villager, T training,
// F film, tK talk with leader K, dK demonstration on farm K.
Verdict playStep(GameState &state, const std::string &step)
{
    switch (step[0]) {
    case 'N': return CarryOutMediaActivity(state, Activity::Newspaper);
    case 'R': return CarryOutMediaActivity(state, Activity::Radio);
    case 'V': return CarryOutMediaActivity(state, Activity::RandomVillager);
    case 'T': return CarryOutMediaActivity(state, Activity::Training);
    case 'F': return CarryOutMediaActivity(state, Activity::Film);
    case 't': return TalkToLeader(state, std::stoi(step.substr(1)));
    case 'd': return GiveDemonstration(state, std::stoi(step.substr(1)));
    }
    FAIL("bad step " << step);
    return Verdict::Accepted;
}

// Plays a whole script and gives the logged gain of every step, "-" for a refusal.
std::string play(GameState &state, const std::string &script)
{
    std::istringstream steps(script);
    std::string gains;
    for (std::string step; steps >> step;) {
        const bool accepted = playStep(state, step) == Verdict::Accepted;
        gains += (gains.empty() ? "" : " ") + (accepted ? std::to_string(state.ActivityLog.back().gain) : "-");
    }
    return gains;
}

} // namespace

TEST_CASE("the action table holds the nineteen activities' costs and gains")
{
    // Row 0 the day cost, rows 1..6 the gains of the 1st..6th use, row 7 and column 0 unused.
    constexpr std::int16_t expected[8][kActionCodes + 1] = {
        // code 1   2   3   4   5   6   7   8   9  10  11  12  13  14  15  16  17  18  19
        {0, 20, 20, 20, 10, 10, 10, 30, 30, 30, 30, 40, 40, 40, 40, 40, 40, 40, 40, 20},
        {0, 2, 3, 5, 2, 4, 1, 2, 2, 3, 6, 2, 3, 4, 6, 4, 6, 10, 12, 4},
        {0, 2, 3, 6, 2, 3, 1, 1, 2, 3, 4, 2, 3, 4, 6, 4, 6, 10, 12, 5},
        {0, 2, 2, 2, 1, 2, 1, 1, 1, 3, 2, 2, 3, 4, 6, 4, 6, 10, 12, 2},
        {0, 1, 1, 2, 1, 1, 1, 0, 0, 1, 2, 2, 3, 4, 6, 4, 6, 10, 12, 1},
        {0, 1, 0, 1, 1, 0, 1, 0, 0, 0, 1, 2, 3, 4, 6, 4, 6, 10, 12, 0},
        {0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 2, 3, 4, 6, 4, 6, 10, 12, 0},
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    };
    const GameState state = freshGame(0);
    for (int row = 0; row < 8; ++row)
        for (int code = 0; code <= kActionCodes; ++code) {
            CAPTURE(row);
            CAPTURE(code);
            CHECK(state.ActionTable[row][code] == expected[row][code]);
        }
    for (int code = 1; code <= kActionCodes; ++code)
        CHECK(state.ActionSpec[code] == kActionSpecTexts[code]);
}

TEST_CASE("the action table's cost row says what the rules charge")
{
    // The rules charge their named costs and never read row 0; the two must agree.
    const std::pair<Activity, std::vector<int>> kCodes[] = {
        {Activity::Talk, {1, 2, 3, 19}}, {Activity::Newspaper, {4}}, {Activity::Radio, {5}},
        {Activity::RandomVillager, {6}}, {Activity::Training, {7, 8}}, {Activity::Film, {9, 10}},
        {Activity::Demonstration, {11, 12, 13, 14, 15, 16, 17, 18}},
    };
    const GameState state = freshGame(0);
    int codes = 0;
    for (const auto &[activity, columns] : kCodes)
        for (int code : columns) {
            CAPTURE(code);
            CHECK(state.ActionTable[0][code] == DaysOf(activity));
            ++codes;
        }
    CHECK(codes == kActionCodes);
    CHECK(DaysOf(Activity::Information) == 45);
}

TEST_CASE("gains fall off with use, and advertising and group work raise them")
{
    const struct {
        const char *script, *gains;
        int total;
    } cases[] = {
        {"N N N N N N N N", "2 2 1 1 1 1 1 1", 10},  // held at row 6
        {"R R R R R R", "4 3 2 1 0 0", 10},
        {"V V V V V V V", "1 1 1 1 1 1 1", 7},
        {"T T T T T", "2 1 1 0 0", 4},
        {"N T T T T", "2 2 2 1 0", 7},
        {"T R T T", "2 4 2 1", 9},  // advertising between trainings switches the column
        {"F F F F F", "3 3 3 1 0", 10},
        {"R F F F F F F F", "4 6 4 2 2 1 1 1", 21},
        {"N V V V F", "2 1 1 1 6", 11},  // a film after a long-ago newspaper
        {"t1 t1 t1 t1 t1 t1 t1 t2 t5", "2 2 2 1 1 0 0 2 2", 12},  // each leader counted alone
        {"t6 t6 t6 t6 t6 t7", "3 3 2 1 0 3", 12},
        {"t7 t7 t7 t7 t7 t7", "3 3 2 1 0 0", 9},
        {"t8 t8 t8 t8 t8", "4 5 2 1 0", 12},
        {"t9 t9 t9 t9 t9 t9 t10", "5 6 2 2 1 0 5", 21},
        {"t1 d1 t6 d6 t8 d8 t9 d9", "2 2 3 3 4 4 5 6", 29},  // basic demonstrations
        {"t2 d2 t3 d3 t4 d4 t5 d5 t7 d7 t10 d10", "2 2 2 2 2 2 2 2 3 3 5 6", 33},
        {"F t5 d5", "3 2 2", 7},   // a film alone keeps it basic
        {"T t5 d5", "2 2 2", 6},   // training alone too
        {"N t7 d7", "2 3 3", 8},   // advertising alone too
        {"N F t1 d1", "2 6 2 4", 14},  // advanced
        {"T R t7 d7 t8 d8 t10 d10", "2 4 3 6 4 10 5 12", 46},
        {"R T t2 d2 t6 d6", "4 2 2 4 3 6", 21},
        {"N T t3 d3", "2 2 2 4", 10},
        // the leader-8 bonus shows only in the total, and only after both demonstrations
        {"t9 d9 t10 d10 t8 t8 t8 t8 t8", "5 6 5 6 4 5 2 1 0", 22 + 7 + 8 + 4 + 2 + 0},
        {"t9 d9 t8", "5 6 4", 15},
        {"t10 d10 t8", "5 6 4", 15},
        {"t9 t10 t8", "5 5 4", 14},
        {"t9 d9 t10 d10 t7", "5 6 5 6 3", 25},
    };
    for (const auto &row : cases) {
        INFO("script: " << std::string(row.script));
        GameState state = freshGame(20000);
        CHECK(play(state, row.script) == row.gains);
        CHECK(state.TotalConverted == row.total);
        CHECK(state.ActionUseCount[Training] == state.ActionUseCount[TrainingAfterAdvertising]);
        CHECK(state.ActionUseCount[Film] == state.ActionUseCount[FilmAfterAdvertising]);
        for (int code = 0; code < kActionCodes; ++code) {
            CAPTURE(code);
            CHECK((state.ActionUseCount[code] >= 0 && state.ActionUseCount[code] <= 6));
            if (code < Newspaper || code > FilmAfterAdvertising)
                CHECK(state.ActionUseCount[code] == 0);
        }
    }
}

TEST_CASE("an activity the days cannot pay for, or a demonstration out of turn, is refused and changes nothing")
{
    const struct {
        int days;
        const char *before, *step;
        Verdict verdict;
        int daysAfter;
    } cases[] = {
        {10, "", "N", Verdict::Accepted, 0},
        {9, "", "N", Verdict::NotEnoughTime, 9},
        {9, "", "R", Verdict::NotEnoughTime, 9},
        {10, "", "V", Verdict::Accepted, 0},
        {30, "", "F", Verdict::Accepted, 0},
        {29, "", "F", Verdict::NotEnoughTime, 29},
        {30, "", "T", Verdict::Accepted, 0},
        {29, "", "T", Verdict::NotEnoughTime, 29},
        {20, "", "t3", Verdict::Accepted, 0},
        {19, "", "t3", Verdict::NotEnoughTime, 19},
        {-45, "", "N", Verdict::NotEnoughTime, -45},
        {-45, "", "R", Verdict::NotEnoughTime, -45},
        {-45, "", "V", Verdict::NotEnoughTime, -45},
        {-45, "", "T", Verdict::NotEnoughTime, -45},
        {-45, "", "F", Verdict::NotEnoughTime, -45},
        {-45, "", "t8", Verdict::NotEnoughTime, -45},
        {-1, "", "d1", Verdict::NotEnoughTime, -1},
        {-32768, "", "V", Verdict::NotEnoughTime, -32768},
        {39, "", "d2", Verdict::NotEnoughTime, 39},  // the days are tested first
        {500, "", "d2", Verdict::TalkFirst, 500},
        {500, "t1", "d2", Verdict::TalkFirst, 480},  // a talk with another leader
        {60, "t4", "d4", Verdict::Accepted, 0},
        {500, "t4 d4", "d4", Verdict::OneDemoPerFarm, 440},
        {99, "t4 d4", "d4", Verdict::NotEnoughTime, 39},
        // the seventh talk with one leader still costs its 20 days, gains nothing, holds the count
        {500, "t6 t6 t6 t6 t6 t6", "t6", Verdict::Accepted, 360},
    };
    for (const auto &row : cases) {
        INFO(row.days << " days, " << std::string(row.before) << ", then " << std::string(row.step));
        GameState state = freshGame(row.days);
        play(state, row.before);
        const GameState unchanged = state;
        CHECK(playStep(state, row.step) == row.verdict);
        CHECK(state.DaysLeft == row.daysAfter);
        if (row.verdict != Verdict::Accepted)
            CHECK(state == unchanged);
        else
            CHECK(state.LogCount() == unchanged.LogCount() + 1);
    }
}

TEST_CASE("use and talk counters are held at 6")
{
    GameState state = freshGame(2000);
    play(state, "N N N N N N N N T T T T T T T F F F F F F F t6 t6 t6 t6 t6 t6 t6 t6");
    for (int code : {Newspaper, Training, TrainingAfterAdvertising, Film, FilmAfterAdvertising})
        CHECK(state.ActionUseCount[code] == 6);
    CHECK(state.LeaderTalkCount[6] == 6);
    CHECK(state.DaysLeft == 2000 - 8 * 10 - 7 * 30 - 7 * 30 - 8 * 20);
    CHECK(state.LogCount() == 30);
}

TEST_CASE("refusal messages")
{
    CHECK(RefusalMessage(Verdict::NotEnoughTime) == "You don't have enough time for that");
    CHECK(RefusalMessage(Verdict::TalkFirst) == "You must talk to a opinion leader before giving a demonstration");
    CHECK(RefusalMessage(Verdict::OneDemoPerFarm) == "You may only have one demonstration at each farm");
    CHECK(RefusalMessage(Verdict::Accepted).empty());
}

TEST_CASE("a farm click follows the map mode")
{
    GameState state = freshGame(500);
    const GameState unchanged = state;
    CHECK(ClickFarm(state, 8) == Verdict::Accepted);
    CHECK(state == unchanged);
    state.MapMode = kTalkMode;
    CHECK(ClickFarm(state, 8) == Verdict::Accepted);
    CHECK(state.LeaderTalkCount[8] == 1);
    state.MapMode = kDemoMode;
    CHECK(ClickFarm(state, 8) == Verdict::Accepted);
    CHECK(state.FarmDemoCount[8] == 1);
    CHECK(state.DaysLeft == 440);
}

TEST_CASE("log lines")
{
    const struct {
        const char *script;
        int days;
        const char *line;
    } cases[] = {
        {"", 455, "Information                 045     455         000      000"},
        {"N", 455, "Newspaper                   010     445         002      002"},
        {"R", 455, "Radio                       010     445         004      004"},
        {"T", 455, "Train Villagers             030     425         002      002"},
        {"F", 455, "Film                        030     425         003      003"},
        {"t10", 455, "Talk to opinion leader (10) 020     435         005      005"},
        {"t1", 455, "Talk to opinion leader (1)  020     435         002      002"},
        {"t9 d9", 455, "Give a demonstration (9)    040     395         006      011"},
        {"", -15, "Information                 045     -015         000      000"},
        {"V", 1010, "Talk to villager            010     1000         001      001"},
    };
    for (const auto &row : cases) {
        INFO("script: " << std::string(row.script));
        GameState state = freshGame(row.days);
        LogInformationViewed(state);
        play(state, row.script);
        CHECK(FormatLogLine(state.ActivityLog.back()) == row.line);
    }
}

TEST_CASE("the three-digit format")
{
    const std::pair<int, const char *> cases[] = {
        {0, "000"},   {7, "007"},     {45, "045"},       {999, "999"},       {1000, "1000"},
        {-1, "-001"}, {-15, "-015"},  {-1000, "-1000"},  {32767, "32767"},   {-32768, "-32768"},
    };
    for (const auto &[value, text] : cases)
        CHECK(FormatThreeDigits(value) == text);
}

TEST_CASE("the log outgrows its first hundred lines")
{
    GameState state = freshGame(2000);
    LogInformationViewed(state);
    for (int i = 0; i < 200; ++i)
        REQUIRE(CarryOutMediaActivity(state, Activity::RandomVillager) == Verdict::Accepted);
    CHECK(state.LogCount() == 201);
    CHECK(state.ActivityLog.size() == 201u);
    CHECK(FormatLogLine(state.ActivityLog[150]).substr(0, 16) == "Talk to villager");
    CHECK(state.DaysLeft == 0);
    CHECK(state.TotalConverted == 200);
}

TEST_CASE("the grade")
{
    const std::pair<int, int> cases[] = {
        {0, 0},       {16, 9},      {17, 10},     {60, 35},        {85, 50},          {100, 58},     {170, 100},
        {356, 209},   {391, 230},   {3400, 2000}, {32767, 19274},  {-1, -1},          {-17, -10},    {-18, -11},
    };
    for (const auto &[total, grade] : cases) {
        GameState state;
        state.TotalConverted = static_cast<std::int16_t>(total);
        CHECK_MESSAGE(ComputeGrade(state) == grade, "total " << state.TotalConverted);
    }
    GameState state;
    state.DaysLeft = 9;
    CHECK(GradeIsShown(state));
    state.DaysLeft = 10;
    CHECK(!GradeIsShown(state));
}

TEST_CASE("typed numbers")
{
    constexpr int refused = INT_MIN;
    const std::pair<const char *, int> cases[] = {
        {"365", 365}, {"  42\t", 42}, {"+7", 7}, {"-7", -7}, {"0", 0}, {"-0", 0}, {"5.", 5}, {".5", 0},
        {".6", 1}, {"1.5", 2}, {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"-3.5", -4}, {"2.500001", 3}, {"2.4999", 2},
        {"2.51", 3}, {"2.6", 3}, {"9.9", 10}, {"0.49", 0},
        {"32767", 32767}, {"32767.4", 32767}, {"32767.5", refused}, {"32768", refused},
        {"-32768", -32768}, {"-32768.5", -32768}, {"-32769", refused}, {"0000000000000000000012", 12},
        {"99999", refused}, {"100000", refused}, {"99999999999999999999", refused}, {"", refused}, {" \t ", refused},
        {"+", refused}, {"-", refused}, {".", refused}, {"-.", refused}, {"1e3", refused}, {"0x10", refused},
        {"1,000", refused}, {"7,5", refused}, {"1 2", refused}, {"--1", refused}, {"+-1", refused}, {"1.2.3", refused},
        {"12a", refused}, {"1.a", refused}, {"/", refused}, {":", refused},
        {"\xef\xbc\x91", refused}, {"\n5", refused},
        // The digits that Arabic, Persian and Hindi keyboards type, alone and mixed with ASCII ones.
        {"\u0661\u0662", 12}, {"\u0663\u0666\u0665", 365}, {"\u06f3\u06f6\u06f5", 365},
        {"\u0969\u096c\u096b", 365}, {" -\u0667.\u0665 ", -8}, {"\u0663" "6\u0665", 365},
        {"\u0660\u0669", 9}, {"\u0669\u0669\u0669\u0669\u0669", refused}, {"\u0661\u0662x", refused},
        {"\u0661\u066b\u0665", refused}, {"\xd9", refused}, {"\xd9\xaa", refused}, {"\xe0\xa5\xb0", refused},
    };
    for (const auto &row : cases) {
        INFO("text: " << std::string(row.first));
        const auto parsed = ParseTypedNumber(row.first);
        CHECK((parsed ? int(*parsed) : refused) == row.second);
    }
}
