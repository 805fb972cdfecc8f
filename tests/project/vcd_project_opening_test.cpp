// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/vcd_project_opening.h"

#include <gtest/gtest.h>

#include <limits>

namespace ratewise {
namespace {

std::string Fixture(const char* set, const char* file = "VTS_01_0.IFO")
{
    // Appended piece by piece: g++ 12 warns falsely (-Warray-bounds) on a + chain that starts from
    // a literal of some lengths, and the length here is the checkout's path.
    std::string path = RATEWISE_FIXTURES_DIR;
    path += "/ifo/";
    path += set;
    path += "/";
    path += file;
    return path;
}

TEST(VcdProjectOpening, ReadsTheSourceOfTheRealTitleSetsAndTakesTheCalculatorsBitrates)
{
    CalculatorState calculator;
    calculator.audio1Kbps = 192;
    calculator.videoKbps = 2000.7;
    const std::optional<VcdProjectOpening> pal =
        ReadVcdProjectOpening(Fixture("pal_d1_3audio_cells"), calculator);
    ASSERT_TRUE(pal);
    EXPECT_TRUE(pal->isPal);
    EXPECT_EQ(pal->sourceAspect, 0);
    EXPECT_EQ(pal->calcAudioKbps, 192);
    EXPECT_EQ(pal->calcVideoKbps, 2000);
    // The dialog's opening choices, whatever the source.
    EXPECT_EQ(pal->conversion, 0);
    EXPECT_EQ(pal->audioIndex, 6);
    EXPECT_EQ(pal->videoKbps, 1150u);

    const std::optional<VcdProjectOpening> ntsc =
        ReadVcdProjectOpening(Fixture("ntsc_d1_wide_subs16_menu"), calculator);
    ASSERT_TRUE(ntsc);
    EXPECT_FALSE(ntsc->isPal);
    EXPECT_EQ(ntsc->sourceAspect, 3);
    EXPECT_TRUE(ReadVcdProjectOpening(Fixture("pal_98_titles"), calculator)->isPal);
}

TEST(VcdProjectOpening, NothingWithoutAReadableTitleSet)
{
    const CalculatorState calculator;
    EXPECT_FALSE(ReadVcdProjectOpening("", calculator));
    EXPECT_FALSE(ReadVcdProjectOpening(Fixture("pal_d1_3audio_cells", "no-such.IFO"), calculator));
    // The video manager's file is not a title set; neither is a folder.
    EXPECT_FALSE(ReadVcdProjectOpening(Fixture("pal_d1_3audio_cells", "VIDEO_TS.IFO"), calculator));
    EXPECT_FALSE(ReadVcdProjectOpening(std::string(RATEWISE_FIXTURES_DIR), calculator));
}

TEST(VcdProjectOpening, CalculatorVideoBitrateIsTruncatedTowardZero)
{
    EXPECT_EQ(TruncatedVideoKbps(2000.7), 2000);
    EXPECT_EQ(TruncatedVideoKbps(-259.9), -259);
    EXPECT_EQ(TruncatedVideoKbps(-0.5), 0);
    // Values no int holds stay at its ends instead of overflowing.
    EXPECT_EQ(TruncatedVideoKbps(1e12), std::numeric_limits<int>::max());
    EXPECT_EQ(TruncatedVideoKbps(-std::numeric_limits<double>::infinity()), std::numeric_limits<int>::min());
    EXPECT_EQ(TruncatedVideoKbps(std::numeric_limits<double>::quiet_NaN()), 0);
}

} // namespace
} // namespace ratewise
