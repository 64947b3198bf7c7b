// SPDX-License-Identifier: GPL-3.0-or-later
// The program's core as the browser page calls it: one function per kind of
// player event, each giving the screen steps to play as a JSON array. Windows
// go by their design names ("frmMain"), controls by their object names
// ("cmdV1_3"); every string is UTF-8.
//
// A step is {"kind": "Show", "window": "frmMain"} with whichever of "control",
// "text", "enabled", "size" and "lines" its kind uses.

#include "program.h"

#include <emscripten/emscripten.h>

#include <cstdio>
#include <string>
#include <string_view>

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
    "Show", "Hide", "Discard", "Activate", "Message", "SetText", "SetEnabled", "SetFont", "SetLines", "Focus", "EndProgram",
};
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

const char *asJson(const Steps &steps)
{
    answer = "[";
    for (const Step &step : steps) {
        if (answer.size() > 1)
            answer += ',';
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
            appendField(answer, "enabled");
            answer += step.enabled ? "true" : "false";
            break;
        case StepKind::SetFont:
            appendField(answer, "size");
            answer += std::to_string(step.size);
            break;
        case StepKind::SetLines:
            appendField(answer, "lines");
            answer += '[';
            for (std::size_t i = 0; i < step.lines.size(); ++i) {
                if (i > 0)
                    answer += ',';
                appendQuoted(answer, step.lines[i]);
            }
            answer += ']';
            break;
        default: break;
        }
        answer += '}';
    }
    answer += ']';
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
EMSCRIPTEN_KEEPALIVE const char *brimwold_press(const char *window, const char *control, const char *name,
                                                const char *days, const char *percent)
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
