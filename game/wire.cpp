// SPDX-License-Identifier: GPL-3.0-or-later
#include "wire.h"

#include "identity.h"
#include "language.h"

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

} // namespace

std::string StepsAsJson(const Steps &steps)
{
    std::string answer;
    appendArray(answer, steps, [&answer](const Step &step) {
        answer += "{\"kind\":";
        appendQuoted(answer, kStepKindNames[static_cast<int>(step.kind)]);
        appendField(answer, "window");
        appendQuoted(answer, WindowName(step.window));
        if (!step.control.empty()) {
            appendField(answer, "control");
            appendQuoted(answer, step.control);
        }
        const auto flag = [&answer](std::string_view name, bool on) {
            appendField(answer, name);
            answer += on ? "true" : "false";
        };
        const auto text = [&answer](std::string_view name, std::string_view value) {
            appendField(answer, name);
            appendQuoted(answer, value);
        };
        switch (step.kind) {
        case StepKind::Message:
        case StepKind::SetText: text("text", step.text); break;
        case StepKind::SetEnabled: flag("enabled", step.enabled); break;
        case StepKind::SetVisible: flag("visible", step.visible); break;
        case StepKind::SetFont:
            text("font", step.font);
            appendField(answer, "size");
            answer += std::to_string(step.size);
            if (step.bold)
                flag("bold", true);
            break;
        case StepKind::SetLines:
            appendField(answer, "lines");
            appendArray(answer, step.lines, [&answer](const std::string &line) { appendQuoted(answer, line); });
            break;
        case StepKind::SetChart:
            appendField(answer, "chart");
            appendChart(answer, step.chart);
            text("description", step.description);
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
        appendField(out, "control");
        appendQuoted(out, row.control);
        out += ",\"members\":" + std::to_string(row.members);
        out += std::string(",\"enterInBox\":") + (row.enterInBox ? "true" : "false") + '}';
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

std::string LanguageAsJson()
{
    const Language &language = CurrentLanguage();
    std::string out = "{\"code\":";
    appendQuoted(out, language.code);
    appendField(out, "name");
    appendQuoted(out, language.name);
    appendField(out, "rightToLeft");
    return out + (language.rightToLeft ? "true}" : "false}");
}

} // namespace Startup
