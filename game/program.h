// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The running program as the player sees it: the game, and what its windows
// keep between showings. Every player event is one function here; it changes
// the game and returns the screen steps a front end plays, in order. Front ends
// send a control's event through the events table at the end (Press, or a
// row's play), which refuses an event that cannot happen now. A front end only
// renders steps: it never decides what an event does.

#include "chart.h"
#include "classroom.h"
#include "rules.h"
#include "startup.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace Startup {

// The windows, each made from its design file "NAME.ui".
enum class Window { frmIntro, frmMain, frmDiffusion, frmVillage1, frmInformation, frmFeedback, frmAbout, frmDebrief, Count };
inline constexpr int kWindows = static_cast<int>(Window::Count);
inline constexpr std::string_view kWindowNames[] = {
    "frmIntro", "frmMain", "frmDiffusion", "frmVillage1", "frmInformation", "frmFeedback", "frmAbout", "frmDebrief",
};
static_assert(std::size(kWindowNames) == kWindows);
// The window's name, as its design file names it ("frmMain"), and the window of a name.
constexpr std::string_view WindowName(Window window) { return kWindowNames[static_cast<int>(window)]; }
std::optional<Window> WindowNamed(std::string_view name);

enum class StepKind {
    Show,       // shows the window, not modal (building it from its design first if it
                // does not exist), brings it to the front and gives it the keyboard
                // focus
    Hide,       // hides the window; it keeps its controls as they are
    Discard,    // the window is gone; its next showing builds it afresh from its
                // design
    Activate,   // gives the keyboard focus back to a showing window
    Message,    // a modal message box over the window: `text` and one OK button;
                // the steps after it wait for its OK, and the front end then calls
                // MessageClosed
    SetText,    // the control's `text` or caption; with no control, the window's
                // caption
    SetEnabled, // enables or disables the control (`enabled`)
    SetVisible, // shows or hides the control (`visible`)
    SetChart,   // the chart control draws `chart`; `description` tells it to screen readers
    SetFont,    // the control's font: family `font`, `size` points, bold or regular
    SetLines,   // the list control holds exactly `lines`
    Focus,      // the keyboard focus goes to the control
    EndProgram, // the program ends at once: every window closes, nothing is asked
                // or saved
    Print,      // the player asked to print the debrief: the front end lays out
                // `printout` on a page, with the date, and prints it
    Count
};
inline constexpr int kStepKinds = static_cast<int>(StepKind::Count);
// Each kind's name, as the steps are written for other programs and in tests.
inline constexpr std::string_view kStepKindNames[] = {
    "Show", "Hide", "Discard", "Activate", "Message", "SetText", "SetEnabled",
    "SetVisible", "SetChart", "SetFont", "SetLines", "Focus", "EndProgram", "Print",
};
static_assert(std::size(kStepKindNames) == kStepKinds);

// One screen step; a kind uses only the fields its comment names.
struct Step {
    StepKind kind{};
    Window window{};
    std::string control{};      // the control's name; empty for the window itself
    std::string text{};         // Message, SetText
    bool enabled = false;       // SetEnabled
    bool visible = false;       // SetVisible
    std::string font{};         // SetFont: the family
    double size = 0;            // SetFont: points
    bool bold = false;          // SetFont
    std::vector<std::string> lines{};  // SetLines
    bool inColumns = false;     // SetText, SetLines: fixed-width lines, each run of TextRuns at its column
    ChartDrawing chart{};       // SetChart
    std::string description{};  // SetChart
    Printout printout{};        // Print

    bool operator==(const Step &) const = default;
};
using Steps = std::vector<Step>;

// What the three boxes of the setup screen hold when OK or Enter is pressed.
struct SetupTexts {
    std::string name;
    std::string days;
    std::string percent;
};
// The setup screen's boxes by name, and what each holds.
inline constexpr std::string_view kNameBox = "txtName", kDaysBox = "txtDays", kPercentBox = "txtPercent";
inline constexpr std::pair<std::string_view, std::string SetupTexts::*> kSetupBoxes[] = {
    {kNameBox, &SetupTexts::name},
    {kDaysBox, &SetupTexts::days},
    {kPercentBox, &SetupTexts::percent},
};
// The setup screen's reading of its days and percentage boxes: the number, or
// none for a text it refuses.
std::optional<std::int16_t> ReadTypedDays(std::string_view text);
std::optional<std::int16_t> ReadTypedPercent(std::string_view text);

// One control as the steps left it; a control never touched is as designed.
struct ControlState {
    std::string text;
    bool textSet = false;
    bool enabled = true;
    std::optional<bool> visible;  // as designed until a step says
    std::string font;
    double size = 0;
    bool bold = false;
    std::vector<std::string> lines;

    bool operator==(const ControlState &) const = default;
};

// One window as the steps left it.
struct WindowState {
    bool exists = false;
    bool showing = false;
    std::map<std::string, ControlState, std::less<>> controls; // by control name; "" is the caption

    // The control's state, or its design state if no step touched it.
    const ControlState &control(std::string_view name) const;
    bool operator==(const WindowState &) const = default;
};

