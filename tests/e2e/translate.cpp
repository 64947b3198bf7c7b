// SPDX-License-Identifier: GPL-3.0-or-later
// What the end-to-end test expects to see, in another language: the table's
// English texts turned into the texts the program shows in the language of
// the code given, by the core itself. Reads one text a line, each after the
// design name of the window it shows in and a tab; writes one line for each,
// "+" and a tab before its translation, or "=" and a tab before the text
// given back as it is (a name, a number, a text of no catalog); before them,
// a first line: "rtl" for a language written from right to left, else "ltr".
//
// A text is a catalog's message, a message with its placeholders filled in
// (their texts translated in turn, the plural form chosen by the first number),
// a line of the activity log (written again by the core, with the name column
// its window uses), or a text the core lays out anew in another language where
// English keeps its design's (the feedback screen's headings).
//
// Usage: e2e_translate CODE < WINDOW<tab>TEXT lines
#include "catalogs.h"
#include "designs.h"
#include "language.h"
#include "numbers.h"
#include "program.h"
#include "sheet.h"
#include "startup.h"

#include <iostream>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <vector>

using namespace Startup;

namespace {

struct Message {
    std::string context, singular, plural;
};

std::vector<std::string> split(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    for (std::size_t from = 0;;) {
        const std::size_t to = text.find(separator, from);
        parts.emplace_back(text.substr(from, to - from));
        if (to == std::string_view::npos)
            return parts;
        from = to + 1;
    }
}

// A message's English form as a pattern that matches it with its placeholders
// filled in, and the argument each group of the pattern fills.
struct Pattern {
    const Message *message;
    std::regex regex;
    std::vector<std::size_t> arguments;  // by group, the argument's number less one
    std::vector<bool> numbers;           // by group, whether it is a number
    std::size_t literal = 0;             // characters that are not placeholders
};

std::optional<Pattern> patternOf(const Message &message, const std::string &form)
{
    static const std::regex placeholder(R"(%(?:(\d+)\$)?([ds%]))");
    Pattern pattern{&message, {}, {}, {}, 0};
    std::string expression;
    std::size_t sequential = 0;
    const auto literally = [&](char c) {
        if (std::string_view(R"(\^$.|?*+()[]{})").find(c) != std::string_view::npos)
            expression += '\\';
        expression += c;
    };
    auto at = form.cbegin();
    for (std::sregex_iterator it(form.begin(), form.end(), placeholder), end; it != end; ++it) {
        for (; at != form.cbegin() + it->position(); ++at, ++pattern.literal)
            literally(*at);
        at += it->length();
        if ((*it)[2] == "%") {
            expression += '%';
            continue;
        }
        pattern.arguments.push_back((*it)[1].matched ? std::stoul((*it)[1]) - 1 : sequential++);
        pattern.numbers.push_back((*it)[2] == "d");
        expression += (*it)[2] == "d" ? "(-?[0-9]+)" : "(.+?)";
    }
    if (pattern.arguments.empty())
        return std::nullopt;
    for (; at != form.cend(); ++at, ++pattern.literal)
        literally(*at);
    pattern.regex = std::regex(expression);
    return pattern;
}

std::string formatted(std::string_view pattern, const std::vector<std::string> &a)
{
    switch (a.size()) {
    case 1: return Format(pattern, {a[0]});
    case 2: return Format(pattern, {a[0], a[1]});
    case 3: return Format(pattern, {a[0], a[1], a[2]});
    default: return Format(pattern, {a[0], a[1], a[2], a[3]});
    }
}

class Translator
{
public:
    explicit Translator(std::string_view code)
    {
        for (const std::string &line : split(Catalogs::kMessages, '\n')) {
            const std::vector<std::string> fields = split(line, '\t');
            if (fields.size() >= 2)
                messages.push_back({fields[0], fields[1], fields.size() > 2 ? fields[2] : ""});
        }
        // In English, before the language is put in use.
        for (int activity = 0; activity < kActivities; ++activity)
            for (int farm = 0; farm <= kFarms; ++farm)
                logNames.try_emplace(LogName(Activity(activity), farm), LogRecord{Activity(activity), farm});
        const std::vector<std::string> englishSheet = split(InformationSheetText(), '\n');
        Catalogs::Use(code);
        for (const Message &message : messages) {
            for (const std::string *form : {&message.singular, &message.plural})
                if (std::optional<Pattern> pattern = patternOf(message, *form))
                    patterns.push_back(std::move(*pattern));
            if (message.plural.empty())
                plain.try_emplace(message.singular, std::string(Tr(message.context, message.singular)));
        }
        const std::vector<std::string> sheet = split(InformationSheetText(), '\n');
        for (std::size_t i = 0; i < sheet.size() && i < englishSheet.size(); ++i)
            laidOut.try_emplace(englishSheet[i], sheet[i]);
        // A game opened as far as the feedback screen: the texts the core lays out
        // anew where English keeps the design's, and the name column of the log there.
        Program program;
        program.Main();
        program.Press(Window::frmIntro, "cmdNameOK", {"Ada", "365", "100"});
        program.Press(Window::frmMain, "cmdInformation");
        program.Press(Window::frmMain, "cmdFeedback");
        for (const Designs::Control &control : Designs::kControls) {
            const std::optional<Window> window = WindowNamed(control.window);
            const ControlState &now = program.window(*window).control(control.name);
            if (!control.text.empty() && now.textSet)
                laidOut.try_emplace(std::string(control.text), now.text);
        }
        const std::string &line = program.window(Window::frmFeedback).control("List1").lines.at(0);
        feedbackNameWidth = TextColumns(line) - kNumbersColumns;
    }

