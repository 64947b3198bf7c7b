// SPDX-License-Identifier: GPL-3.0-or-later
// The program's flow: sequences of player events played on a Program, with the
// screen steps of the last event and the state it leaves.
#include <doctest/doctest.h>

#include "monkey.h"
#include "fitting.h"
#include "language.h"
#include "wire.h"

#include <sstream>

using namespace Startup;
using Monkey::StepText;

namespace {

// The events of a sequence, by the procedures that handle them:
//   "Main"                          start-up
//   "frmIntro.cmdNameOK Ann|365|50" OK with the setup boxes' texts (name|days|percent);
//   "frmIntro.txtDays Ann|365|50"   Enter in that box; "key 65 Ann|365|50" another key
//   "frmMain.cmdInformation"        a button ("frmVillage1.cmdV1_3" is farm 3)
//   "close frmFeedback"             a window's close box
//   "OK"                            OK on the open message
// and shorthands: "setup D" (start-up, then OK with Ann|D|50), "open D" (setup D,
// then the information viewed and left), "menu K" (Diffusion, then its CommandK),
// "talk N" and "demo N" (Diffusion, Command0 or Command6, then farm N).
Window windowNamed(std::string_view name)
{
    const std::optional<Window> window = WindowNamed(name);
    REQUIRE_MESSAGE(window, "no window " << name);
    return *window;
}

SetupTexts setupTexts(const std::string &texts)
{
    SetupTexts typed;
    std::istringstream boxes(texts);
    std::getline(boxes, typed.name, '|');
    std::getline(boxes, typed.days, '|');
    std::getline(boxes, typed.percent, '|');
    return typed;
}

std::vector<std::string> expand(const std::string &event)
{
    std::istringstream words(event);
    std::string word, argument;
    words >> word >> argument;
    if (word == "setup")
        return {"Main", "frmIntro.cmdNameOK Ann|" + argument + "|50"};
    if (word == "open") {
        auto events = expand("setup " + argument);
        events.insert(events.end(), {"frmMain.cmdInformation", "frmInformation.Command7"});
        return events;
    }
    if (word == "menu")
        return {"frmMain.cmdDiffusion", "frmDiffusion.Command" + argument};
    if (word == "talk" || word == "demo")
        return {"frmMain.cmdDiffusion", word == "talk" ? "frmDiffusion.Command0" : "frmDiffusion.Command6",
                "frmVillage1.cmdV1_" + argument};
    return {event};
}

// Plays one event: a control's through the events table, by the names it is pressed by.
Steps play(Program &program, const std::string &event)
{
    const std::size_t blank = event.find(' '), dot = event.find('.');
    const std::string head = event.substr(0, blank), rest = blank == std::string::npos ? "" : event.substr(blank + 1);
    if (event == "Main")
        return program.Main();
    if (event == "OK") {
        program.MessageClosed();
        return {};
    }
    if (head == "close")
        return program.Form_Close(windowNamed(rest));
    if (head == "key") {
        const std::size_t space = rest.find(' ');
        return program.frmIntro_KeyPress(std::stoi(rest.substr(0, space)), setupTexts(rest.substr(space + 1)));
    }
    return program.Press(windowNamed(head.substr(0, dot)), head.substr(dot + 1), setupTexts(rest));
}

// One fact of the program after the events, as text: a field of the game state
// ("DaysLeft", "talks8", "demos9", "uses4", "log0", "lastLog"), "showing" (the
// showing order), "message", "ended", "daysTyped", "farms" (the farm buttons'
// enabled states, 1 or 0 from farm 1 to 10), "frmMain.txtDaysLeft" (a control's
// text), "frmMain.cmdDiffusion.enabled", "frmAbout.exists".
std::string fact(const Program &program, const std::string &key)
{
    const GameState &state = program.state();
    const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    const auto numbered = [&key](std::string_view name) {
        return key.starts_with(name) ? std::stoi(key.substr(name.size())) : -1;
    };
    if (key == "DaysLeft") return std::to_string(state.DaysLeft);
    if (key == "TotalConverted") return std::to_string(state.TotalConverted);
    if (key == "TargetPercent") return std::to_string(state.TargetPercent);
    if (key == "LogCount") return std::to_string(state.LogCount());
    if (key == "PlayerName") return state.PlayerName;
    if (key == "MapMode") return state.MapMode;
    if (key == "daysTyped") return std::to_string(program.daysTyped());
    if (key == "message") return flag(program.messageOpen());
    if (key == "ended") return flag(program.ended());
    if (key == "lastLog") return state.ActivityLog.empty() ? "" : FormatLogLine(state.ActivityLog.back());
    if (numbered("log") >= 0) return FormatLogLine(state.ActivityLog.at(numbered("log")));
    if (numbered("talks") >= 0) return std::to_string(state.LeaderTalkCount.at(numbered("talks")));
    if (numbered("demos") >= 0) return std::to_string(state.FarmDemoCount.at(numbered("demos")));
    if (numbered("uses") >= 0) return std::to_string(state.ActionUseCount.at(numbered("uses")));
    if (key == "showing") {
        std::string names;
        for (Window window : program.showingOrder())
            names += (names.empty() ? "" : " ") + std::string(WindowName(window));
        return names;
    }
    if (key == "farms") {
        std::string farms;
        for (int farm = 1; farm <= kFarms; ++farm)
            farms += flag(program.window(Window::frmVillage1).control("cmdV1_" + std::to_string(farm)).enabled);
        return farms;
    }
    const std::size_t dot = key.find('.'), second = key.find('.', dot + 1);
    REQUIRE_MESSAGE(dot != std::string::npos, "no fact " << key);
    const WindowState &window = program.window(windowNamed(key.substr(0, dot)));
    const std::string control = key.substr(dot + 1, second - dot - 1);
    if (control == "exists")
        return flag(window.exists);
    return second == std::string::npos ? window.control(control).text : flag(window.control(control).enabled);
}

struct Case {
    std::string name;
    std::vector<std::string> events;  // the steps of the last event are compared
    std::vector<std::string> steps;   // none: the last event changed nothing
    std::string facts;                // "key=value; key=value"
};

const std::vector<std::string> kDaysRefused = {"Message frmIntro Please enter a number of days from -32723 to 32767.",
                                               "Focus frmIntro.txtDays"};
const std::vector<std::string> kPercentRefused = {"Message frmIntro Please enter a percentage from -32768 to 32767.",
                                                  "Focus frmIntro.txtPercent"};
const std::string kNoTime = "Message frmMain You don't have enough time for that";
const std::vector<std::string> kLockSteps = {"Disable frmMain.cmdDiffusion", "SetText frmMain.cmdDiffusion X",
                                             "Disable frmMain.cmdFeedback", "SetText frmMain.cmdFeedback X"};
const std::vector<std::string> kUnlockSteps = {"Enable frmMain.cmdDiffusion", "SetText frmMain.cmdDiffusion",
                                               "Enable frmMain.cmdFeedback", "SetText frmMain.cmdFeedback"};
std::vector<std::string> farmSteps(const char *verb)
{
    std::vector<std::string> steps;
    for (int farm = 1; farm <= kFarms; ++farm)
        steps.push_back(std::string(verb) + " frmVillage1.cmdV1_" + std::to_string(farm));
    return steps;
}
std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
const std::vector<std::string> kAboutSteps = {"SetText frmAbout About Brimwold", "SetText frmAbout.lblVersion Version 2.1.0",
                                              "SetText frmAbout.lblTitle Brimwold", "Show frmAbout"};
const std::vector<std::string> kFeedbackSteps = {"Show frmFeedback", "SetFont frmFeedback.List1 Courier New 11"};
const std::vector<std::string> kAfterMedia = {"Hide frmDiffusion", "Activate frmMain"};
const std::vector<std::string> kAfterFarm = {"Hide frmVillage1", "Activate frmMain"};

const Case kCases[] = {
    // Start-up and the setup screen
    {"start-up locks the game, fills the setup boxes, shows the setup", {"Main"},
     kLockSteps + std::vector<std::string>{"SetText frmIntro.txtDays 365", "SetText frmIntro.txtPercent 100", "Show frmIntro"},
     "showing=frmIntro; DaysLeft=0; frmIntro.txtName=; frmMain.exists=1; frmMain.cmdDiffusion.enabled=0"},
    {"start-up runs once", {"Main", "Main"}, {}, ""},
    {"setup accepted", {"Main", "frmIntro.cmdNameOK Ann|365|100"},
     {"SetText frmMain.txtDaysLeft 365", "Hide frmIntro", "Show frmMain"},
     "DaysLeft=320; TargetPercent=100; PlayerName=Ann; daysTyped=365; showing=frmMain; LogCount=0; "
     "frmMain.txtDaysLeft=365; frmMain.cmdDiffusion.enabled=0; frmMain.cmdFeedback.enabled=0"},
    {"all boxes empty: the name first", {"Main", "frmIntro.cmdNameOK ||"},
     {"Message frmIntro Please enter your name", "Focus frmIntro.txtName"}, "message=1; showing=frmIntro; DaysLeft=0"},
    {"no days", {"Main", "frmIntro.cmdNameOK Ann||"},
     {"Message frmIntro Please enter a number of days.", "Focus frmIntro.txtDays"}, "message=1; PlayerName="},
    {"no percentage", {"Main", "frmIntro.cmdNameOK Ann|365|"},
     {"Message frmIntro Please enter a percentage.", "Focus frmIntro.txtPercent"}, "message=1"},
    {"unreadable days, before the percentage", {"Main", "frmIntro.cmdNameOK Ann|1e3|x"}, kDaysRefused, "DaysLeft=0"},
    {"days too few for the information", {"Main", "frmIntro.cmdNameOK Ann|-32724|5"}, kDaysRefused, ""},
    {"days too many", {"Main", "frmIntro.cmdNameOK Ann|32768|5"}, kDaysRefused, ""},
    {"the fewest days", {"Main", "frmIntro.cmdNameOK Ann|-32723|5"},
     {"SetText frmMain.txtDaysLeft -32723", "Hide frmIntro", "Show frmMain"}, "DaysLeft=-32768"},
    {"unreadable percentage", {"Main", "frmIntro.cmdNameOK Ann|365|x"}, kPercentRefused, ""},
    {"percentage out of range", {"Main", "frmIntro.cmdNameOK Ann|365|32768"}, kPercentRefused, ""},
    {"blanks are a name, fractions round, zero days are accepted", {"Main", "frmIntro.cmdNameOK  | 0.5 |-2.5"},
     {"SetText frmMain.txtDaysLeft 0", "Hide frmIntro", "Show frmMain"},
     "PlayerName= ; DaysLeft=-45; TargetPercent=-2; daysTyped=0"},
    {"OK while the refusal is open", {"Main", "frmIntro.cmdNameOK |365|100", "frmIntro.cmdNameOK Ann|365|100"}, {},
     "message=1"},
    {"accepted after a refusal", {"Main", "frmIntro.cmdNameOK |365|100", "OK", "frmIntro.cmdNameOK Ann|365|100"},
     {"SetText frmMain.txtDaysLeft 365", "Hide frmIntro", "Show frmMain"}, "message=0; DaysLeft=320"},
    {"Enter in the name box", {"Main", "frmIntro.txtName |365|100"},
     {"Message frmIntro Please enter your name", "Focus frmIntro.txtName"}, ""},
    {"Enter in the days box", {"Main", "frmIntro.txtDays Ann||100"},
     {"Message frmIntro Please enter a number of days.", "Focus frmIntro.txtDays"}, ""},
    {"Enter in the percentage box", {"Main", "frmIntro.txtPercent Ann|400|7"},
     {"SetText frmMain.txtDaysLeft 400", "Hide frmIntro", "Show frmMain"}, "DaysLeft=355; TargetPercent=7"},
    {"Enter is key 13", {"Main", "key 13 Ann|400|7"},
     {"SetText frmMain.txtDaysLeft 400", "Hide frmIntro", "Show frmMain"}, "DaysLeft=355"},
    {"another key", {"Main", "key 65 Ann|365|100"}, {}, ""},
    {"the setup after it was accepted", {"setup 365", "frmIntro.cmdNameOK Bob|100|1"}, {}, "PlayerName=Ann"},

    // The information gate
    {"the game stays locked until the information is viewed", {"setup 365", "frmMain.cmdDiffusion"}, {}, ""},
    {"feedback locked too", {"setup 365", "frmMain.cmdFeedback"}, {}, ""},
    {"the first view unlocks and logs", {"setup 365", "frmMain.cmdInformation"},
     std::vector<std::string>{"Show frmInformation", "SetText frmMain.txtDaysLeft 320"} + kUnlockSteps,
     "LogCount=1; log0=Information                 045     320         000      000; showing=frmMain frmInformation"},
    {"later views are free", {"open 365", "frmMain.cmdInformation"},
     {"Show frmInformation", "SetText frmMain.txtDaysLeft 320"}, "LogCount=1; DaysLeft=320"},
    {"the information's Go Back", {"setup 365", "frmMain.cmdInformation", "frmInformation.Command7"},
     {"Hide frmInformation", "Activate frmMain"}, "showing=frmMain; frmInformation.exists=1"},
    {"the information's close box, then a view", {"open 365", "frmMain.cmdInformation", "close frmInformation",
                                                  "frmMain.cmdInformation"},
     {"Show frmInformation", "SetText frmMain.txtDaysLeft 320"}, "LogCount=1"},

    // Media and group activities
    {"the menu refreshes the days box", {"open 365", "frmMain.cmdDiffusion"},
     {"Show frmDiffusion", "SetText frmMain.txtDaysLeft 320"}, "showing=frmMain frmDiffusion"},
    {"newspaper accepted: days box, then hide", {"open 365", "menu 1"},
     std::vector<std::string>{"SetText frmMain.txtDaysLeft 310"} + kAfterMedia,
     "TotalConverted=2; uses4=1; LogCount=2; lastLog=Newspaper                   010     310         002      002"},
    {"film with exactly 30 days", {"open 75", "menu 5"},
     std::vector<std::string>{"SetText frmMain.txtDaysLeft 0"} + kAfterMedia, "uses9=1; uses10=1; TotalConverted=3"},
    {"training after radio", {"open 365", "menu 2", "menu 4"},
     std::vector<std::string>{"SetText frmMain.txtDaysLeft 280"} + kAfterMedia,
     "uses7=1; uses8=1; lastLog=Train Villagers             030     280         002      006"},
    {"refused media: hide, then the message", {"open 54", "menu 3"},
     kAfterMedia + std::vector<std::string>{kNoTime}, "message=1; DaysLeft=9; LogCount=1; showing=frmMain"},
    {"negative days refuse the newspaper", {"open 0", "menu 1"}, kAfterMedia + std::vector<std::string>{kNoTime},
     "DaysLeft=-45; LogCount=1; uses4=0"},
    {"negative days refuse the radio", {"open 0", "menu 2"}, kAfterMedia + std::vector<std::string>{kNoTime}, "uses5=0"},
    {"negative days refuse the villager", {"open 0", "menu 3"}, kAfterMedia + std::vector<std::string>{kNoTime}, "uses6=0"},
    {"negative days refuse the training", {"open 0", "menu 4"}, kAfterMedia + std::vector<std::string>{kNoTime}, "uses7=0"},
    {"negative days refuse the film", {"open 0", "menu 5"}, kAfterMedia + std::vector<std::string>{kNoTime}, "uses9=0"},
    {"negative days refuse a talk: hide, then the message", {"open 0", "talk 4"},
     kAfterFarm + std::vector<std::string>{kNoTime}, "talks4=0; DaysLeft=-45; LogCount=1"},
    {"negative days refuse a demonstration before its talk", {"open 0", "demo 4"}, {kNoTime},
     "showing=frmMain frmVillage1; LogCount=1"},
    {"the menu's Go Back", {"open 365", "menu 7"}, kAfterMedia, "showing=frmMain; MapMode="},
    {"the menu's close box", {"open 365", "frmMain.cmdDiffusion", "close frmDiffusion"},
     {"Discard frmDiffusion", "Activate frmMain"}, "frmDiffusion.exists=0"},

    // Talks and demonstrations
    {"the talk button opens the map and charges nothing", {"open 365", "menu 0"},
     {"Show frmVillage1", "Hide frmDiffusion"}, "MapMode=talk; DaysLeft=320; LogCount=1; showing=frmMain frmVillage1"},
    {"the demonstration button too", {"open 365", "menu 6"}, {"Show frmVillage1", "Hide frmDiffusion"},
     "MapMode=demo; DaysLeft=320; LogCount=1"},
    {"the map's Go Back in talk mode charges nothing", {"open 365", "menu 0", "frmVillage1.Command1"},
     kAfterFarm + farmSteps("Enable"), "MapMode=talk; DaysLeft=320; LogCount=1; showing=frmMain"},
    {"a talk: days box, then hide", {"open 365", "talk 8"},
     std::vector<std::string>{"SetText frmMain.txtDaysLeft 300"} + kAfterFarm,
     "talks8=1; TotalConverted=4; lastLog=Talk to opinion leader (8)  020     300         004      004"},
    {"a talk refused for time: hide, then the message", {"open 64", "talk 1"},
     kAfterFarm + std::vector<std::string>{kNoTime}, "DaysLeft=19; talks1=0; message=1"},
    {"a demonstration refused for time: the message only", {"open 104", "talk 2", "demo 2"}, {kNoTime},
     "DaysLeft=39; demos2=0; showing=frmMain frmVillage1"},
    {"a demonstration before its talk: the message only", {"open 365", "talk 2", "demo 3"},
     {"Message frmMain You must talk to a opinion leader before giving a demonstration"},
     "demos3=0; showing=frmMain frmVillage1"},
    {"a demonstration", {"open 365", "talk 2", "demo 2"},
     std::vector<std::string>{"SetText frmMain.txtDaysLeft 260"} + kAfterFarm,
     "demos2=1; TotalConverted=4; lastLog=Give a demonstration (2)    040     260         002      004"},
    {"a second demonstration: the message, then hide", {"open 365", "talk 2", "demo 2", "demo 2"},
     {"Message frmMain You may only have one demonstration at each farm", "Hide frmVillage1", "Activate frmMain"},
     "demos2=1; DaysLeft=260; showing=frmMain"},
    {"a second demonstration without the days: time first", {"open 125", "talk 2", "demo 2", "demo 2"}, {kNoTime},
     "DaysLeft=20; showing=frmMain frmVillage1"},
    {"an advanced demonstration", {"open 365", "menu 1", "menu 5", "talk 6", "demo 6"},
     std::vector<std::string>{"SetText frmMain.txtDaysLeft 220"} + kAfterFarm, "TotalConverted=17"},
    {"the sixth talk with leader 6", {"open 365", "talk 6", "talk 6", "talk 6", "talk 6", "talk 6", "talk 6"},
     std::vector<std::string>{"SetText frmMain.txtDaysLeft 200"} + kAfterFarm,
     "talks6=6; TotalConverted=9; lastLog=Talk to opinion leader (6)  020     200         000      009"},
    {"the sixth talk with leader 7", {"open 365", "talk 7", "talk 7", "talk 7", "talk 7", "talk 7", "talk 7"},
     std::vector<std::string>{"SetText frmMain.txtDaysLeft 200"} + kAfterFarm, "talks7=6; TotalConverted=9"},
    {"the seventh talk with one leader still costs 20 days",
     {"open 365", "talk 3", "talk 3", "talk 3", "talk 3", "talk 3", "talk 3", "talk 3"},
     std::vector<std::string>{"SetText frmMain.txtDaysLeft 180"} + kAfterFarm,
     "talks3=6; TotalConverted=8; LogCount=8; lastLog=Talk to opinion leader (3)  020     180         000      008"},
    {"talks with leaders 9 and 10 give leader 8 no bonus", {"open 365", "talk 9", "talk 10", "talk 8"},
     std::vector<std::string>{"SetText frmMain.txtDaysLeft 260"} + kAfterFarm, "TotalConverted=14"},
    {"one demonstration of the two gives no bonus", {"open 365", "talk 9", "demo 9", "talk 10", "talk 8"},
     std::vector<std::string>{"SetText frmMain.txtDaysLeft 220"} + kAfterFarm, "TotalConverted=20"},
    {"both demonstrations give leader 8 the bonus", {"open 365", "talk 9", "demo 9", "talk 10", "demo 10", "talk 8"},
     std::vector<std::string>{"SetText frmMain.txtDaysLeft 180"} + kAfterFarm,
     "TotalConverted=29; lastLog=Talk to opinion leader (8)  020     180         004      029"},

    // The map's view-only mode
    {"Map Display disables the farms in order, then shows the map", {"setup 365", "frmMain.cmdMapDisplay"},
     farmSteps("Disable") + std::vector<std::string>{"Show frmVillage1"},
     "farms=0000000000; frmMain.cmdDiffusion.enabled=0; DaysLeft=320; MapMode="},
    {"the talk button does not enable the farms", {"open 365", "frmMain.cmdMapDisplay", "menu 0"},
     {"Show frmVillage1", "Hide frmDiffusion"}, "farms=0000000000; MapMode=talk"},
    {"so a farm cannot be clicked", {"open 365", "frmMain.cmdMapDisplay", "menu 0", "frmVillage1.cmdV1_3"}, {},
     "talks3=0"},
    {"Map Display over the map in talk mode", {"open 365", "menu 0", "frmMain.cmdMapDisplay", "frmVillage1.cmdV1_3"},
     {}, "farms=0000000000; talks3=0"},
    {"Go Back ends view-only mode", {"open 365", "frmMain.cmdMapDisplay", "frmVillage1.Command1"},
     kAfterFarm + farmSteps("Enable"), "farms=1111111111"},
    {"the map's close box ends it too", {"open 365", "frmMain.cmdMapDisplay", "close frmVillage1", "menu 0"},
     {"Show frmVillage1", "Hide frmDiffusion"}, "farms=1111111111"},
    {"no farm beyond the ten", {"open 365", "menu 0", "frmVillage1.cmdV1_11"}, {}, ""},
    {"no farm 0", {"open 365", "menu 0", "frmVillage1.cmdV1_0"}, {}, ""},

    // Feedback and the grade
    {"a single log line, no grade with 10 days left", {"open 55", "frmMain.cmdFeedback"},
     kFeedbackSteps + std::vector<std::string>{"SetLines frmFeedback.List1 (1)", "SetText frmMain.txtDaysLeft 10"},
     "frmFeedback.lblScore=; frmFeedback.lblScoreText="},
    {"the grade with 9 days left", {"open 54", "frmMain.cmdFeedback"},
     std::vector<std::string>{"SetText frmFeedback.lblScore 0 ", "SetText frmFeedback.lblScoreText is your grade.",
                              "Show frmFeedback.cmdDebrief"}
         + kFeedbackSteps + std::vector<std::string>{"SetLines frmFeedback.List1 (1)", "SetText frmMain.txtDaysLeft 9"},
     "frmFeedback.lblScore=0 ; frmFeedback.lblScoreText=is your grade."},
    {"the grade after the feedback was discarded by its close box",
     {"open 85", "talk 9", "talk 9", "frmMain.cmdFeedback", "close frmFeedback", "frmMain.cmdFeedback"},
     std::vector<std::string>{"SetText frmFeedback.lblScore 6 ", "SetText frmFeedback.lblScoreText is your grade.",
                              "Show frmFeedback.cmdDebrief"}
         + kFeedbackSteps + std::vector<std::string>{"SetLines frmFeedback.List1 (3)", "SetText frmMain.txtDaysLeft 0"},
     "frmFeedback.lblScore=6 ; TotalConverted=11"},
    {"no Debrief before the grade: its button is hidden", {"open 365", "frmMain.cmdFeedback", "frmFeedback.cmdDebrief"},
     {}, "frmDebrief.exists=0"},
    {"the debrief beside the grade", {"open 54", "frmMain.cmdFeedback", "frmFeedback.cmdDebrief"},
     {"SetText frmDebrief.lblConverted You converted 0 households.",
      "SetText frmDebrief.lblBestPlan The best plan for your 54 days converts 0 households.",
      "SetText frmDebrief.lblTarget Your target was 50% of the village.",
      "SetText frmDebrief.lblVerdict Not even the best plan reaches it.", "SetChart frmDebrief.picChart (0)",
      "SetFont frmDebrief.lstPlan Courier New 11", "SetLines frmDebrief.lstPlan (1)", "Show frmDebrief"},
     "showing=frmMain frmFeedback frmDebrief"},
    {"the feedback's close box", {"open 365", "frmMain.cmdFeedback", "close frmFeedback"},
     {"Discard frmFeedback", "Activate frmMain"}, "frmFeedback.exists=0; showing=frmMain"},
    {"the feedback's Go Back keeps the window", {"open 365", "frmMain.cmdFeedback", "frmFeedback.Command7"},
     {"Hide frmFeedback", "Activate frmMain"}, "frmFeedback.exists=1"},

    // The about box and the focus
    {"the about box", {"setup 365", "frmMain.CommandAbout"}, kAboutSteps, "showing=frmMain frmAbout"},
    {"the about box open already", {"setup 365", "frmMain.CommandAbout", "frmMain.CommandAbout"}, {"Show frmAbout"}, ""},
    {"the about box after OK is built again", {"setup 365", "frmMain.CommandAbout", "frmAbout.cmdOK", "frmMain.CommandAbout"},
     kAboutSteps, ""},
    {"the about box after its close box is built again",
     {"setup 365", "frmMain.CommandAbout", "close frmAbout", "frmMain.CommandAbout"}, kAboutSteps, ""},
    {"the window shown before gets the focus back", {"open 365", "frmMain.cmdFeedback", "frmMain.CommandAbout", "frmAbout.cmdOK"},
     {"Discard frmAbout", "Activate frmFeedback"}, "showing=frmMain frmFeedback; frmAbout.exists=0"},
    {"a window hidden beneath another leaves the focus", {"open 365", "frmMain.cmdFeedback", "frmMain.CommandAbout",
                                                         "frmFeedback.Command7"},
     {"Hide frmFeedback"}, "showing=frmMain frmAbout"},
    {"a shown window comes last", {"open 365", "frmMain.cmdFeedback", "frmMain.CommandAbout", "frmMain.cmdFeedback"},
     kFeedbackSteps + std::vector<std::string>{"SetLines frmFeedback.List1 (1)", "SetText frmMain.txtDaysLeft 320"},
     "showing=frmMain frmAbout frmFeedback"},

    // Ending, and events that cannot happen
    {"Quit Game with other windows open", {"open 365", "menu 0", "frmMain.CommandAbout", "frmMain.cmdInformation",
                                           "frmMain.cmdQuit"},
     {"EndProgram"}, "ended=1; showing="},
    {"Quit Game on the feedback", {"open 365", "frmMain.cmdFeedback", "frmFeedback.cmdQuit"}, {"EndProgram"}, "ended=1"},
    {"the main screen's close box", {"setup 365", "close frmMain"}, {"EndProgram"}, "ended=1"},
    {"the setup's close box", {"Main", "close frmIntro"}, {"EndProgram"}, "ended=1; showing="},
    {"nothing after the end", {"open 365", "frmMain.cmdQuit", "frmMain.cmdInformation"}, {}, "ended=1"},
    {"nothing after the end, not even a close box", {"setup 365", "close frmMain", "close frmMain"}, {}, ""},
    {"a window not showing", {"open 365", "frmDiffusion.Command1"}, {}, "LogCount=1"},
    {"a window hidden", {"open 365", "menu 7", "frmDiffusion.Command1"}, {}, "LogCount=1"},
    {"a close box of a window not showing", {"open 365", "close frmInformation"}, {}, "frmInformation.exists=1"},
    {"a button while a message is open", {"open 54", "menu 3", "frmMain.cmdInformation"}, {}, "message=1"},
    {"a close box while a message is open", {"open 54", "menu 3", "close frmMain"}, {}, "ended=0"},
    {"a farm while a message is open", {"open 365", "talk 2", "demo 3", "frmVillage1.cmdV1_2"}, {}, "demos2=0"},
    {"a farm after the message closed", {"open 365", "talk 2", "demo 3", "OK", "frmVillage1.cmdV1_2"},
     std::vector<std::string>{"SetText frmMain.txtDaysLeft 260"} + kAfterFarm, "demos2=1"},
};

// "key=value; key=value" as pairs.
std::vector<std::pair<std::string, std::string>> facts(const std::string &text)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find("; ", at), text.size()), equals = text.find('=', at);
        pairs.emplace_back(text.substr(at, equals - at), text.substr(equals + 1, end - equals - 1));
        at = end + 2;
    }
    return pairs;
}

} // namespace

