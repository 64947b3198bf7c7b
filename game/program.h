// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The running program as the player sees it: the game, and what its windows
// keep between showings. Every player event is one function here; it changes
// the game and returns the screen steps a front end plays, in order. A front
// end only renders steps: it never decides what an event does.

#include "chart.h"
#include "rules.h"
#include "startup.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Startup {

enum class Window { frmIntro, frmMain, frmDiffusion, frmVillage1, frmInformation, frmFeedback, frmAbout, frmDebrief };
inline constexpr int kWindows = 8;
// The window's name, as its design file names it ("frmMain").
std::string_view WindowName(Window window);

enum class StepKind {
    Show,       // shows the window, not modal (building it from its design first if it
                // does not exist), brings it to the front and gives it the keyboard
                // focus
    Hide,       // hides the window; it keeps its controls as they are
    Discard,    // the window is gone; its next showing builds it afresh from its
                // design
    Activate,   // gives the keyboard focus back to a showing window
    Message,    // a modal message box over the window: the text and one OK button;
                // the steps after it wait for its OK, and the front end then calls
                // MessageClosed
    SetText,    // the control's text or caption; with no control, the window's
                // caption
    SetEnabled, // enables or disables the control
    SetVisible, // shows or hides the control (`enabled` says which)
    SetChart,   // the chart control draws `chart`; `text` describes it for screen readers
    SetFont,    // the control's font: family `text`, `size` points
    SetLines,   // the list control holds exactly `lines`
    Focus,      // the keyboard focus goes to the control
    EndProgram, // the program ends at once: every window closes, nothing is asked
                // or saved
};

struct Step {
    StepKind kind{};
    Window window{};
    std::string control{};
    std::string text{};
    bool enabled = false;
    double size = 0;
    std::vector<std::string> lines{};
    ChartDrawing chart{};

    bool operator==(const Step &) const = default;
};
using Steps = std::vector<Step>;

// What the three boxes of the setup screen hold when OK or Enter is pressed.
struct SetupTexts {
    std::string name;
    std::string days;
    std::string percent;
};

// One control as the steps left it; a control never touched is as designed.
struct ControlState {
    std::string text;
    bool textSet = false;
    bool enabled = true;
    std::optional<bool> visible;  // as designed until a step says
    std::string font;
    double size = 0;
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

class Program {
public:
    Program();

    // Start-up: locks the main screen's game buttons, builds the action table,
    // shows the setup screen.
    Steps Main();

    // The setup screen: OK, and a character key in one of its boxes (13 is Enter,
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
    // The about box's OK, also Enter and Esc.
    Steps frmAbout_cmdOK_Click();

    // The close box of a window's frame.
    Steps Form_Close(Window window);

    // The player pressed OK on the message box the last steps showed.
    void MessageClosed();

    // Any event by the window and control it belongs to, as a front end that
    // knows controls by name sends it: a button's click ("cmdV1_3" is farm 3),
    // or Enter in a setup box ("txtName", "txtDays", "txtPercent"); `typed` is
    // read only by the setup screen. An unknown control changes nothing.
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
    void setLogFont(Window window, std::string_view list);
    void carryOutMediaActivity(MediaActivity activity);
    void openMap(std::string_view mode);
    void loadAbout();
    // Plays an event's action if the event may happen now; gives the steps it
    // wrote.
    template <class Action> Steps event(Window window, std::string_view control, Action action)
    {
        if (!accepts(window, control))
            return {};
        action();
        return std::exchange(steps, {});
    }

    GameState game;
    std::int16_t typedDays = 0;
    std::array<WindowState, kWindows> windows;
    std::vector<Window> order;
    bool awaitingOK = false;
    bool programEnded = false;
    Steps steps;
};

} // namespace Startup
