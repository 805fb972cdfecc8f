// SPDX-License-Identifier: GPL-3.0-or-later
// Positions of the chart's grid, labels and values.
#include "explorer/chart_geometry.h"

#include <cstdint>

namespace ratewise {
namespace {

constexpr int kValueSteps = 10;
constexpr int kKbpsPerStep = 1000;
constexpr int kTopKbps = 10000;
constexpr int kSecondsPerLine = 600;
constexpr int kMinutesPerLine = 10;

} // namespace

ChartRect PlotRect(const ChartRect& chart)
{
    return {chart.left + 50, chart.top + 40, chart.right - 10, chart.bottom - 30};
}

std::vector<GridLine> ValueGridLines(const ChartRect& chart)
{
    const ChartRect plot = PlotRect(chart);
    std::vector<GridLine> lines;
    for (int k = 1; k <= kValueSteps; ++k) {
        const int y = plot.top + ((kValueSteps - k) * plot.Height()) / kValueSteps;
        lines.push_back({y, std::to_string(kKbpsPerStep * k), chart.left + 5, y - 8});
    }
    return lines;
}

std::vector<GridLine> MinuteGridLines(const ChartRect& chart, int durationSeconds)
{
    std::vector<GridLine> lines;
    if (durationSeconds <= kSecondsPerLine)
        return lines;
    const ChartRect plot = PlotRect(chart);
    lines.reserve(static_cast<std::size_t>((durationSeconds - 1) / kSecondsPerLine));
    for (int j = 1; std::int64_t{kSecondsPerLine} * j < durationSeconds; ++j) {
        const std::int64_t s = std::int64_t{kSecondsPerLine} * j;
        const int x = plot.left + static_cast<int>(std::int64_t{plot.Width()} * s / durationSeconds);
        const int minutes = kMinutesPerLine * j;
        const int labelX = minutes >= 100 ? x - 12 : x - 8;
        lines.push_back({x, std::to_string(minutes), labelX, plot.bottom + 2});
    }
    return lines;
}

int ValueY(const ChartRect& plot, int kbps)
{
    return plot.top + static_cast<int>(std::int64_t{plot.Height()} * (kTopKbps - kbps) / kTopKbps);
}

} // namespace ratewise
