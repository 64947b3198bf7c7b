// SPDX-License-Identifier: GPL-3.0-or-later
// The program's core as the browser page calls it: one function per kind of
// player event, each giving the screen steps to play as a JSON array. Windows
// go by their design names ("frmMain"), controls by their object names
// ("cmdV1_3"); every string is UTF-8.
//
// A step is {"kind": "Show", "window": "frmMain"} with whichever of "control",
// "text", "enabled", "size", "lines" and "chart" its kind uses; a chart is
// {"width", "height", "lines": [[x1, y1, x2, y2, style]...], "texts": [[x, y,
// anchor, text]...]}.

#include "program.h"

#include <emscripten/emscripten.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

namespace {

using namespace Startup;

Program &program()
{
    static Program running;
    return running;
}

// The text of the last answer; the page copies it out before its next call.
std::string answer;

constexpr std::string_view kKindNames[] = {
    "Show",
    "Hide",
    "Discard",
    "Activate",
    "Message",
    "SetText",
    "SetEnabled",
    "SetVisible",
    "SetChart",
    "SetFont",
    "SetLines",
    "Focus",
    "EndProgram",
};
constexpr std::string_view kLineStyles[] = {"solid", "dashed", "dotted"};
constexpr std::string_view kAnchors[] = {"start", "middle", "end"};
static_assert(std::size(kKindNames) == static_cast<std::size_t>(StepKind::EndProgram) + 1);

void appendQuoted(std::string &out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    out += '"';
}

void appendField(std::string &out, std::string_view name)
{
    out += ",\"";
    out += name;
    out += "\":";
}

// A JSON array of the items, each written by `write`.
template <class Items, class Write> void appendArray(std::string &out, const Items &items, Write write)
{
    out += '[';
    bool first = true;
    for (const auto &item : items) {
        if (!std::exchange(first, false))
            out += ',';
        write(item);
    }
    out += ']';
}

void appendChart(std::string &out, const ChartDrawing &chart)
{
    out += "{\"width\":" + std::to_string(chart.width) + ",\"height\":" + std::to_string(chart.height);
    appendField(out, "lines");
    appendArray(out, chart.lines, [&](const ChartLine &line) {
        out += '[' + std::to_string(line.x1) + ',' + std::to_string(line.y1) + ',' + std::to_string(line.x2) + ','
            + std::to_string(line.y2) + ',';
        appendQuoted(out, kLineStyles[static_cast<int>(line.style)]);
        out += ']';
    });
    appendField(out, "texts");
    appendArray(out, chart.texts, [&](const ChartText &text) {
        out += '[' + std::to_string(text.x) + ',' + std::to_string(text.y) + ',';
        appendQuoted(out, kAnchors[static_cast<int>(text.anchor)]);
        out += ',';
        appendQuoted(out, text.text);
        out += ']';
    });
    out += '}';
}

const char *asJson(const Steps &steps)
{
    answer.clear();
    appendArray(answer, steps, [](const Step &step) {
        answer += "{\"kind\":";
        appendQuoted(answer, kKindNames[static_cast<int>(step.kind)]);
        appendField(answer, "window");
        appendQuoted(answer, WindowName(step.window));
        if (!step.control.empty()) {
            appendField(answer, "control");
            appendQuoted(answer, step.control);
        }
        if (!step.text.empty()) {
            appendField(answer, "text");
            appendQuoted(answer, step.text);
        }
        switch (step.kind) {
        case StepKind::SetEnabled:
        case StepKind::SetVisible:
            appendField(answer, "enabled");
            answer += step.enabled ? "true" : "false";
            break;
        case StepKind::SetFont:
            appendField(answer, "size");
            answer += std::to_string(step.size);
            break;
        case StepKind::SetLines:
            appendField(answer, "lines");
            appendArray(answer, step.lines, [](const std::string &line) { appendQuoted(answer, line); });
            break;
        case StepKind::SetChart:
            appendField(answer, "chart");
            appendChart(answer, step.chart);
            break;
        default: break;
        }
        answer += '}';
    });
    return answer.c_str();
}

// The window of that design name; false for a name no window has.
bool windowNamed(const char *name, Window &found)
{
    for (int i = 0; i < kWindows; ++i)
        if (WindowName(static_cast<Window>(i)) == name) {
            found = static_cast<Window>(i);
            return true;
        }
    return false;
}

} // namespace

extern "C" {

// Start-up: the steps that show the first window.
EMSCRIPTEN_KEEPALIVE const char *brimwold_main() { return asJson(program().Main()); }

// A control pressed: a button clicked, or Enter in a text box; `name`, `days`
// and `percent` are what the setup screen's boxes hold.
EMSCRIPTEN_KEEPALIVE const char *brimwold_press(
    const char *window, const char *control, const char *name, const char *days, const char *percent)
{
    Window which;
    if (!windowNamed(window, which))
        return asJson({});
    return asJson(program().Press(which, control, SetupTexts{name, days, percent}));
}

// The close box of a window's frame.
EMSCRIPTEN_KEEPALIVE const char *brimwold_close(const char *window)
{
    Window which;
    if (!windowNamed(window, which))
        return asJson({});
    return asJson(program().Form_Close(which));
}

// The player pressed OK on the message box.
EMSCRIPTEN_KEEPALIVE void brimwold_message_closed() { program().MessageClosed(); }

} // extern "C"

// --- Work ahead ------------------------------------------------------------------------------

#include "bestplan.h"

// Finds the best plan for the days the setup accepted, which the debrief shows;
// the page calls it while idle, and the core keeps the plan until the debrief asks.
extern "C" EMSCRIPTEN_KEEPALIVE void brimwold_plan_ahead()
{
    Startup::FindBestPlan(program().daysTyped() - Startup::kInformationDays);
}