inline constexpr int kEnterKey = 13;

class Program {
public:
    Program();

    // Start-up: locks the main screen's game buttons, builds the action table,
    // shows the setup screen.
    Steps Main();

    // The setup screen: OK, and a character key in one of its boxes (kEnterKey,
    // which acts as OK).
    Steps frmIntro_cmdNameOK_Click(const SetupTexts &typed);
    Steps frmIntro_KeyPress(int KeyAscii, const SetupTexts &typed);

    // The main screen.
    Steps frmMain_cmdInformation_Click();
    Steps frmMain_cmdDiffusion_Click();
    Steps frmMain_cmdMapDisplay_Click();
    Steps frmMain_cmdFeedback_Click();
    Steps frmMain_CommandAbout_Click();
    Steps frmMain_cmdQuit_Click();

    // The action menu: Command0 talk, Command1..5 the media and group activities,
    // Command6 demonstration, Command7 Go Back.
    Steps frmDiffusion_Command0_Click();
    Steps frmDiffusion_Command1_Click();
    Steps frmDiffusion_Command2_Click();
    Steps frmDiffusion_Command3_Click();
    Steps frmDiffusion_Command4_Click();
    Steps frmDiffusion_Command5_Click();
    Steps frmDiffusion_Command6_Click();
    Steps frmDiffusion_Command7_Click();

    // The village map: a farm (1..10), and Go Back.
    Steps frmVillage1_cmdV1_Click(int Index);
    Steps frmVillage1_Command1_Click();

    Steps frmInformation_Command7_Click();
    Steps frmFeedback_Command7_Click();
    Steps frmFeedback_cmdQuit_Click();
    // The feedback screen's Debrief, shown with the grade, and the debrief's Go Back.
    Steps frmFeedback_cmdDebrief_Click();
    Steps frmDebrief_Command7_Click();
    // The debrief's Print: the printout of the debrief as it stands.
    Steps frmDebrief_cmdPrint_Click();
    // The about box's OK, also Enter and Esc.
    Steps frmAbout_cmdOK_Click();

    // The close box of a window's frame.
    Steps Form_Close(Window window);

    // The player pressed OK on the message box the last steps showed.
    void MessageClosed();

    // After the language changed (game/language.h): every text the steps have
    // set that depends on the language, set again in the language now in use,
    // from the game as it stands. A front end first shows its windows' design
    // texts in the new language; texts the steps set that do not depend on the
    // language (the days left, what the setup boxes hold) stay as they are.
    Steps Retranslate();
    // The chart step a Debrief press would give now, for the page to draw ahead
    // while idle; it changes nothing.
    Step DebriefChartAhead() const;

    // Any event of the events table below by the window and control it belongs
    // to: a button's click ("cmdV1_3" is farm 3), or Enter in a setup box;
    // `typed` is read only by the setup screen. An unknown control changes nothing.
    Steps Press(Window window, std::string_view control, const SetupTexts &typed = {});

    const GameState &state() const { return game; }
    // The days the setup screen accepted, before the information's days were
    // charged.
    std::int16_t daysTyped() const { return typedDays; }
    const WindowState &window(Window which) const { return windows[static_cast<int>(which)]; }
    // The showing windows, in the order they were last shown.
    const std::vector<Window> &showingOrder() const { return order; }
    bool messageOpen() const { return awaitingOK; }
    bool ended() const { return programEnded; }

    // Whether an event of this control (or, with none, of the window's close box)
    // may happen now: its window shows, the control is enabled and shown, no
    // message is open and the program has not ended.
    bool accepts(Window window, std::string_view control = {}) const;

private:
    // Steps are applied to the windows' state as they are written.
    void show(Window window);
    void hide(Window window);
    void discard(Window window);
    void message(Window over, std::string_view text);
    void setText(Window window, std::string_view control, std::string_view text);
    void setEnabled(Window window, std::string_view control, bool enabled);
    void endProgram();
    void write(Step step);

    void setGameButtonsLocked(bool locked);
    void setFarmButtonsEnabled(bool enabled);
    void refreshDaysLeft();
    // The activity log's fixed-pitch font, on a list that shows log lines.
    void setLogFont(Window window, std::string_view list, double size);
    // The feedback screen's grade text, log and headings, the log as its first
    // `records` records; an opening also shows the Debrief button with the grade
    // and the window.
    void fillFeedback(std::size_t records, bool grade, bool opening);
    // The debrief's sentences, chart and best plan, for the game as it was.
    void fillDebrief(const GameState &as);
    void carryOutMediaActivity(Activity activity);
    void openMap(std::string_view mode);
    void loadAbout();
    // Plays an event's action; gives the steps it wrote.
    template <class Action> Steps event(Action action)
    {
        action();
        return std::exchange(steps, {});
    }

    GameState game;
    std::int16_t typedDays = 0;
    std::size_t feedbackRecords = 0;       // the log records the feedback screen lists
    std::optional<GameState> debriefed;    // the game the debrief shows
    std::array<WindowState, kWindows> windows;
    std::vector<Window> order;
    bool awaitingOK = false;
    bool programEnded = false;
    Steps steps;
};

