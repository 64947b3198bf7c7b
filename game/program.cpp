// SPDX-License-Identifier: GPL-3.0-or-later
#include "program.h"

#include "debrief.h"
#include "designs.h"
#include "fitting.h"
#include "identity.h"
#include "language.h"
#include "numbers.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace Startup {

namespace {

// A control as its window's design file has it.
constexpr const Designs::Control *designed(Window window, std::string_view control)
{
    for (const Designs::Control &designed : Designs::kControls)
        if (designed.window == WindowName(window) && designed.name == control)
            return &designed;
    return nullptr;
}

constexpr bool everyWindowDesigned()
{
    for (std::string_view name : kWindowNames)
        if (std::find(std::begin(Designs::kWindows), std::end(Designs::kWindows), name) == std::end(Designs::kWindows))
            return false;
    return std::size(Designs::kWindows) == kWindows;
}
static_assert(everyWindowDesigned(), "every window has a design file, and every design file is a window");

bool hiddenAtDesign(Window window, std::string_view control)
{
    const Designs::Control *found = designed(window, control);
    return found && found->hidden;
}

// The debrief's chart is laid out for its box in the design.
constexpr const Designs::Control &kChartBox = *designed(Window::frmDebrief, "picChart");

ChartDrawing debriefChart(const Debrief &debrief)
{
    return LayOutChart(debrief.chart, kChartBox.width, kChartBox.height);
}

Step debriefChartStep(const Debrief &debrief)
{
    return {.kind = StepKind::SetChart, .window = Window::frmDebrief, .control = "picChart",
            .chart = debriefChart(debrief), .description = debrief.chartDescription};
}

// The feedback list shows the log in a fixed-pitch font, set at every opening.
constexpr std::string_view kLogFont = "Courier New";
constexpr double kLogFontSize = 11;
// Its characters are 0.6 of the font's size wide; a list's items begin 4 pixels in.
constexpr double kLogCharacterWidth = 0.6 * 4 / 3;  // pixels per point
constexpr int kListTextInset = 4;

// The feedback screen's list and its two heading labels, the lower one beneath the upper.
constexpr const Designs::Control &kLogList = *designed(Window::frmFeedback, "List1");
constexpr const Designs::Control &kLowerHeading = *designed(Window::frmFeedback, "Label1");
constexpr const Designs::Control &kUpperHeading = *designed(Window::frmFeedback, "Label2");

// The log's lines and headings are drawn in their columns outside English: not
// every script has a fixed-pitch face, and each run then keeps its column.
bool logInColumns() { return CurrentLanguage().code != "en"; }

// The log's size, name column and headings in the language in use: in English
// as designed; in another language the headings are the log's own columns in
// its fixed-pitch font, each row in its heading label, at the largest size from
// the log's own down at which both rows fit their labels, and the list takes
// that size too. The name column widens where the upper row would otherwise
// begin before its label does.
struct LogLayout {
    double size = kLogFontSize;
    std::size_t nameWidth = kLogNameWidth;
    std::string upper, lower;
};

LogLayout layOutLog()
{
    LogLayout layout;
    layout.nameWidth = LogNameWidth();
    if (!logInColumns())
        return layout;
    const double textX = kLogList.x + kListTextInset;
    for (const double size : FontSizesToTry(kLogFontSize, kSmallestTranslatedSize)) {
        const double width = size * kLogCharacterWidth;
        const auto offset = [&](const Designs::Control &label) {
            return static_cast<std::size_t>(std::max(0L, std::lround((label.x - textX) / width)));
        };
        const std::size_t upperOffset = offset(kUpperHeading), lowerOffset = offset(kLowerHeading);
        const std::size_t nameWidth = std::max(layout.nameWidth, upperOffset);
        const LogHeadings headings = LayOutLogHeadings(nameWidth);
        // A label shows its row from where the label starts: the blanks before it go, never a heading's letters.
        const auto from = [](const std::string &row, std::size_t offset) {
            return row.substr(std::min(offset, row.find_first_not_of(' ')));
        };
        const auto fits = [&](const std::string &row, const Designs::Control &label) {
            return TextColumns(row) <= static_cast<std::size_t>(label.width / width);
        };
        layout = {size, nameWidth, from(headings.above, upperOffset), from(headings.below, lowerOffset)};
        if (fits(layout.upper, kUpperHeading) && fits(layout.lower, kLowerHeading))
            break;
    }
    return layout;
}

// The map's farm buttons are the members of the farm event's control array.
std::string farmButton(int farm)
{
    static const EventRow &farms = *std::find_if(std::begin(kEvents), std::end(kEvents), [](const EventRow &row) {
        return row.window == Window::frmVillage1 && row.members == kFarms;
    });
    return ControlName(farms, farm);
}

} // namespace

