// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A monkey for the game's core, without Qt: it draws random player events among
// those possible right now, plays them on a Program, and checks the game's
// invariants after every event.
//
//   Player player(seed);                 // one game's choices
//   Event event = player.draw(program);  // an event possible now
//   Program before = program;
//   Steps steps = Play(program, event);
//   invariants.check(before, program, steps);  // appends to invariants.violations

#include "numbers.h"
#include "program.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Monkey {

using Startup::Program;
using Startup::Step;
using Startup::StepKind;
using Startup::Steps;
using Startup::Window;

// A step as one short line: "Show frmVillage1", "SetText frmMain.txtDaysLeft 300",
// "Message frmMain You don't have enough time for that", "Disable frmVillage1.cmdV1_1",
// "SetFont frmFeedback.List1 Courier New 11", "SetLines frmFeedback.List1 (2)".
inline std::string StepText(const Step &step)
{
    if (step.kind == StepKind::EndProgram)
        return "EndProgram";
    std::string text = step.kind == StepKind::SetEnabled   ? (step.enabled ? "Enable" : "Disable")
                       : step.kind == StepKind::SetVisible ? (step.visible ? "Show" : "Hide")
                                                           : std::string(Startup::kStepKindNames[static_cast<int>(step.kind)]);
    text += ' ';
    text += Startup::WindowName(step.window);
    if (!step.control.empty())
        text += '.' + step.control;
    char size[32];
    std::snprintf(size, sizeof size, "%g", step.size);
    if (step.kind == StepKind::SetFont)
        text += ' ' + step.font + ' ' + size;
    else if (step.kind == StepKind::SetLines || step.kind == StepKind::SetChart)
        text += " (" + std::to_string(step.lines.size()) + ')';
    else if (!step.text.empty())
        text += ' ' + step.text;
    return text;
}

// Whether two programs are in the same state: the game, and every window as the
// player sees it; with `butMessage`, whether a message is open may differ.
inline bool SameProgram(const Program &a, const Program &b, bool butMessage = false)
{
    for (int w = 0; w < Startup::kWindows; ++w)
        if (!(a.window(Window(w)) == b.window(Window(w))))
            return false;
    return a.state() == b.state() && a.daysTyped() == b.daysTyped() && a.showingOrder() == b.showingOrder()
           && (butMessage || a.messageOpen() == b.messageOpen()) && a.ended() == b.ended();
}

// One player event: a control pressed (a button, or Enter in a setup box with the
// three boxes' texts), a window's close box, or OK on the open message.
struct Event {
    enum class Kind { Press, Close, MessageOK } kind = Kind::Press;
    Window window{};
    std::string control{};
    Startup::SetupTexts typed{};
    bool ends = false;  // the monkey counts it among the endings of a game
};

inline Steps Play(Program &program, const Event &event)
{
    switch (event.kind) {
    case Event::Kind::Press: return program.Press(event.window, event.control, event.typed);
    case Event::Kind::Close: return program.Form_Close(event.window);
    case Event::Kind::MessageOK: program.MessageClosed(); return {};
    }
    return {};
}

// "frmMain.cmdInformation", "close frmFeedback", "OK on the message",
// "frmIntro.cmdNameOK "Ann" "365" "\x01"" (the setup boxes' texts, control characters escaped).
inline std::string EventText(const Event &event)
{
    const std::string window(Startup::WindowName(event.window));
    if (event.kind == Event::Kind::Close)
        return "close " + window;
    if (event.kind == Event::Kind::MessageOK)
        return "OK on the message";
    std::string text = window + '.' + event.control;
    if (event.window == Window::frmIntro)
        for (const std::string *box : {&event.typed.name, &event.typed.days, &event.typed.percent}) {
            text += " \"";
            for (unsigned char c : *box) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
                text += c < ' ' || c == 0x7f || c == '"' || c == '\\' ? escaped : std::string(1, char(c));
            }
            text += '"';
        }
    return text;
}

// A control of a window ("" is its close box) the monkey may press: its weight,
// whether it ends the program, and its chance out of ten of being left alone for
// a whole game.
struct PlayerControl {
    Window window;
    std::string name;
    int weight;
    bool ends;
    int leftAloneOutOfTen;
};