TEST_CASE("event sequences give their steps, in order, and their state")
{
    for (const Case &c : kCases) {
        CAPTURE(c.name);
        std::vector<std::string> events;
        for (const std::string &event : c.events)
            events = events + expand(event);
        Program program, before;
        Monkey::Invariants invariants;
        std::vector<std::string> steps;
        for (const std::string &event : events) {
            CAPTURE(event);
            before = program;
            const Steps played = play(program, event);
            invariants.check(before, program, played);
            steps.clear();
            for (const Step &step : played)
                steps.push_back(StepText(step));
        }
        CHECK(steps == c.steps);
        if (c.steps.empty())
            CHECK(Monkey::SameProgram(before, program));
        for (const auto &expected : facts(c.facts))
            CHECK_MESSAGE(fact(program, expected.first) == expected.second, expected.first);
        CHECK(invariants.violations == std::vector<std::string>{});
    }
}

TEST_CASE("events by name: every control of the table, and no other")
{
    Program program;
    program.Main();
    CHECK(program.Press(Window::frmIntro, "cmdNothing").empty());
    CHECK(program.Press(Window::frmIntro, "txtName", {"Ann", "365", "50"}).size() == 3);
    CHECK(program.Press(Window::frmMain, "cmdInformation").size() == 6);
    CHECK(program.Press(Window::frmMain, "cmdNothing").empty());
    // A farm button's event is given its farm; a control array's members are numbered from 1.
    program.Press(Window::frmMain, "cmdDiffusion");
    program.Press(Window::frmDiffusion, "Command0");
    for (const char *none : {"cmdV1", "cmdV1_", "cmdV1_0", "cmdV1_11", "cmdV1_1x"})
        CHECK(program.Press(Window::frmVillage1, none).empty());
    // Called directly, the farm event takes no farm but 1..10.
    for (int farm : {0, 11, -1})
        CHECK(program.frmVillage1_cmdV1_Click(farm).empty());
    CHECK(program.Press(Window::frmVillage1, "cmdV1_10").size() == 3);
    CHECK(program.state().LeaderTalkCount[10] == 1);
}