std::optional<Window> WindowNamed(std::string_view name)
{
    const auto found = std::find(std::begin(kWindowNames), std::end(kWindowNames), name);
    if (found == std::end(kWindowNames))
        return std::nullopt;
    return static_cast<Window>(found - std::begin(kWindowNames));
}

Steps EventRow::play(Program &program, const EventInput &input) const
{
    if (!program.accepts(window, ControlName(*this, input.index)))
        return {};
    return call(program, input);
}

std::string ControlName(const EventRow &row, int index)
{
    std::string name(row.control);
    if (row.members > 0)
        name += "_" + std::to_string(index);
    return name;
}

const ControlState &WindowState::control(std::string_view name) const
{
    static const ControlState design;
    const auto found = controls.find(name);
    return found == controls.end() ? design : found->second;
}

Program::Program() = default;

// --- Steps, applied to the windows' state as they are written
// ----------------------------------

void Program::write(Step step)
{
    WindowState &window = windows[static_cast<int>(step.window)];
    if (step.kind != StepKind::Message && step.kind != StepKind::EndProgram)
        window.exists = true;
    switch (step.kind) {
    case StepKind::SetText: {
        ControlState &control = window.controls[step.control];
        control.text = step.text;
        control.textSet = true;
        break;
    }
    case StepKind::SetEnabled: window.controls[step.control].enabled = step.enabled; break;
    case StepKind::SetVisible: window.controls[step.control].visible = step.visible; break;
    case StepKind::SetFont: {
        ControlState &control = window.controls[step.control];
        control.font = step.font;
        control.size = step.size;
        control.bold = step.bold;
        break;
    }
    case StepKind::SetLines: window.controls[step.control].lines = step.lines; break;
    default: break;
    }
    steps.push_back(std::move(step));
}

void Program::show(Window window)
{
    write({.kind = StepKind::Show, .window = window});
    windows[static_cast<int>(window)].showing = true;
    std::erase(order, window);
    order.push_back(window);
}

// The window shown before a hidden one gets the keyboard focus back.
void Program::hide(Window window)
{
    WindowState &state = windows[static_cast<int>(window)];
    if (!state.exists)
        return;
    write({.kind = StepKind::Hide, .window = window});
    state.showing = false;
    const bool wasLast = !order.empty() && order.back() == window;
    std::erase(order, window);
    if (wasLast && !order.empty())
        write({.kind = StepKind::Activate, .window = order.back()});
}

void Program::discard(Window window)
{
    const bool wasLast = !order.empty() && order.back() == window;
    write({.kind = StepKind::Discard, .window = window});
    windows[static_cast<int>(window)] = WindowState();
    std::erase(order, window);
    if (wasLast && !order.empty())
        write({.kind = StepKind::Activate, .window = order.back()});
}

void Program::message(Window over, std::string_view text)
{
    write({.kind = StepKind::Message, .window = over, .text = std::string(text)});
    awaitingOK = true;
}

void Program::setText(Window window, std::string_view control, std::string_view text)
{
    write({.kind = StepKind::SetText, .window = window, .control = std::string(control), .text = std::string(text)});
}

void Program::setEnabled(Window window, std::string_view control, bool enabled)
{
    write({.kind = StepKind::SetEnabled, .window = window, .control = std::string(control), .enabled = enabled});
}

void Program::endProgram()
{
    write({.kind = StepKind::EndProgram, .window = Window::frmMain});
    programEnded = true;
    order.clear();
    for (WindowState &window : windows)
        window.showing = false;
}

bool Program::accepts(Window window, std::string_view control) const
{
    const WindowState &state = this->window(window);
    if (programEnded || awaitingOK || !state.showing)
        return false;
    if (control.empty())
        return true;
    const ControlState &shown = state.control(control);
    return shown.enabled && shown.visible.value_or(!hiddenAtDesign(window, control));
}

void Program::MessageClosed() { awaitingOK = false; }

// --- Start-up and the setup screen
// -------------------------------------------------------------

void Program::setGameButtonsLocked(bool locked)
{
    for (const char *button : {"cmdDiffusion", "cmdFeedback"}) {
        setEnabled(Window::frmMain, button, !locked);
        // TRANSLATORS: shown on the Diffusion and Feedback buttons of the main screen
        // until the village information has been read: a mark of one character.
        setText(Window::frmMain, button, locked ? Tr("locked button", "X") : "");
    }
}

