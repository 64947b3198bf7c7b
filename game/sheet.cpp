// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet.h"

namespace Startup {

std::string InformationSheetText()
{
    std::string text(Tr(kSheetContext, kSheet.title));
    for (const Exposure &exposure : kSheet.exposures) {
        text += '\n';
        text += Tr(kSheetContext, exposure.label);
        text += " = ";
        text += exposure.value;
    }
    text += '\n';
    text += Tr(kSheetContext, kSheet.leadershipHeading);
    for (const Leader &leader : kSheet.leaders) {
        // TRANSLATORS: a row of the sheet's table in words, for screen readers: %1$s the
        // leader's number, %2$s the influence (as above: Small, Medium, Large), %3$s the
        // numbers of the leaders linked with this one.
        text += '\n';
        text += Format(Tr(kSheetContext, "Leader %1$s: reputational influence %2$s; links with other opinion leaders %3$s"),
                       {leader.number, Tr(kSheetContext, leader.influence), leader.links});
    }
    return text;
}

} // namespace Startup
