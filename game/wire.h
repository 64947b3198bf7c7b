// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's steps and tables as JSON, for front ends in other languages (the
// browser's page). A step is {"kind": "Show", "window": "frmMain"} with
// "control" when it names one and the fields its kind uses ("text", "enabled",
// "visible", "font" and "size", "lines", "chart" and "description", "printout"
// with the fields of a Printout by their names), and for a text or lines in
// columns "runs": [[column, room, text, open]...] (LogRuns), one such list a line
// for lines; a chart is
// {"width", "height", "lines": [[x1, y1, x2, y2, style]...], "texts": [[x, y,
// anchor, text]...]}. Every string is UTF-8.

#include "fitting.h"
#include "program.h"

#include <string>

namespace Startup {

std::string StepsAsJson(const Steps &steps);

// {"title": the program's title, "windows": [names], "events": [{"window", "control", "members", "enterInBox"}],
//  "setupBoxes": [the setup screen's boxes, in the order a press passes their texts],
//  "smallestFittedSize", "smallestTranslatedSize": the smallest sizes a box's text and a translated text shrink to}
std::string TablesAsJson();

// The game as a learning platform is told it: {"name", "daysTyped", "target", "log":
// [{"activity" (its key), "farm", "daysUsed", "daysLeft", "gain", "total"}], "graded"
// (the feedback screen shows the grade), "grade", "converted", "bestTotal" (the
// best plan's total for the days typed), "comment" (the result in words)}.
std::string GameAsJson(const Program &program);

// The teachers' tools' notices: {"presetIgnored", "notSent"}.
std::string ClassroomTextsAsJson();

// The sizes to try when fitting a text into a box: [8.25, 7.75, ...], down to the smallest.
std::string FontSizesAsJson(double designPoints, double smallest = kSmallestFittedSize);

// Where a label may grow (RoomToGrow): [x, y, width, height].
std::string RoomAsJson(const Room &room);

// The language in use: {"code": "ar", "name": "العربية", "rightToLeft": true}.
std::string LanguageAsJson();

} // namespace Startup