// How the monkey plays the events of the program's table and the close boxes:
// by default with weight 4; these rows say otherwise, for a window's close box
// ("") or for every member of a control array ("cmdV1").
struct Tuning {
    Window window;
    std::string_view control;
    int weight;
    bool ends = false;
    int leftAloneOutOfTen = 0;
};
inline constexpr int kDefaultWeight = 4;
inline constexpr Tuning kTunings[] = {
    {Window::frmIntro, "cmdNameOK", 8},
    {Window::frmIntro, "txtName", 2},
    {Window::frmIntro, "txtDays", 2},
    {Window::frmIntro, "txtPercent", 2},
    {Window::frmMain, "cmdDiffusion", 16},
    {Window::frmMain, "cmdMapDisplay", 3, false, 5},
    {Window::frmMain, "cmdFeedback", 3, false, 5},
    {Window::frmMain, "CommandAbout", 3, false, 5},
    {Window::frmDiffusion, "Command0", 6, false, 2},
    {Window::frmDiffusion, "Command6", 6, false, 2},
    {Window::frmDiffusion, "Command1", 3, false, 7},
    {Window::frmDiffusion, "Command2", 3, false, 7},
    {Window::frmDiffusion, "Command3", 3, false, 7},
    {Window::frmDiffusion, "Command4", 3, false, 7},
    {Window::frmDiffusion, "Command5", 3, false, 7},
    {Window::frmDiffusion, "Command7", 2},
    {Window::frmVillage1, "cmdV1", 4, false, 8},
    {Window::frmVillage1, "Command1", 3},
    {Window::frmMain, "cmdQuit", 1, true},
    {Window::frmFeedback, "cmdQuit", 1, true},
    {Window::frmIntro, "", 1, true},
    {Window::frmMain, "", 1, true},
};
inline constexpr Tuning kCloseBox{Window::frmMain, "", 1};

inline const Tuning &TuningOf(Window window, std::string_view control)
{
    static constexpr Tuning kDefault{Window::frmMain, "", kDefaultWeight};
    for (const Tuning &tuning : kTunings)
        if (tuning.window == window && tuning.control == control)
            return tuning;
    return control.empty() ? kCloseBox : kDefault;
}

// Every event of the program's table, each member of a control array apart, and every close box.
inline const std::vector<PlayerControl> &PlayerControls()
{
    static const std::vector<PlayerControl> controls = [] {
        std::vector<PlayerControl> all;
        for (const Startup::EventRow &row : Startup::kEvents) {
            const Tuning &tuning = TuningOf(row.window, row.control);
            for (int index = row.members ? 1 : 0; index <= row.members; ++index)
                all.push_back({row.window, Startup::ControlName(row, index), tuning.weight, tuning.ends,
                               tuning.leftAloneOutOfTen});
        }
        for (int w = 0; w < Startup::kWindows; ++w) {
            const Tuning &tuning = TuningOf(Window(w), "");
            all.push_back({Window(w), "", tuning.weight, tuning.ends, 0});
        }
        return all;
    }();
    return controls;
}

// Draws one game's events: its seed decides them all. Each game leaves some
// buttons and most farms alone, so that the others come often: talks lead to
// demonstrations, to second ones and to the seventh talk; the days run out and
// the grade shows.
class Player {
public:
    explicit Player(std::uint64_t seed) : state(seed)
    {
        const int farm = uniform(1, Startup::kFarms);  // one farm always in play
        for (const PlayerControl &control : PlayerControls())
            weights.push_back(uniform(1, 10) <= control.leftAloneOutOfTen && control.name != "cmdV1_" + std::to_string(farm)
                                  ? 0
                                  : control.weight);
    }

    // An event possible now; OK when a message is open. At a fixed chance per
    // event the game is ended: "Quit Game", or the setup or main screen closed.
    Event draw(const Program &program)
    {
        if (program.messageOpen())
            return {Event::Kind::MessageOK};
        if (uniform(1, kEventsPerEnding) == 1)
            if (const auto ending = drawAmong(program, true))
                return *ending;
        if (const auto event = drawAmong(program, false))
            return *event;
        return drawAmong(program, true).value_or(Event{Event::Kind::MessageOK});
    }

    // Any press or close box of any window, possible now or not.
    Event drawAny(const Program &program)
    {
        return make(PlayerControls()[uniform(0, int(PlayerControls().size()) - 1)], &program);
    }

    // Whether the event may happen now: its window shows, its control is enabled,
    // no message is open and the program runs.
    static bool Possible(const Program &program, const Event &event)
    {
        if (event.kind == Event::Kind::MessageOK)
            return program.messageOpen();
        return program.accepts(event.window, event.kind == Event::Kind::Close ? std::string_view() : event.control);
    }

