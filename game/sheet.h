// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The village information sheet's facts: exposure to the media, and the
// opinion leaders with their influence and links, in English as the sheet
// prints them; and the sheet in words, in the language in use, for screen readers.

#include "language.h"

#include <array>
#include <string>
#include <string_view>

namespace Startup {

struct Exposure {
    std::string_view label;
    std::string_view value;
};

struct Leader {
    std::string_view number;
    std::string_view influence;
    std::string_view links;
};

// The sheet's facts, in the order they are printed.
struct SheetFacts {
    std::string_view title;
    std::array<Exposure, 5> exposures;
    std::string_view leadershipHeading;
    std::array<std::string_view, 3> columnHeadingTop;    // first header line, per column ("" = none)
    std::array<std::string_view, 3> columnHeadingBottom; // second header line, per column
    std::array<Leader, 10> leaders;
};

inline constexpr std::string_view kSheetContext = "information sheet";
// TRANSLATORS: an opinion leader's influence in the information sheet's table,
// in a column 144 pixels wide at 16 pixels (about 17 letters).
inline constexpr std::string_view kSmall = TrNoop("information sheet", "Small"),
                                  kMedium = TrNoop("information sheet", "Medium"),
                                  kLarge = TrNoop("information sheet", "Large");

// TRANSLATORS: the village information sheet, a picture of printed text. The
// facts' names stand in a column 288 pixels wide at 16 pixels (about 34
// letters), the table's headings and words in columns 144 pixels wide (about
// 17 letters); a heading in two lines is split as its two parts are.
inline constexpr SheetFacts kSheet{
    TrNoop("information sheet", "Village 1 Information"),
    {{
        {TrNoop("information sheet", "Newspaper Exposure"), "20%"},
        {TrNoop("information sheet", "Radio Exposure"), "50%"},
        {TrNoop("information sheet", "Meeting Attendance"), "20%"},
        {TrNoop("information sheet", "Demonstration Attendance"), "15%"},
        {TrNoop("information sheet", "Literacy"), "40%"},
    }},
    TrNoop("information sheet", "Opinion Leadership"),
    {"", TrNoop("information sheet", "Reputational"), TrNoop("information sheet", "Links with Other")},
    {TrNoop("information sheet", "Leader"), TrNoop("information sheet", "Influence"),
     TrNoop("information sheet", "Opinion Leaders")},
    {{
        {"1", kSmall, "2, 3"},
        {"2", kMedium, "1, 3"},
        {"3", kMedium, "1, 2, 4"},
        {"4", kSmall, "3, 5"},
        {"5", kSmall, "4"},
        {"6", kMedium, "8"},
        {"7", kMedium, "8"},
        {"8", kSmall, "4, 6, 7, 10"},
        {"9", kLarge, "10"},
        {"10", kLarge, "8, 9"},
    }},
};

// The sheet's facts as plain text, line by line, in the language in use.
std::string InformationSheetText();

} // namespace Startup