TEST_CASE("steps as the browser's page reads them")
{
    const std::pair<Step, std::string_view> kCases[] = {
        {{.kind = StepKind::Show, .window = Window::frmMain}, R"({"kind":"Show","window":"frmMain"})"},
        {{.kind = StepKind::SetText, .window = Window::frmMain, .control = "cmdDiffusion"},
         R"({"kind":"SetText","window":"frmMain","control":"cmdDiffusion","text":""})"},
        {{.kind = StepKind::Message, .window = Window::frmIntro, .text = "a \"b\"\\\n\x01"},
         R"({"kind":"Message","window":"frmIntro","text":"a \"b\"\\\u000a\u0001"})"},
        {{.kind = StepKind::SetVisible, .window = Window::frmFeedback, .control = "cmdDebrief", .visible = true},
         R"({"kind":"SetVisible","window":"frmFeedback","control":"cmdDebrief","visible":true})"},
        {{.kind = StepKind::SetEnabled, .window = Window::frmVillage1, .control = "cmdV1_2"},
         R"({"kind":"SetEnabled","window":"frmVillage1","control":"cmdV1_2","enabled":false})"},
        {{.kind = StepKind::SetFont, .window = Window::frmFeedback, .control = "List1", .font = "Courier New", .size = 11},
         R"({"kind":"SetFont","window":"frmFeedback","control":"List1","font":"Courier New","size":11.000000})"},
        {{.kind = StepKind::SetLines, .window = Window::frmDebrief, .control = "lstPlan", .lines = {"a", "b"}},
         R"({"kind":"SetLines","window":"frmDebrief","control":"lstPlan","lines":["a","b"]})"},
        {{.kind = StepKind::SetChart, .window = Window::frmDebrief, .control = "picChart",
          .chart = {2, 3, {{0, 1, 2, 1, LineStyle::Dashed}}, {{1, 2, TextAnchor::End, "9"}}}, .description = "d"},
         R"({"kind":"SetChart","window":"frmDebrief","control":"picChart","chart":{"width":2,"height":3,)"
         R"("lines":[[0,1,2,1,"dashed"]],"texts":[[1,2,"end","9"]]},"description":"d"})"},
    };
    for (const auto &[step, json] : kCases)
        CHECK(StepsAsJson({step}) == "[" + std::string(json) + "]");
    CHECK(StepsAsJson({}) == "[]");
}