    std::uint64_t uniform64()  // splitmix64: the same games on every platform
    {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }
    int uniform(int low, int high) { return low + int(uniform64() % std::uint64_t(high - low + 1)); }

private:
    static constexpr int kEventsPerEnding = 150;

    Event make(const PlayerControl &control, const Program *program)
    {
        Event event{control.name.empty() ? Event::Kind::Close : Event::Kind::Press, control.window, control.name, {},
                    control.ends};
        if (program && control.window == Window::frmIntro && !control.name.empty()) {
            int which = 0;
            for (const auto &[box, text] : Startup::kSetupBoxes)
                event.typed.*text = typed(*program, box, which++);
        }
        return event;
    }

    // Among the possible events, by weight: the endings, or all others.
    std::optional<Event> drawAmong(const Program &program, bool endings)
    {
        const std::vector<PlayerControl> &controls = PlayerControls();
        int total = 0;
        possible.clear();
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const PlayerControl &control = controls[i];
            const int weight = control.ends != endings ? 0 : endings ? 1 : weights[i];
            const Startup::WindowState &window = program.window(control.window);
            if (weight > 0 && window.showing && (control.name.empty() || window.control(control.name).enabled)) {
                possible.emplace_back(int(i), weight);
                total += weight;
            }
        }
        if (total == 0)
            return std::nullopt;
        int at = uniform(0, total - 1);
        for (const auto &[i, weight] : possible)
            if ((at -= weight) < 0)
                return make(controls[i], &program);
        return std::nullopt;
    }

    // What a setup box holds at OK: what it showed (a quarter of the time), or a
    // drawn text, weighted for the name, days and percentage boxes. The days lean
    // to what a player types, so that refusals and the grade come often.
    std::string typed(const Program &program, std::string_view box, int which)
    {
        if (uniform(1, 4) == 1)
            return program.window(Window::frmIntro).control(box).text;
        static constexpr int kWeights[][3] = {
            {10, 1, 1}, {1, 12, 4}, {0, 4, 2}, {0, 4, 0}, {1, 2, 2}, {0, 2, 2}, {1, 2, 2}, {1, 1, 1}, {2, 1, 1},
        };
        int total = 0, kind = 0;
        for (const auto &weight : kWeights)
            total += weight[which];
        for (int at = uniform(0, total - 1); (at -= kWeights[kind][which]) >= 0;)
            ++kind;
        switch (kind) {
        case 0: return randomText("abcdefghijklmnopqrstuvwxyz ", 1, 8);
        case 1: return std::to_string(uniform(45, 700));
        case 2: return std::to_string(uniform(-60, 90));
        case 3: return std::to_string(uniform(700, 2000));
        case 4: return std::to_string(uniform(-40000, 40000));
        case 5: {  // drawn one after the other, so that every compiler plays the same games
            std::string text = randomText("+- ", 0, 1);
            text += std::to_string(uniform(0, 500)) + '.';
            return text + randomText("0123456789", 0, 3);
        }
        // garbage: signs, separators, control characters, and bytes of letters beyond ASCII
        case 6: return randomText("0123456789 \t+-.,ex\n\x01\x7f\xd9\xa3\xef\xbc\x93\xc3\xa9", 0, 6);
        case 7: return randomText(" \t", 0, 3);
        }
        return {};  // an empty box
    }
    std::string randomText(std::string_view alphabet, int shortest, int longest)
    {
        std::string text;
        for (int n = uniform(shortest, longest); n > 0; --n)
            text += alphabet[uniform(0, int(alphabet.size()) - 1)];
        return text;
    }

    std::uint64_t state;
    std::vector<int> weights;                    // of PlayerControls(), for this game
    std::vector<std::pair<int, int>> possible;  // the controls possible now, with their weights
};

// The game's invariants, checked after each event against the program before it;
// each broken one appends a line to `violations`.
struct Invariants {
    std::vector<std::string> violations;
    long checks = 0;