Steps Program::Main()
{
    if (windows[static_cast<int>(Window::frmIntro)].exists)
        return {};
    setGameButtonsLocked(true);
    BuildActionTable(game);
    setText(Window::frmIntro, kDaysBox, std::to_string(365));
    setText(Window::frmIntro, kPercentBox, std::to_string(100));
    show(Window::frmIntro);
    return std::exchange(steps, {});
}

Steps Program::frmIntro_cmdNameOK_Click(const SetupTexts &typed)
{
    return event([&] {
        // A refusal names the box to fill in again; the focus goes there once the
        // message is read.
        auto refuse = [this](std::string_view box, std::string_view text) {
            message(Window::frmIntro, text);
            write({.kind = StepKind::Focus, .window = Window::frmIntro, .control = std::string(box)});
        };
        if (typed.name.empty())
            return refuse(kNameBox, Tr("message", "Please enter your name"));
        if (typed.days.empty())
            return refuse(kDaysBox, Tr("message", "Please enter a number of days."));
        if (typed.percent.empty())
            return refuse(kPercentBox, Tr("message", "Please enter a percentage."));
        const auto days = ReadTypedDays(typed.days);
        // TRANSLATORS: %1$d and %2$d are the fewest and the most days that may be typed (-32723, 32767).
        if (!days)
            return refuse(kDaysBox, Format(Tr("message", "Please enter a number of days from %1$d to %2$d."),
                                           {long{kFewestDaysTyped}, long{INT16_MAX}}));
        const auto percent = ReadTypedPercent(typed.percent);
        // TRANSLATORS: %1$d and %2$d are the smallest and the largest percentage that may be typed (-32768, 32767).
        if (!percent)
            return refuse(kPercentBox, Format(Tr("message", "Please enter a percentage from %1$d to %2$d."),
                                              {long{INT16_MIN}, long{INT16_MAX}}));

        game.DaysLeft = *days;
        game.TargetPercent = *percent;
        game.PlayerName = typed.name;
        typedDays = *days;
        refreshDaysLeft();
        game.DaysLeft = static_cast<std::int16_t>(game.DaysLeft - kInformationDays);
        hide(Window::frmIntro);
        show(Window::frmMain);
    });
}

std::optional<std::int16_t> ReadTypedDays(std::string_view text)
{
    const auto days = ParseTypedNumber(text);
    return days && *days >= kFewestDaysTyped ? days : std::nullopt;
}

std::optional<std::int16_t> ReadTypedPercent(std::string_view text) { return ParseTypedNumber(text); }

Steps Program::frmIntro_KeyPress(int KeyAscii, const SetupTexts &typed)
{
    return KeyAscii == kEnterKey ? frmIntro_cmdNameOK_Click(typed) : Steps();
}

// --- The main screen
// ---------------------------------------------------------------------------

void Program::setLogFont(Window window, std::string_view list, double size)
{
    write({.kind = StepKind::SetFont, .window = window, .control = std::string(list), .font = std::string(kLogFont),
           .size = size});
}

void Program::refreshDaysLeft() { setText(Window::frmMain, "txtDaysLeft", std::to_string(game.DaysLeft)); }

// The first view opens the game: the locked game buttons are its only record.
Steps Program::frmMain_cmdInformation_Click()
{
    return event([&] {
        show(Window::frmInformation);
        refreshDaysLeft();
        if (!window(Window::frmMain).control("cmdDiffusion").enabled) {
            setGameButtonsLocked(false);
            LogInformationViewed(game);
        }
    });
}

Steps Program::frmMain_cmdDiffusion_Click()
{
    return event([&] {
        show(Window::frmDiffusion);
        refreshDaysLeft();
    });
}

// All farm buttons disabled is the map's view-only mode.
void Program::setFarmButtonsEnabled(bool enabled)
{
    for (int farm = 1; farm <= kFarms; ++farm)
        setEnabled(Window::frmVillage1, farmButton(farm), enabled);
}

Steps Program::frmMain_cmdMapDisplay_Click()
{
    return event([&] {
        setFarmButtonsEnabled(false);
        show(Window::frmVillage1);
    });
}

Steps Program::frmMain_cmdFeedback_Click()
{
    return event([&] {
        if (GradeIsShown(game))
            setText(Window::frmFeedback, "lblScore", std::to_string(ComputeGrade(game)) + ' ');
        fillFeedback(game.ActivityLog.size(), GradeIsShown(game), true);
        refreshDaysLeft();
    });
}