TEST_CASE("in another language the feedback's headings keep every letter, at every size the log takes")
{
    // The long made-up language shrinks the log's font down to its smallest size.
    std::string headings;
    for (const char *heading : {"%Converted", "Action", "Days", "Left", "Total", "Used"})
        headings += std::string(headings.empty() ? "" : "\n") + "log heading\t" + heading;
    REQUIRE(UsePseudoLanguage(headings, kLongPseudoLanguage));
    Program program;
    for (const std::string &event : expand("open 365") + std::vector<std::string>{"frmMain.cmdFeedback"})
        for (const Step &step : play(program, event))
            if (step.kind == StepKind::SetText && step.control == "Label1")
                CHECK(step.text.rfind(std::string(Tr("log heading", "Action")), 0) == 0);
    CHECK(program.window(Window::frmFeedback).control("Label1").textSet);
    UseCatalog({}, {});
}

TEST_CASE("where a label grows: up to the next control beside it and below it, or the window's edge")
{
    const struct {
        std::string_view window, control;
        Room room;
    } cases[] = {
        {"frmMain", "Label6", {219, 52, 416 - kGrowingGap - 219, 96 - kGrowingGap - 52}},  // the days box, the next label
        {"frmAbout", "lblDescription", {72, 80, 382 - kGrowingGap - 72, 175 - kGrowingGap - 80}},  // the edge, OK
        {"frmMain", "cmdNothing", {}},
    };
    for (const auto &row : cases) {
        INFO(row.window, ".", row.control);
        CHECK(RoomToGrow(row.window, row.control) == row.room);
    }
}