    void check(const Program &before, const Program &after, const Steps &steps)
    {
        const bool said = std::any_of(steps.begin(), steps.end(), [](const Step &s) { return s.kind == StepKind::Message; });
        expect(!before.messageOpen() || steps.empty(), "an event while a message was open had steps");
        expect(!said || (after.state() == before.state() && after.daysTyped() == before.daysTyped()),
               "a refusal changed the game");
        expect(!said || after.messageOpen(), "a message was shown but is not open");
        if (steps.empty())  // nothing changed but, perhaps, the message closed
            expect(SameProgram(before, after, true) && (before.messageOpen() || !after.messageOpen()),
                   "an event without steps changed the program");
        checkCounters(after.state());
        checkLog(before, after);
        checkWindows(before, after, steps);
    }

private:
    bool expect(bool ok, const char *what)
    {
        ++checks;
        if (!ok)
            violations.emplace_back(what);
        return ok;
    }
    void fail(std::string what) { violations.push_back(std::move(what)); }

    void checkCounters(const Startup::GameState &state)
    {
        for (int code = 0; code < Startup::kActionCodes; ++code) {
            const int uses = state.ActionUseCount[code];
            const bool counted = code >= Startup::Newspaper && code <= Startup::FilmAfterAdvertising;
            if (!expect(uses >= 0 && uses <= (counted ? 6 : 0), "a use counter is out of range"))
                fail("use counter " + std::to_string(code) + " is " + std::to_string(uses));
        }
        expect(state.ActionUseCount[Startup::Training] == state.ActionUseCount[Startup::TrainingAfterAdvertising],
               "training counters differ");
        expect(state.ActionUseCount[Startup::Film] == state.ActionUseCount[Startup::FilmAfterAdvertising],
               "film counters differ");
        for (int farm = 0; farm <= Startup::kFarms; ++farm) {
            const int talks = state.LeaderTalkCount[farm], demos = state.FarmDemoCount[farm];
            if (!expect(talks >= 0 && talks <= (farm ? 6 : 0) && demos >= 0 && demos <= (farm ? 1 : 0),
                        "a talk or demonstration counter is out of range"))
                fail("farm " + std::to_string(farm) + ": " + std::to_string(talks) + " talks, " + std::to_string(demos)
                     + " demonstrations");
        }
    }

    // The days an activity costs, and whether it is done on a farm.
    static int cost(Startup::Activity activity)
    {
        using Startup::Activity;
        static constexpr std::pair<Activity, int> kCosts[] = {
            {Activity::Information, 45}, {Activity::Newspaper, 10}, {Activity::Radio, 10}, {Activity::RandomVillager, 10},
            {Activity::Training, 30},    {Activity::Film, 30},      {Activity::Talk, 20},  {Activity::Demonstration, 40},
        };
        for (const auto &[known, days] : kCosts)
            if (activity == known)
                return days;
        return 0;
    }
    static bool onAFarm(Startup::Activity activity)
    {
        return activity == Startup::Activity::Talk || activity == Startup::Activity::Demonstration;
    }

    // The records this event added: the first is the information's, their days
    // and totals follow on from the record before, and the last tells the state.
    void checkLog(const Program &before, const Program &after)
    {
        const Startup::GameState &state = after.state();
        const auto &log = state.ActivityLog, &old = before.state().ActivityLog;
        if (!expect(log.size() == old.size() || log.size() == old.size() + 1, "the log did not grow by one line or none")
            || !expect(old.empty() || log[old.size() - 1] == old.back(), "a log line was rewritten"))
            return;
        const Startup::LogRecord *previous = nullptr;
        for (std::size_t i = old.empty() ? 0 : old.size() - 1; i < log.size(); ++i) {
            const Startup::LogRecord &record = log[i];
            const bool first = i == 0;
            const bool farmRight = onAFarm(record.activity) ? record.farm >= 1 && record.farm <= Startup::kFarms
                                                            : record.farm == 0;
            if (!expect(farmRight && cost(record.activity) == record.daysUsed
                            && (record.activity == Startup::Activity::Information) == first,
                        "a log record is not an activity as the game logs it")) {
                fail("log line " + std::to_string(i) + ": " + Startup::FormatLogLine(record));
                return;
            }
            const int extra = record.total - (previous ? previous->total : 0) - record.gain;
            // Leader 8's bonus, once farms 9 and 10 have had their demonstrations, shows only in the total.
            const int bonus = record.activity == Startup::Activity::Talk && record.farm == 8
                                      && state.FarmDemoCount[9] == 1 && state.FarmDemoCount[10] == 1
                                  ? 3
                                  : 0;
            if (first && !expect(record.daysLeft == after.daysTyped() - Startup::kInformationDays && record.total == 0
                                     && record.gain == 0,
                                 "the information line is not the days typed less 45"))
                fail(Startup::FormatLogLine(record));
            if (previous && !expect(record.daysLeft == previous->daysLeft - record.daysUsed && record.gain >= 0
                                        && record.gain <= 12 && extra >= 0 && extra <= bonus,
                                    "a log line does not follow on from the one before"))
                fail(Startup::FormatLogLine(record));
            previous = &record;
        }
        if (previous)
            expect(state.DaysLeft == previous->daysLeft && state.TotalConverted == previous->total,
                   "the last log line is not the state");
    }

