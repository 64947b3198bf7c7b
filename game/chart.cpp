// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart.h"

namespace Startup {

namespace {

// Room around the plot for the tick labels, the axis label and the legend.
constexpr int kLeft = 44, kRight = 12, kTop = 8, kBottom = 34;
constexpr int kTick = 4;
constexpr int kLegendLine = 24;

struct Plot {
    int x0, y0, x1, y1;
    const DebriefChart &chart;
    int x(int days) const { return x0 + static_cast<int>(static_cast<long>(days) * (x1 - x0) / chart.horizontal.maximum); }
    int y(int households) const
    {
        return y1 - static_cast<int>(static_cast<long>(households) * (y1 - y0) / chart.vertical.maximum);
    }
};

// A step curve: level from each point to the next one's days, then up (or down) to its households.
void addCurve(ChartDrawing &drawing, const Plot &plot, const std::vector<ChartPoint> &points, LineStyle style)
{
    for (std::size_t i = 1; i < points.size(); ++i) {
        const int x0 = plot.x(points[i - 1].daysUsed), x1 = plot.x(points[i].daysUsed);
        const int y0 = plot.y(points[i - 1].households), y1 = plot.y(points[i].households);
        if (x0 != x1)
            drawing.lines.push_back({x0, y0, x1, y0, style});
        if (y0 != y1)
            drawing.lines.push_back({x1, y0, x1, y1, style});
    }
}

} // namespace

ChartDrawing LayOutChart(const DebriefChart &chart, int width, int height)
{
    ChartDrawing drawing{width, height, {}, {}};
    const Plot plot{kLeft, kTop, width - kRight, height - kBottom, chart};
    if (chart.horizontal.maximum <= 0 || chart.vertical.maximum <= 0)
        return drawing;

    drawing.lines.push_back({plot.x0, plot.y1, plot.x1, plot.y1, LineStyle::Solid});
    drawing.lines.push_back({plot.x0, plot.y0, plot.x0, plot.y1, LineStyle::Solid});
    for (int days : chart.horizontal.ticks) {
        drawing.lines.push_back({plot.x(days), plot.y1, plot.x(days), plot.y1 + kTick, LineStyle::Solid});
        drawing.texts.push_back({plot.x(days), plot.y1 + kTick + 11, TextAnchor::Middle, std::to_string(days)});
    }
    for (int households : chart.vertical.ticks) {
        drawing.lines.push_back({plot.x0 - kTick, plot.y(households), plot.x0, plot.y(households), LineStyle::Solid});
        drawing.texts.push_back({plot.x0 - kTick - 2, plot.y(households) + 4, TextAnchor::End, std::to_string(households)});
    }
    drawing.texts.push_back({(plot.x0 + plot.x1) / 2, height - 3, TextAnchor::Middle, chart.horizontal.label});

    // The vertical axis's name and the legend sit in the upper left, where the curves seldom are.
    drawing.texts.push_back({plot.x0 + 6, plot.y0 + 11, TextAnchor::Start, chart.vertical.label});
    const struct { LineStyle style; const std::string &name; } legend[] = {
        {LineStyle::Solid, chart.playerLabel}, {LineStyle::Dashed, chart.bestPlanLabel}};
    int row = plot.y0 + 26;
    for (const auto &[style, name] : legend) {
        drawing.lines.push_back({plot.x0 + 6, row - 4, plot.x0 + 6 + kLegendLine, row - 4, style});
        drawing.texts.push_back({plot.x0 + 12 + kLegendLine, row, TextAnchor::Start, name});
        row += 14;
    }

    if (chart.target) {
        const int y = plot.y(*chart.target);
        drawing.lines.push_back({plot.x0, y, plot.x1, y, LineStyle::Dotted});
        drawing.texts.push_back({plot.x1 - 2, y - 3, TextAnchor::End, chart.targetLabel});
    }
    addCurve(drawing, plot, chart.bestPlan, LineStyle::Dashed);
    addCurve(drawing, plot, chart.player, LineStyle::Solid);
    return drawing;
}

} // namespace Startup