void Program::fillFeedback(std::size_t records, bool grade, bool opening)
{
    feedbackRecords = records;
    if (grade) {
        // TRANSLATORS: shown beneath the grade, a number in large print ("38").
        setText(Window::frmFeedback, "lblScoreText", Tr("feedback", "is your grade."));
        if (opening)
            write({.kind = StepKind::SetVisible, .window = Window::frmFeedback, .control = "cmdDebrief", .visible = true});
    }
    if (opening)
        show(Window::frmFeedback);
    const LogLayout layout = layOutLog();
    setLogFont(Window::frmFeedback, kLogList.name, layout.size);
    const bool designed = layout.lower.empty();
    for (const auto &[label, text] : {std::pair{&kLowerHeading, &layout.lower}, std::pair{&kUpperHeading, &layout.upper}}) {
        if (designed && !window(Window::frmFeedback).control(label->name).textSet)
            continue;
        write({.kind = StepKind::SetFont, .window = Window::frmFeedback, .control = std::string(label->name),
               .font = std::string(designed ? label->family : kLogFont), .size = designed ? label->size : layout.size,
               .bold = designed && label->bold});
        write({.kind = StepKind::SetText, .window = Window::frmFeedback, .control = std::string(label->name),
               .text = designed ? std::string(label->text) : *text, .inColumns = !designed});
    }
    std::vector<LogRecord> shown(game.ActivityLog.begin(), game.ActivityLog.begin() + static_cast<long>(records));
    std::vector<std::string> lines;
    for (const LogRecord &record : shown)
        lines.push_back(FormatLogLine(record, layout.nameWidth));
    write({.kind = StepKind::SetLines, .window = Window::frmFeedback, .control = std::string(kLogList.name),
           .lines = std::move(lines), .inColumns = logInColumns()});
}

// The about box is built afresh at every opening and fills in its texts then.
void Program::loadAbout()
{
    // TRANSLATORS: the about box's caption; %s is the program's name, Brimwold.
    setText(Window::frmAbout, "", Format(Tr("about box", "About %s"), {kApplicationTitle}));
    // TRANSLATORS: %s is the program's version number, such as 2.1.0.
    setText(Window::frmAbout, "lblVersion", Format(Tr("about box", "Version %s"), {VersionText()}));
    setText(Window::frmAbout, "lblTitle", kApplicationTitle);
}

Steps Program::frmMain_CommandAbout_Click()
{
    return event([&] {
        if (!window(Window::frmAbout).exists)
            loadAbout();
        show(Window::frmAbout);
    });
}

Steps Program::frmMain_cmdQuit_Click()
{
    return event([&] { endProgram(); });
}

// --- The action menu
// ---------------------------------------------------------------------------

// A media or group activity: the menu closes whether it is carried out or
// refused, before the refusal's message.
void Program::carryOutMediaActivity(Activity activity)
{
    const Verdict verdict = CarryOutMediaActivity(game, activity);
    if (verdict != Verdict::Accepted) {
        hide(Window::frmDiffusion);
        message(Window::frmMain, RefusalMessage(verdict));
        return;
    }
    refreshDaysLeft();
    hide(Window::frmDiffusion);
}

// A talk or a demonstration is aimed on the map; the farm click carries it out.
void Program::openMap(std::string_view mode)
{
    game.MapMode = mode;
    show(Window::frmVillage1);
    hide(Window::frmDiffusion);
}

Steps Program::frmDiffusion_Command0_Click()
{
    return event([&] { openMap(kTalkMode); });
}
Steps Program::frmDiffusion_Command1_Click()
{
    return event([&] { carryOutMediaActivity(Activity::Newspaper); });
}
Steps Program::frmDiffusion_Command2_Click()
{
    return event([&] { carryOutMediaActivity(Activity::Radio); });
}
Steps Program::frmDiffusion_Command3_Click()
{
    return event([&] { carryOutMediaActivity(Activity::RandomVillager); });
}
Steps Program::frmDiffusion_Command4_Click()
{
    return event([&] { carryOutMediaActivity(Activity::Training); });
}
Steps Program::frmDiffusion_Command5_Click()
{
    return event([&] { carryOutMediaActivity(Activity::Film); });
}
Steps Program::frmDiffusion_Command6_Click()
{
    return event([&] { openMap(kDemoMode); });
}
Steps Program::frmDiffusion_Command7_Click()
{
    return event([&] { hide(Window::frmDiffusion); });
}

// --- The village map
// ---------------------------------------------------------------------------

