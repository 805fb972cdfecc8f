// SPDX-License-Identifier: GPL-3.0-or-later
// Where the parts of the bitrate chart go: the plot area inside the chart area, the value grid
// with its labels, the ten-minute grid with its labels and the height of a value. Integer
// arithmetic throughout, so every drawing of a chart lands on the same pixels.
#pragma once

#include <string>
#include <vector>

namespace ratewise {

struct ChartRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const ChartRect&, const ChartRect&) = default;
};

// The plot area: the chart area less 50 pixels on the left and 30 at the bottom for the axis
// labels, 40 at the top for the caption and 10 on the right.
ChartRect PlotRect(const ChartRect& chart);

// One grid line: its position (y for a value line, x for a minute line), its label and where the
// label's top-left corner goes.
struct GridLine {
    int position = 0;
    std::string label;
    int labelX = 0;
    int labelY = 0;
    friend bool operator==(const GridLine&, const GridLine&) = default;
};

// The ten value lines 1000 ... 10000 kbit/s, bottom to top; labels at 5 pixels from the chart's
// left edge, 8 above their line. The 10000 line lies on the plot's top edge.
std::vector<GridLine> ValueGridLines(const ChartRect& chart);

// One line every ten minutes strictly inside the running time, with the minute number under the
// plot; none for a track of ten minutes or less. Labels of 100 minutes and more have one digit
// more and start 4 pixels further left.
std::vector<GridLine> MinuteGridLines(const ChartRect& chart, int durationSeconds);

// The height of a value on the fixed scale: 0 kbit/s at the plot's bottom, 10000 at its top.
int ValueY(const ChartRect& plot, int kbps);

// Where the caption's top-left corner goes.
inline constexpr int kCaptionX = 5;
inline constexpr int kCaptionY = 10;

} // namespace ratewise