// --- The events table: every player event but start-up, the close boxes and a
// message's OK, by the window and control it belongs to.

// What an event is given besides its window: the member's number in a control
// array (1..members), and what the setup screen's boxes hold.
struct EventInput {
    int index = 0;
    SetupTexts typed{};
};

// A row's `play` is the event as it happens: refused, with no step, unless
// Program::accepts its control now; else the Program member's steps.
struct EventRow {
    Window window;
    std::string_view control;  // a control array's members are named "control_1" .. "control_members"
    int members;               // 0 for a single control
    bool readsSetupBoxes;      // the event is given what the setup screen's boxes hold
    bool enterInBox;           // the event is Enter in a text box, not a button's click
    Steps (*call)(Program &, const EventInput &);

    Steps play(Program &program, const EventInput &input) const;
};

// The row that calls the Program member with what its parameters ask for: none,
// the member's number, the setup boxes' texts, or a key (Enter) and those texts.
template <auto Member> constexpr EventRow On(Window window, std::string_view control, int members = 0)
{
    using Click = Steps (Program::*)();
    using Indexed = Steps (Program::*)(int);
    using Typed = Steps (Program::*)(const SetupTexts &);
    using Key = Steps (Program::*)(int, const SetupTexts &);
    using M = decltype(Member);
    static_assert(std::is_same_v<M, Click> || std::is_same_v<M, Indexed> || std::is_same_v<M, Typed>
                  || std::is_same_v<M, Key>);
    return {window, control, members, std::is_same_v<M, Typed> || std::is_same_v<M, Key>, std::is_same_v<M, Key>,
            [](Program &program, const EventInput &input) {
                if constexpr (std::is_same_v<M, Click>)
                    return (program.*Member)();
                else if constexpr (std::is_same_v<M, Indexed>)
                    return (program.*Member)(input.index);
                else if constexpr (std::is_same_v<M, Typed>)
                    return (program.*Member)(input.typed);
                else
                    return (program.*Member)(kEnterKey, input.typed);
            }};
}

inline constexpr EventRow kEvents[] = {
    On<&Program::frmIntro_cmdNameOK_Click>(Window::frmIntro, "cmdNameOK"),
    On<&Program::frmIntro_KeyPress>(Window::frmIntro, kNameBox),
    On<&Program::frmIntro_KeyPress>(Window::frmIntro, kDaysBox),
    On<&Program::frmIntro_KeyPress>(Window::frmIntro, kPercentBox),
    On<&Program::frmMain_cmdInformation_Click>(Window::frmMain, "cmdInformation"),
    On<&Program::frmMain_cmdDiffusion_Click>(Window::frmMain, "cmdDiffusion"),
    On<&Program::frmMain_cmdMapDisplay_Click>(Window::frmMain, "cmdMapDisplay"),
    On<&Program::frmMain_cmdFeedback_Click>(Window::frmMain, "cmdFeedback"),
    On<&Program::frmMain_CommandAbout_Click>(Window::frmMain, "CommandAbout"),
    On<&Program::frmMain_cmdQuit_Click>(Window::frmMain, "cmdQuit"),
    On<&Program::frmDiffusion_Command0_Click>(Window::frmDiffusion, "Command0"),
    On<&Program::frmDiffusion_Command1_Click>(Window::frmDiffusion, "Command1"),
    On<&Program::frmDiffusion_Command2_Click>(Window::frmDiffusion, "Command2"),
    On<&Program::frmDiffusion_Command3_Click>(Window::frmDiffusion, "Command3"),
    On<&Program::frmDiffusion_Command4_Click>(Window::frmDiffusion, "Command4"),
    On<&Program::frmDiffusion_Command5_Click>(Window::frmDiffusion, "Command5"),
    On<&Program::frmDiffusion_Command6_Click>(Window::frmDiffusion, "Command6"),
    On<&Program::frmDiffusion_Command7_Click>(Window::frmDiffusion, "Command7"),
    On<&Program::frmVillage1_cmdV1_Click>(Window::frmVillage1, "cmdV1", kFarms),
    On<&Program::frmVillage1_Command1_Click>(Window::frmVillage1, "Command1"),
    On<&Program::frmInformation_Command7_Click>(Window::frmInformation, "Command7"),
    On<&Program::frmFeedback_Command7_Click>(Window::frmFeedback, "Command7"),
    On<&Program::frmFeedback_cmdQuit_Click>(Window::frmFeedback, "cmdQuit"),
    On<&Program::frmFeedback_cmdDebrief_Click>(Window::frmFeedback, "cmdDebrief"),
    On<&Program::frmDebrief_Command7_Click>(Window::frmDebrief, "Command7"),
    On<&Program::frmDebrief_cmdPrint_Click>(Window::frmDebrief, "cmdPrint"),
    On<&Program::frmAbout_cmdOK_Click>(Window::frmAbout, "cmdOK"),
};

// The name of a row's control, or of member `index` of its control array ("cmdV1_3").
std::string ControlName(const EventRow &row, int index = 0);

} // namespace Startup
