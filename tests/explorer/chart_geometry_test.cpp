// SPDX-License-Identifier: GPL-3.0-or-later
// Where the chart's grid lines and labels go, the height of a value, and the window's texts.
#include <gtest/gtest.h>

#include "explorer/chart_geometry.h"
#include "explorer/explorer_texts.h"

namespace ratewise {
namespace {

// A chart area of 555 x 293 pixels: the plot runs from (50, 40) to (545, 263), 495 x 223.
const ChartRect kChart{0, 0, 555, 293};

std::vector<std::string> Labels(const std::vector<GridLine>& lines)
{
    std::vector<std::string> labels;
    for (const GridLine& line : lines)
        labels.push_back(line.label);
    return labels;
}

TEST(ChartGeometry, ValueLinesRiseInTenthsUpToThePlotsTop)
{
    EXPECT_EQ(PlotRect(kChart), (ChartRect{50, 40, 545, 263}));
    const std::vector<GridLine> lines = ValueGridLines(kChart);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(Labels(lines), (std::vector<std::string>{"1000", "2000", "3000", "4000", "5000", "6000", "7000",
                                                       "8000", "9000", "10000"}));
    // 1000 kbit/s at nine tenths of 223 below the top, truncated; 10000 on the top edge.
    EXPECT_EQ(lines.front(), (GridLine{40 + 200, "1000", 5, 40 + 200 - 8}));
    EXPECT_EQ(lines.back(), (GridLine{40, "10000", 5, 32}));
    for (std::size_t k = 0; k < lines.size(); ++k)
        EXPECT_EQ(lines[k].position, ValueY(PlotRect(kChart), 1000 * static_cast<int>(k + 1)));
    // Labels follow a chart area that does not start at the origin.
    EXPECT_EQ(ValueGridLines({30, 0, 585, 293}).front().labelX, 35);
}

TEST(ChartGeometry, MinuteLinesEveryTenMinutesStrictlyInsideTheRunningTime)
{
    EXPECT_TRUE(MinuteGridLines(kChart, 0).empty());
    EXPECT_TRUE(MinuteGridLines(kChart, 599).empty());
    EXPECT_TRUE(MinuteGridLines(kChart, 600).empty());
    // 20 minutes exactly: one line, at 10, halfway (495 / 2 truncated).
    EXPECT_EQ(MinuteGridLines(kChart, 1200), (std::vector<GridLine>{{50 + 247, "10", 50 + 247 - 8, 265}}));
    // One second more: 10 and 20.
    const std::vector<GridLine> longer = MinuteGridLines(kChart, 1201);
    EXPECT_EQ(Labels(longer), (std::vector<std::string>{"10", "20"}));
    EXPECT_EQ(longer[0].position, 50 + 495 * 600 / 1201);
    EXPECT_EQ(longer[1].position, 50 + 495 * 1200 / 1201);
}

TEST(ChartGeometry, ThreeDigitMinuteLabelsStartFourPixelsFurtherLeft)
{
    // Two hours and a second: lines 10 ... 120.
    const std::vector<GridLine> lines = MinuteGridLines(kChart, 7201);
    ASSERT_EQ(lines.size(), 12u);
    for (const GridLine& line : lines) {
        const int shift = std::stoi(line.label) >= 100 ? 12 : 8;
        EXPECT_EQ(line.labelX, line.position - shift) << line.label;
        EXPECT_EQ(line.labelY, 263 + 2);
    }
    EXPECT_EQ(lines[8].label, "90");
    EXPECT_EQ(lines[9].label, "100");
    // A running time far beyond a day does not overflow the position arithmetic.
    const std::vector<GridLine> huge = MinuteGridLines({0, 0, 20000, 300}, 360000);
    ASSERT_EQ(huge.size(), 599u);
    EXPECT_EQ(huge.back().position, 50 + static_cast<int>(19940LL * 359400 / 360000));
}

TEST(ChartGeometry, ValuesSitOnAFixedScale)
{
    const ChartRect plot = PlotRect(kChart);
    EXPECT_EQ(ValueY(plot, 0), plot.bottom);
    EXPECT_EQ(ValueY(plot, 10000), plot.top);
    EXPECT_EQ(ValueY(plot, 5000), plot.top + 111); // 223 x 5000 / 10000, truncated
    EXPECT_EQ(ValueY(plot, 9999), plot.top);       // 223 x 1 / 10000 truncates to 0
}

TEST(ExplorerTexts, TitlesAndTrackItems)
{
    ExplorerData data;
    data.averageKbps = {3686, 9000};
    data.trackCount = 2;
    EXPECT_EQ(LongExplorerTitle(data), "Bitrate Explorer  Track 1  Average Bitrate: 3686 Kbps (3.60 Mbps)");
    EXPECT_EQ(ShortExplorerTitle(data), "Bitrate Explorer  Track 1  Average Bitrate: 3.60 Mbps");
    data.currentTrack = 1;
    EXPECT_EQ(ShortExplorerTitle(data), "Bitrate Explorer  Track 2  Average Bitrate: 8.79 Mbps");

    EXPECT_EQ(ExplorerTrackItem("T1: 01:23:05 .07"), "Track 1: 01:23:05 .07");
    // Every "T" is replaced, wherever it stands; other letters are kept.
    EXPECT_EQ(ExplorerTrackItem("T12: T"), "Track 12: Track ");
    EXPECT_EQ(ExplorerTrackItem("t1"), "t1");
}

} // namespace
} // namespace ratewise