    void checkWindows(const Program &before, const Program &after, const Steps &steps)
    {
        const auto &order = after.showingOrder();
        const auto showing = [&after](Window w) { return after.window(w).showing; };
        for (int w = 0; w < Startup::kWindows; ++w)
            if (!expect(std::count(order.begin(), order.end(), Window(w)) == (showing(Window(w)) ? 1 : 0)
                            && (!showing(Window(w)) || after.window(Window(w)).exists),
                        "a window's showing and the showing order disagree"))
                fail(std::string(Startup::WindowName(Window(w))));
        if (after.ended())
            expect(order.empty() && !after.messageOpen(), "windows show after the end");
        const Startup::GameState &state = after.state();
        const bool setUp = !state.PlayerName.empty();
        if (!after.ended() && after.window(Window::frmIntro).exists)
            expect(setUp ? showing(Window::frmMain) && !showing(Window::frmIntro) : order == std::vector{Window::frmIntro},
                   "the wrong windows show for the setup");

        // The information gate: the two game buttons, their captions and the log agree.
        const Startup::WindowState &main = after.window(Window::frmMain);
        if (main.exists) {
            const auto &diffusion = main.control("cmdDiffusion"), &feedback = main.control("cmdFeedback");
            const bool open = diffusion.enabled;
            expect(feedback.enabled == open && diffusion.text == (open ? "" : "X") && feedback.text == diffusion.text,
                   "the game buttons disagree");
            expect(open == (state.LogCount() > 0), "the log and the information view disagree");
            expect(open || (!showing(Window::frmDiffusion) && !showing(Window::frmFeedback)),
                   "the menu or feedback shows before the information was viewed");
            const std::string &days = main.control("txtDaysLeft").text;
            if (setUp
                && !expect(open ? days == std::to_string(state.DaysLeft)
                                : days == std::to_string(after.daysTyped())
                                      && state.DaysLeft == after.daysTyped() - Startup::kInformationDays,
                           "the days box is not the days left"))
                fail("the days box is " + days + " with " + std::to_string(state.DaysLeft) + " days left");
        }

        // View-only mode disables all ten farm buttons, Go Back enables all ten.
        static const std::vector<std::string> kFarmButtons = [] {
            std::vector<std::string> names;
            for (int farm = 1; farm <= Startup::kFarms; ++farm)
                names.push_back("cmdV1_" + std::to_string(farm));
            return names;
        }();
        const Startup::WindowState &map = after.window(Window::frmVillage1);
        expect(std::all_of(kFarmButtons.begin(), kFarmButtons.end(),
                           [&map](const std::string &farm) { return map.control(farm).enabled == map.control("cmdV1_1").enabled; }),
               "the farm buttons disagree");

        // The feedback list is the log at its opening; the grade labels show the grade only when due.
        const Startup::WindowState &feedback = after.window(Window::frmFeedback);
        const auto &score = feedback.control("lblScore"), &scoreText = feedback.control("lblScoreText");
        expect(!scoreText.textSet || scoreText.text == "is your grade.", "lblScoreText is not \"is your grade.\"");
        for (const Step &step : steps)
            if (step.kind == StepKind::SetLines && step.window == Window::frmFeedback) {
                expect(step.lines == Startup::LogLines(state.ActivityLog), "the feedback list is not the log");
                if (!expect(Startup::GradeIsShown(state) ? score.text == std::to_string(Startup::ComputeGrade(state)) + ' '
                                                         : score == before.window(Window::frmFeedback).control("lblScore"),
                            "lblScore is not the grade when due"))
                    fail("lblScore is \"" + score.text + "\" with " + std::to_string(state.DaysLeft) + " days left");
            } else if (step.kind == StepKind::SetVisible) {
                expect(step.control == "cmdDebrief" && step.visible && Startup::GradeIsShown(state),
                       "the Debrief button shows before the grade");
            }
    }
};

} // namespace Monkey
