// SPDX-License-Identifier: GPL-3.0-or-later
#include "wire.h"

#include "bestplan.h"
#include "identity.h"
#include "language.h"

#include <array>
#include <cstdio>
#include <utility>

namespace Startup {

namespace {

constexpr std::string_view kLineStyles[] = {"solid", "dashed", "dotted"};
constexpr std::string_view kAnchors[] = {"start", "middle", "end"};

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

// A log line's runs, each as [column, room, text, open] (TextRuns).
void appendRuns(std::string &out, std::string_view line)
{
    appendArray(out, LogRuns(line), [&out](const TextRun &run) {
        out += '[' + std::to_string(run.column) + ',' + std::to_string(run.room) + ',';
        appendQuoted(out, run.text);
        out += ',';
        appendQuoted(out, run.open);
        out += ']';
    });
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

void appendStrings(std::string &out, const std::vector<std::string> &texts)
{
    appendArray(out, texts, [&out](const std::string &text) { appendQuoted(out, text); });
}

void appendText(std::string &out, std::string_view name, std::string_view text)
{
    appendField(out, name);
    appendQuoted(out, text);
}

template <class Number> void appendNumber(std::string &out, std::string_view name, Number number)
{
    appendField(out, name);
    out += std::to_string(number);
}

void appendFlag(std::string &out, std::string_view name, bool on)
{
    appendField(out, name);
    out += on ? "true" : "false";
}

void appendPrintout(std::string &out, const Printout &printout)
{
    out += "{\"title\":";
    appendQuoted(out, printout.title);
    appendField(out, "facts");
    appendStrings(out, printout.facts);
    appendText(out, "printedOn", printout.printedOn);
    appendField(out, "sentences");
    appendStrings(out, printout.sentences);
    appendField(out, "chart");
    appendChart(out, printout.chart);
    appendText(out, "columns", printout.columns);
    appendText(out, "logHeading", printout.logHeading);
    appendField(out, "log");
    appendStrings(out, printout.log);
    appendText(out, "bestPlanHeading", printout.bestPlanHeading);
    appendField(out, "bestPlan");
    appendStrings(out, printout.bestPlan);
    out += '}';
}

} // namespace

std::string StepsAsJson(const Steps &steps)
{
    std::string answer;
    appendArray(answer, steps, [&answer](const Step &step) {
        answer += "{\"kind\":";
        appendQuoted(answer, kStepKindNames[static_cast<int>(step.kind)]);
        appendText(answer, "window", WindowName(step.window));
        if (!step.control.empty())
            appendText(answer, "control", step.control);
        switch (step.kind) {
        case StepKind::Message:
        case StepKind::SetText:
            appendText(answer, "text", step.text);
            if (step.inColumns) {
                appendField(answer, "runs");
                appendRuns(answer, step.text);
            }
            break;
        case StepKind::SetEnabled: appendFlag(answer, "enabled", step.enabled); break;
        case StepKind::SetVisible: appendFlag(answer, "visible", step.visible); break;
        case StepKind::SetFont:
            appendText(answer, "font", step.font);
            appendNumber(answer, "size", step.size);
            if (step.bold)
                appendFlag(answer, "bold", true);
            break;
        case StepKind::SetLines:
            appendField(answer, "lines");
            appendStrings(answer, step.lines);
            if (step.inColumns) {
                appendField(answer, "runs");
                appendArray(answer, step.lines, [&answer](const std::string &line) { appendRuns(answer, line); });
            }
            break;
        case StepKind::SetChart:
            appendField(answer, "chart");
            appendChart(answer, step.chart);
            appendText(answer, "description", step.description);
            break;
        case StepKind::Print:
            appendField(answer, "printout");
            appendPrintout(answer, step.printout);
            break;
        default: break;
        }
        answer += '}';
    });
    return answer;
}

std::string TablesAsJson()
{
    std::string out = "{\"title\":";
    appendQuoted(out, kApplicationTitle);
    appendField(out, "windows");
    appendArray(out, kWindowNames, [&out](std::string_view name) { appendQuoted(out, name); });
    appendField(out, "events");
    appendArray(out, kEvents, [&out](const EventRow &row) {
        out += "{\"window\":";
        appendQuoted(out, WindowName(row.window));
        appendText(out, "control", row.control);
        appendNumber(out, "members", row.members);
        appendFlag(out, "enterInBox", row.enterInBox);
        out += '}';
    });
    appendField(out, "setupBoxes");
    appendArray(out, kSetupBoxes, [&out](const auto &box) { appendQuoted(out, box.first); });
    char sizes[64];
    std::snprintf(sizes, sizeof sizes, ",\"smallestFittedSize\":%g,\"smallestTranslatedSize\":%g", kSmallestFittedSize,
        kSmallestTranslatedSize);
    return out + sizes + '}';
}

std::string FontSizesAsJson(double designPoints, double smallest)
{
    std::string out;
    appendArray(out, FontSizesToTry(designPoints, smallest), [&out](double size) {
        char number[32];
        std::snprintf(number, sizeof number, "%g", size);
        out += number;
    });
    return out;
}

std::string GameAsJson(const Program &program)
{
    const GameState &state = program.state();
    const int daysTyped = program.daysTyped();
    const int bestTotal = FindBestPlan(daysTyped - kInformationDays).total;
    std::string out = "{\"name\":";
    appendQuoted(out, state.PlayerName);
    appendNumber(out, "daysTyped", daysTyped);
    appendNumber(out, "target", state.TargetPercent);
    appendField(out, "log");
    appendArray(out, state.ActivityLog, [&out](const LogRecord &record) {
        out += "{\"activity\":";
        appendQuoted(out, kActivityKeys[static_cast<int>(record.activity)]);
        appendNumber(out, "farm", record.farm);
        appendNumber(out, "daysUsed", record.daysUsed);
        appendNumber(out, "daysLeft", record.daysLeft);
        appendNumber(out, "gain", record.gain);
        appendNumber(out, "total", record.total);
        out += '}';
    });
    appendFlag(out, "graded", GradeIsShown(state) && state.LogCount() > 0);
    appendNumber(out, "grade", ComputeGrade(state));
    appendNumber(out, "converted", state.TotalConverted);
    appendNumber(out, "bestTotal", bestTotal);
    appendText(out, "comment", ResultComment(state.TotalConverted, bestTotal, daysTyped));
    return out + '}';
}

std::string ClassroomTextsAsJson()
{
    std::string out = "{\"presetIgnored\":";
    appendQuoted(out, PresetIgnoredNotice());
    appendText(out, "notSent", NotSentNotice());
    return out + '}';
}

std::string RoomAsJson(const Room &room)
{
    std::string out;
    appendArray(out, std::array{room.x, room.y, room.width, room.height},
        [&out](int number) { out += std::to_string(number); });
    return out;
}

std::string LanguageAsJson()
{
    const Language &language = CurrentLanguage();
    std::string out = "{\"code\":";
    appendQuoted(out, language.code);
    appendText(out, "name", language.name);
    appendFlag(out, "rightToLeft", language.rightToLeft);
    return out + '}';
}

} // namespace Startup