    std::optional<std::string> translate(const std::string &text, std::string_view window,
                                         std::string_view context = {}) const
    {
        if (const auto found = plain.find(text); found != plain.end())
            return found->second;
        if (const auto found = laidOut.find(text); found != laidOut.end())
            return found->second;
        if (std::optional<std::string> line = logLine(text, window))
            return line;
        // The most particular pattern that matches, in the context asked for if one does.
        const Pattern *best = nullptr;
        std::smatch groups, bestGroups;
        for (const Pattern &pattern : patterns)
            if (std::regex_match(text, groups, pattern.regex)) {
                const auto rank = [&](const Pattern *p) {
                    return std::pair{p->message->context == context, p->literal};
                };
                if (!best || rank(&pattern) > rank(best)) {
                    best = &pattern;
                    bestGroups = groups;
                }
            }
        if (!best)
            return std::nullopt;
        std::vector<std::string> arguments(best->arguments.size());
        long count = 0;
        std::size_t countArgument = arguments.size();
        for (std::size_t group = 0; group < best->arguments.size(); ++group) {
            const std::string captured = bestGroups[group + 1];
            const std::size_t argument = best->arguments[group];
            if (argument >= arguments.size())
                return std::nullopt;
            arguments[argument] = best->numbers[group] ? captured
                                                       : translate(captured, window, best->message->context).value_or(captured);
            if (best->numbers[group] && argument < countArgument) {
                countArgument = argument;
                count = std::stol(captured);
            }
        }
        const Message &message = *best->message;
        const std::string_view form = message.plural.empty()
                                          ? Tr(message.context, message.singular)
                                          : NTr(message.context, message.singular, message.plural, count);
        return formatted(form, arguments);
    }

private:
    // The numbers of a log line: four three-digit columns, 5, 9 and 6 blanks apart.
    static constexpr std::size_t kNumbersColumns = 3 + 5 + 3 + 9 + 3 + 6 + 3;

    std::optional<std::string> logLine(const std::string &text, std::string_view window) const
    {
        static const std::regex line(R"((.*\S) +(\d+) +(\d+) +(\d+) +(\d+))");
        std::smatch fields;
        if (!std::regex_match(text, fields, line))
            return std::nullopt;
        const auto named = logNames.find(fields[1]);
        if (named == logNames.end())
            return std::nullopt;
        LogRecord record = named->second;
        record.daysUsed = std::int16_t(std::stoi(fields[2]));
        record.daysLeft = std::int16_t(std::stoi(fields[3]));
        record.gain = std::int16_t(std::stoi(fields[4]));
        record.total = std::int16_t(std::stoi(fields[5]));
        if (FormatLogLine(fields[1].str(), record.daysUsed, record.daysLeft, record.gain, record.total) != text)
            return std::nullopt;
        return FormatLogLine(record, window == "frmFeedback" ? feedbackNameWidth : LogNameWidth());
    }

    std::vector<Message> messages;
    std::vector<Pattern> patterns;
    std::map<std::string, std::string> plain, laidOut;
    std::map<std::string, LogRecord> logNames;
    std::size_t feedbackNameWidth = 0;
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: e2e_translate CODE < WINDOW<tab>TEXT lines\n";
        return 2;
    }
    const Translator translator(argv[1]);
    std::cout << (CurrentLanguage().rightToLeft ? "rtl" : "ltr") << '\n';
    for (std::string line; std::getline(std::cin, line);) {
        const std::size_t tab = line.find('\t');
        const std::string text = tab == std::string::npos ? line : line.substr(tab + 1);
        const std::optional<std::string> translated =
            translator.translate(text, tab == std::string::npos ? "" : std::string_view(line).substr(0, tab));
        std::cout << (translated ? "+\t" + *translated : "=\t" + text) << '\n';
    }
    return 0;
}
