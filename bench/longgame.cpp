// SPDX-License-Identifier: GPL-3.0-or-later
// The long game: 3,000 log lines written through the game model, the heap the
// log holds, and the feedback list filled with them through the main screen.
//
//   bench_longgame        (offscreen unless QT_QPA_PLATFORM says otherwise)

#include "benchutil.h"
#include "rules.h"
#include "session.h"

#include <QApplication>
#include <QListWidget>

#include <malloc.h>

namespace {

using namespace Startup;

constexpr std::size_t kLines = 3000;
constexpr int kRounds = 25;

// One turn of the long game: every activity the menu and the map offer, once.
using Turn = Verdict (*)(GameState &, int farm);
constexpr Turn kTurn[] = {
    [](GameState &s, int) { return CarryOutMediaActivity(s, Activity::Newspaper); },
    [](GameState &s, int) { return CarryOutMediaActivity(s, Activity::Radio); },
    [](GameState &s, int) { return CarryOutMediaActivity(s, Activity::RandomVillager); },
    [](GameState &s, int) { return CarryOutMediaActivity(s, Activity::Training); },
    [](GameState &s, int) { return CarryOutMediaActivity(s, Activity::Film); },
    [](GameState &s, int farm) { return TalkToLeader(s, farm); },
    [](GameState &s, int farm) { return GiveDemonstration(s, farm); },
};

struct LongGame {
    GameState state;
    long activities = 0; // carried out or refused; a refused one logs nothing
};

// Plays turns on farm 1, 2, ... 10, 1, ... until the log holds kLines lines.
// The days are topped up whenever they run low: the game goes on for ever.
LongGame playLongGame()
{
    LongGame game;
    BuildActionTable(game.state);
    for (int turn = 0; game.state.ActivityLog.size() < kLines; ++turn)
        for (const Turn activity : kTurn) {
            if (game.state.ActivityLog.size() == kLines)
                break;
            if (game.state.DaysLeft < 40)
                game.state.DaysLeft = INT16_MAX;
            activity(game.state, turn % kFarms + 1);
            ++game.activities;
        }
    return game;
}

double elapsedMs(const QElapsedTimer &timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

// Times the model alone and measures the heap the log holds.
void benchmarkModel()
{
    const std::size_t heapBefore = mallinfo2().uordblks;
    LongGame kept = playLongGame();
    const std::size_t heapHeld = mallinfo2().uordblks - heapBefore;

    std::vector<double> perActivity;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        const LongGame game = playLongGame();
        perActivity.push_back(elapsedMs(timer) * 1e3 / static_cast<double>(game.activities));
    }
    // The log holds records; its lines are written when they are shown.
    const std::size_t lineBytes = kept.state.ActivityLog.capacity() * sizeof(LogRecord);
    std::printf("long game: %zu log lines from %ld activities\n", kept.state.ActivityLog.size(), kept.activities);
    Bench::print("time per activity (whole game / activities)", perActivity, "us");
    std::printf("heap held by the game state after it (malloc)   %zu bytes (%.1f per line)\n", heapHeld,
                static_cast<double>(heapHeld) / kLines);
    std::printf("of which the log's records                      %zu bytes\n", lineBytes);
}

// A game whose log holds kLines lines, played through the program's events: the
// most days typed, then villagers at random. Only the setup is played on the
// windows; the activities' steps touch nothing but the menu and the days box.
void playToALongLog(Session &session)
{
    Program &program = session.program;
    session.play(program.frmIntro_cmdNameOK_Click({"Ada", "32767", "100"}));
    session.play(program.frmMain_cmdInformation_Click());
    session.play(program.frmInformation_Command7_Click());
    while (program.state().ActivityLog.size() < kLines) {
        program.frmMain_cmdDiffusion_Click();
        program.frmDiffusion_Command3_Click();
    }
}

// Times the main screen's Feedback click with the long game's log, up to the
// list's first paint: in a new game each round, the first opening (the window
// is built) and a second one (the window is reused); the very first opening in
// the process, with nothing drawn in that font before, is reported apart.
void benchmarkFeedbackList()
{
    Bench::QuietDialogs dialogs;
    Bench::PaintLog paints;
    std::vector<double> handler[2], toPaint[2];
    for (int round = 0; round <= kRounds; ++round) {
        const auto session = Startup::Main(dialogs);
        playToALongLog(*session);
        paints.waitFor(&session->form(Window::frmMain));
        for (int opening = 0; opening < 2; ++opening) {
            paints.clear();
            QElapsedTimer timer;
            timer.start();
            session->play(session->program.frmMain_cmdFeedback_Click());
            const double handled = elapsedMs(timer);
            const auto *list = session->form(Window::frmFeedback).findChild<QListWidget *>("List1");
            paints.waitFor(list->viewport());
            const double painted = elapsedMs(timer);
            if (list->count() != static_cast<int>(kLines))
                qFatal("the feedback list holds %d lines", list->count());
            if (round == 0 && opening == 0) {
                std::printf("feedback, very first opening: click handler %.3f ms, to the list's first paint %.3f ms\n",
                            handled, painted);
            } else {
                handler[opening].push_back(handled);
                toPaint[opening].push_back(painted);
            }
            session->play(session->program.frmFeedback_Command7_Click());
            QCoreApplication::processEvents();
        }
    }
    Bench::print("feedback, first opening: click handler", handler[0], "ms");
    Bench::print("feedback, first opening: to the list's paint", toPaint[0], "ms");
    Bench::print("feedback, opened again: click handler", handler[1], "ms");
    Bench::print("feedback, opened again: to the list's paint", toPaint[1], "ms");
}

} // namespace

int main(int argc, char *argv[])
{
    Bench::useOffscreenPlatform();
    QApplication app(argc, argv);
    if (!Startup::PrepareApplication())
        qFatal("the carried fonts could not be loaded");
    benchmarkModel();
    benchmarkFeedbackList();
    return 0;
}