// A talk or a demonstration on farm Index, as the action menu chose. Whether
// the map closes, and whether before or after a refusal's message, depends on
// the outcome.
Steps Program::frmVillage1_cmdV1_Click(int Index)
{
    if (Index < 1 || Index > kFarms)
        return {};
    return event([&] {
        const bool talking = game.MapMode == kTalkMode;
        const Verdict verdict = ClickFarm(game, Index);
        switch (verdict) {
        case Verdict::Accepted:
            refreshDaysLeft();
            hide(Window::frmVillage1);
            break;
        case Verdict::NotEnoughTime:
            if (talking)
                hide(Window::frmVillage1);
            message(Window::frmMain, RefusalMessage(verdict));
            break;
        case Verdict::TalkFirst: message(Window::frmMain, RefusalMessage(verdict)); break;
        case Verdict::OneDemoPerFarm:
            message(Window::frmMain, RefusalMessage(verdict));
            hide(Window::frmVillage1);
            break;
        }
    });
}

// Go Back also ends the view-only mode.
Steps Program::frmVillage1_Command1_Click()
{
    return event([&] {
        hide(Window::frmVillage1);
        setFarmButtonsEnabled(true);
    });
}

// --- Information, feedback, about box, close boxes
// ---------------------------------------------

Steps Program::frmInformation_Command7_Click()
{
    return event([&] { hide(Window::frmInformation); });
}
Steps Program::frmFeedback_Command7_Click()
{
    return event([&] { hide(Window::frmFeedback); });
}
Steps Program::frmAbout_cmdOK_Click()
{
    return event([&] { discard(Window::frmAbout); });
}

Steps Program::frmFeedback_cmdQuit_Click()
{
    return event([&] { endProgram(); });
}

// Closing the setup or main screen ends the program, as "Quit Game" does; any
// other window closed through its frame is discarded (the about box's close box
// acts as its OK, which discards it too).
Steps Program::Form_Close(Window window)
{
    if (!accepts(window))
        return {};
    return event([&] {
        if (window == Window::frmIntro || window == Window::frmMain)
            endProgram();
        else
            discard(window);
    });
}

// Every opening shows the debrief of the game as it stands.
Steps Program::frmFeedback_cmdDebrief_Click()
{
    return event([&] {
        fillDebrief(game);
        show(Window::frmDebrief);
    });
}

void Program::fillDebrief(const GameState &as)
{
    debriefed = as;
    const Debrief debrief = BuildDebrief(as, typedDays);
    const char *sentences[] = {"lblConverted", "lblBestPlan", "lblTarget", "lblVerdict"};
    for (std::size_t i = 0; i < std::size(sentences); ++i)
        setText(Window::frmDebrief, sentences[i], i < debrief.sentences.size() ? debrief.sentences[i] : "");
    write(debriefChartStep(debrief));
    setLogFont(Window::frmDebrief, "lstPlan", kLogFontSize);
    write({.kind = StepKind::SetLines, .window = Window::frmDebrief, .control = "lstPlan",
           .lines = LogLines(debrief.bestPlanLog), .inColumns = logInColumns()});
}

Steps Program::Retranslate()
{
    if (programEnded)
        return {};
    if (window(Window::frmMain).exists)
        setGameButtonsLocked(!window(Window::frmMain).control("cmdDiffusion").enabled);
    if (window(Window::frmFeedback).exists)
        fillFeedback(feedbackRecords, window(Window::frmFeedback).control("lblScoreText").textSet, false);
    if (window(Window::frmAbout).exists)
        loadAbout();
    if (window(Window::frmDebrief).exists && debriefed)
        fillDebrief(*debriefed);
    return std::exchange(steps, {});
}

Step Program::DebriefChartAhead() const { return debriefChartStep(BuildDebrief(game, typedDays)); }

Steps Program::frmDebrief_Command7_Click()
{
    return event([&] { hide(Window::frmDebrief); });
}

Steps Program::frmDebrief_cmdPrint_Click()
{
    return event([&] {
        const Debrief debrief = BuildDebrief(game, typedDays);
        write({.kind = StepKind::Print, .window = Window::frmDebrief,
               .printout = BuildPrintout(game, typedDays, debrief, debriefChart(debrief))});
    });
}

// --- Events by name
// ----------------------------------------------------------------------------

Steps Program::Press(Window window, std::string_view control, const SetupTexts &typed)
{
    for (const EventRow &row : kEvents) {
        if (row.window != window || !control.starts_with(row.control))
            continue;
        if (row.members == 0 && control == row.control)
            return row.play(*this, {0, typed});
        for (int index = 1; index <= row.members; ++index)
            if (control == ControlName(row, index))
                return row.play(*this, {index, typed});
    }
    return {};
}

} // namespace Startup
