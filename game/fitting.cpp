// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting.h"

#include "designs.h"

#include <algorithm>
#include <iterator>

namespace Startup {

Room RoomToGrow(std::string_view window, std::string_view control)
{
    const auto sameWindow = [window](const Designs::Control &c) { return c.window == window; };
    const auto found = std::find_if(std::begin(Designs::kControls), std::end(Designs::kControls),
        [&](const Designs::Control &c) { return sameWindow(c) && c.name == control; });
    const auto windowAt = std::find(std::begin(Designs::kWindows), std::end(Designs::kWindows), window);
    if (found == std::end(Designs::kControls) || windowAt == std::end(Designs::kWindows))
        return {};
    const Designs::Size size = Designs::kWindowSizes[windowAt - std::begin(Designs::kWindows)];
    const Designs::Control &self = *found;
    const auto across = [](int a, int aLength, int b, int bLength) { return a < b + bLength && b < a + aLength; };
    const auto overlapsSelf = [&](const Designs::Control &c) {
        return across(c.x, c.width, self.x, self.width) && across(c.y, c.height, self.y, self.height);
    };
    // Where the room ends along one axis: at the nearest control beyond this one that lies across
    // the span given on the other axis, else at the window's edge.
    using Field = const int Designs::Control::*;
    const auto reach = [&](int edge, Field at, Field length, Field crossAt, Field crossLength, int from, int span) {
        for (const Designs::Control &c : Designs::kControls)
            if (sameWindow(c) && &c != &self && !c.hidden && !overlapsSelf(c) && c.*at >= self.*at + self.*length
                && across(c.*crossAt, c.*crossLength, from, span))
                edge = std::min(edge, c.*at - kGrowingGap);
        return edge;
    };
    using Designs::Control;
    Room room{self.x, self.y, self.width, self.height};
    room.width = std::max(self.width,
        reach(
            size.width - kGrowingGap, &Control::x, &Control::width, &Control::y, &Control::height, self.y, self.height)
            - self.x);
    room.height = std::max(self.height,
        reach(
            size.height - kGrowingGap, &Control::y, &Control::height, &Control::x, &Control::width, room.x, room.width)
            - self.y);
    return room;
}

} // namespace Startup
