// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart.h"

namespace Startup {

namespace {

// Room around the plot: the vertical axis's name above it, the tick labels, the
// horizontal axis's name and the legend below it.
constexpr int kLeft = 44, kRight = 12, kTop = 20, kBottom = 34;
constexpr int kTextHeight = 9;  // a digit's height at the chart's font
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
    drawing.texts.push_back({plot.x1, height - 3, TextAnchor::End, chart.horizontal.label});
    drawing.texts.push_back({4, kTextHeight + 3, TextAnchor::Start, chart.vertical.label});

    // The legend, under the plot on the left: a stretch of each curve's line and its name.
    const struct { LineStyle style; const std::string &name; } legend[] = {
        {LineStyle::Solid, chart.playerLabel}, {LineStyle::Dashed, chart.bestPlanLabel}};
    int x = plot.x0;
    for (const auto &[style, name] : legend) {
        drawing.lines.push_back({x, height - 7, x + kLegendLine, height - 7, style});
        drawing.texts.push_back({x + kLegendLine + 4, height - 3, TextAnchor::Start, name});
        x += kLegendLine + 80;
    }

    // The target's line across the plot, named at its right end: above it, or below it at the top.
    if (chart.target) {
        const int y = plot.y(*chart.target);
        drawing.lines.push_back({plot.x0, y, plot.x1, y, LineStyle::Dotted});
        const int baseline = y - 3 - kTextHeight < plot.y0 ? y + 3 + kTextHeight : y - 3;
        drawing.texts.push_back({plot.x1 - 2, baseline, TextAnchor::End, chart.targetLabel});
    }
    addCurve(drawing, plot, chart.bestPlan, LineStyle::Dashed);
    addCurve(drawing, plot, chart.player, LineStyle::Solid);
    return drawing;
}

} // namespace Startup
