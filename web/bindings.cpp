// SPDX-License-Identifier: GPL-3.0-or-later
// The program's core as the browser page calls it: one function per kind of
// player event, each giving the screen steps to play as a JSON array (game/wire.h).
// Windows go by their design names ("frmMain"), controls by their object names
// ("cmdV1_3"); every string is UTF-8.

#include "bestplan.h"
#include "language.h"
#include "numbers.h"
#include "program.h"
#include "sheet.h"
#include "wire.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace Startup;

Program &program()
{
    static Program running;
    return running;
}

// The text of the last answer; the page copies it out before its next call.
std::string answer;

const char *answered(std::string text)
{
    answer = std::move(text);
    return answer.c_str();
}

const char *asJson(const Steps &steps) { return answered(StepsAsJson(steps)); }

// A list the page passes one a line.
std::vector<std::string_view> lines(std::string_view text)
{
    std::vector<std::string_view> list;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        list.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return list;
}

} // namespace

extern "C" {

// The core's tables of windows and events, read once by the page.
EMSCRIPTEN_KEEPALIVE const char *brimwold_tables() { return answered(TablesAsJson()); }

// The font sizes a box tries, from its design's size down, to show its whole text.
EMSCRIPTEN_KEEPALIVE const char *brimwold_font_sizes(double designPoints, double smallest)
{
    return answered(FontSizesAsJson(designPoints, smallest));
}

// Start-up: the steps that show the first window.
EMSCRIPTEN_KEEPALIVE const char *brimwold_main() { return asJson(program().Main()); }

// A control pressed: a button clicked, or Enter in a text box; `name`, `days`
// and `percent` are what the setup screen's boxes hold.
EMSCRIPTEN_KEEPALIVE const char *brimwold_press(
    const char *window, const char *control, const char *name, const char *days, const char *percent)
{
    const std::optional<Window> which = WindowNamed(window);
    return asJson(which ? program().Press(*which, control, SetupTexts{name, days, percent}) : Steps());
}

// The close box of a window's frame.
EMSCRIPTEN_KEEPALIVE const char *brimwold_close(const char *window)
{
    const std::optional<Window> which = WindowNamed(window);
    return asJson(which ? program().Form_Close(*which) : Steps());
}

// The player pressed OK on the message box.
EMSCRIPTEN_KEEPALIVE void brimwold_message_closed() { program().MessageClosed(); }

// --- The player's language ---------------------------------------------------------------------

// The catalog to use of those the page carries, for the languages asked for in
// order (the address's lang, then the browser's), each list one a line: its code,
// or "" for English.
EMSCRIPTEN_KEEPALIVE const char *brimwold_choose_language(const char *asked, const char *available)
{
    return answered(ChooseLanguage(lines(asked), lines(available)).value_or(""));
}

// Uses a catalog the page carries (its two parts, as po/catalogs.py writes them),
// a made-up language by its code ("en_XA"), or English (both empty); answers
// the language now in use (game/wire.h).
EMSCRIPTEN_KEEPALIVE const char *brimwold_use_language(const char *messages, const char *translations, const char *code)
{
    if (!UsePseudoLanguage(messages, code))
        UseCatalog(messages, translations);
    return answered(LanguageAsJson());
}

// A text of the page or of a design in the language in use.
EMSCRIPTEN_KEEPALIVE const char *brimwold_translate(const char *context, const char *english)
{
    return answered(std::string(Tr(context, english)));
}

// The information sheet's facts in words, for screen readers, in the language in use.
// Where a label grows whose translated text does not fit it even at the smallest size (game/fitting.h).
EMSCRIPTEN_KEEPALIVE const char *brimwold_room_to_grow(const char *window, const char *control)
{
    return answered(RoomAsJson(RoomToGrow(window, control)));
}

EMSCRIPTEN_KEEPALIVE const char *brimwold_sheet_text() { return answered(InformationSheetText()); }

// A message in the language in use with its placeholders filled: its context,
// English words and, for one that counts, its English plural and the count;
// `arguments` one a line, for the tests, which translate what the English game
// shows through the catalogs.
EMSCRIPTEN_KEEPALIVE const char *brimwold_format(
    const char *context, const char *english, const char *plural, int count, const char *arguments)
{
    const std::string_view pattern = *plural ? NTr(context, english, plural, count) : Tr(context, english);
    const std::vector<std::string_view> a = *arguments ? lines(arguments) : std::vector<std::string_view>();
    switch (a.size()) {
    case 0: return answered(Format(pattern, {}));
    case 1: return answered(Format(pattern, {a[0]}));
    case 2: return answered(Format(pattern, {a[0], a[1]}));
    default: return answered(Format(pattern, {a[0], a[1], a[2]}));
    }
}

// A line of the activity log in the language in use, for an activity's name in it.
EMSCRIPTEN_KEEPALIVE const char *brimwold_log_line(const char *name, int daysUsed, int daysLeft, int gain, int total)
{
    const auto number = [](int value) { return static_cast<std::int16_t>(value); };
    return answered(
        FormatLogLine(name, number(daysUsed), number(daysLeft), number(gain), number(total), LogNameWidth()));
}

// Every text the steps set that depends on the language, set again in the one now in use.
EMSCRIPTEN_KEEPALIVE const char *brimwold_retranslate() { return asJson(program().Retranslate()); }

} // extern "C"

// --- The teachers' tools ----------------------------------------------------------------------

extern "C" {

// The game as a learning platform is told it (game/wire.h).
EMSCRIPTEN_KEEPALIVE const char *brimwold_game() { return answered(GameAsJson(program())); }

// 1 if the setup screen takes the text in its box (its days or percentage box), else 0.
EMSCRIPTEN_KEEPALIVE int brimwold_setup_takes(const char *box, const char *text)
{
    const std::string_view name(box);
    return name == kDaysBox ? ReadTypedDays(text).has_value()
                            : name == kPercentBox && ReadTypedPercent(text).has_value();
}

// The notices the page shows outside its windows.
EMSCRIPTEN_KEEPALIVE const char *brimwold_classroom_texts() { return answered(ClassroomTextsAsJson()); }

} // extern "C"

// --- Work ahead ------------------------------------------------------------------------------

// Finds the best plan for the days the setup accepted, which the debrief shows;
// the page calls it while idle, and the core keeps the plan until the debrief asks.
extern "C" EMSCRIPTEN_KEEPALIVE void brimwold_plan_ahead()
{
    Startup::FindBestPlan(program().daysTyped() - Startup::kInformationDays);
}

// The debrief's chart as a Debrief press would draw it now, as that press's step
// (a JSON array of one step); the page draws it while idle, the press then finds it drawn.
extern "C" EMSCRIPTEN_KEEPALIVE const char *brimwold_debrief_ahead() { return asJson({program().DebriefChartAhead()}); }
