// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "project/aspect_pictures.h"
#include "project/vcd_project_settings.h"
#include "project/vcd_warnings.h"

namespace ratewise {
namespace {

using Lines = std::vector<std::string>;

WarningList Warnings(int audio, unsigned int video, int conversion = kConversionNone)
{
    VcdProjectSettings settings;
    settings.audioKbps = audio;
    settings.videoKbps = video;
    settings.conversion = conversion;
    return RefreshWarnings(settings);
}

const std::string kBeta = "  This wizard is being beta-tested...";
const std::string kAudio = "  Audio Bitrate for a standard VCD should be 224 Kbit/sec.";
const std::string kVideo = "  Video Bitrate for a standard VCD should be 1150 Kbit/sec.";
const std::string kTotal = "  Total bitrate exceeds 1374 Kbits/sec.";

TEST(WarningList, TargetMediumFollowsTheBitrates)
{
    EXPECT_EQ(Warnings(224, 1150).lines, (Lines{"Warnings:", kBeta, "Target media: Standard VCD"}));
    EXPECT_EQ(Warnings(256, 1150).lines, (Lines{"Warnings:", kBeta, kAudio, kTotal, "Target media: XVCD"}));
    EXPECT_EQ(Warnings(192, 1150).lines, (Lines{"Warnings:", kBeta, kAudio, "Target media: CVCD"}));
    EXPECT_EQ(Warnings(224, 1151).lines, (Lines{"Warnings:", kBeta, kVideo, kTotal, "Target media: XVCD"}));
    // A total of exactly 1374 is still within the standard's total.
    EXPECT_EQ(Warnings(256, 1118).lines, (Lines{"Warnings:", kBeta, kAudio, kVideo, "Target media: CVCD"}));
    EXPECT_EQ(Warnings(384, 10000).lines.back(), "Target media: XVCD");
}

TEST(WarningList, WideLinesLeaveTheMediumAndOnlyKeepingTheBitSetsTheFlag)
{
    const WarningList keep = Warnings(224, 1150, kLeaveWideKeepFlag);
    EXPECT_EQ(keep.lines,
              (Lines{"Warnings:", kBeta, "  AR byte set to 16:9: some players could show a deformed image.",
                     "Target media: Standard VCD"}));
    EXPECT_TRUE(keep.keep16x9Flag);

    const WarningList relabel = Warnings(192, 1150, kLeaveWideFlagTo4x3);
    EXPECT_EQ(relabel.lines,
              (Lines{"Warnings:", kBeta, kAudio, "  Deformed image: 16:9 TV required for correct displaying",
                     "Target media: CVCD"}));
    EXPECT_FALSE(relabel.keep16x9Flag);
    for (const int conversion : {kConversionNone, kConvertAddBorders, kConvertCrop}) {
        EXPECT_FALSE(Warnings(224, 1150, conversion).keep16x9Flag);
        EXPECT_EQ(Warnings(224, 1150, conversion).lines.size(), 3u);
    }
}

TEST(AspectPictures, FourThreeSourceShowsFullPicturesAndNoConversion)
{
    const AspectView view = AspectPictures(0, kConvertAddBorders);
    EXPECT_EQ(view.sourceAspectText, "4:3");
    EXPECT_FALSE(view.conversionEnabled);
    EXPECT_EQ(view.conversion, kConversionNone);
    using enum AspectPicture;
    EXPECT_EQ(view.pictures, (std::array{Full, Full, Full, Full}));
}

TEST(AspectPictures, WideSourceShowsWhatEachConversionDoes)
{
    using enum AspectPicture;
    const std::array<AspectPicture, 4> expected[] = {
        {Squeezed, Letterboxed, Letterboxed, Letterboxed},
        {Squeezed, Letterboxed, Full, Full},
        {Squeezed, Letterboxed, Squeezed, Letterboxed},
        {Squeezed, Letterboxed, Squeezed, Squeezed},
    };
    for (int conversion = 0; conversion < 4; ++conversion) {
        const AspectView view = AspectPictures(3, conversion);
        EXPECT_EQ(view.sourceAspectText, "16:9");
        EXPECT_TRUE(view.conversionEnabled);
        EXPECT_EQ(view.conversion, conversion);
        EXPECT_EQ(view.pictures, expected[conversion]) << conversion;
    }
    EXPECT_EQ(AspectPictures(1, -1).pictures, std::nullopt); // left as they are
    EXPECT_EQ(AspectPictures(3, 4).pictures, std::nullopt);
}

TEST(VcdProjectChoices, GetFromRatewisePicksTheFirstAudioRateNotBelow)
{
    EXPECT_EQ(kVcdAudioBitrates[static_cast<std::size_t>(AudioIndexAtLeast(200))], 224);
    EXPECT_EQ(AudioIndexAtLeast(50), 0);
    EXPECT_EQ(AudioIndexAtLeast(64), 0);
    EXPECT_EQ(AudioIndexAtLeast(65), 1);
    EXPECT_EQ(AudioIndexAtLeast(384), 9);
    EXPECT_EQ(AudioIndexAtLeast(500), 9);
    EXPECT_EQ(AudioIndexAtLeast(224), kStandardVcdAudioIndex);
    EXPECT_TRUE(IsVcdAudioBitrate(320));
    EXPECT_FALSE(IsVcdAudioBitrate(200));
}

TEST(VcdProjectChoices, VideoFieldAcceptsWholeNumbersFromZeroToTenThousand)
{
    EXPECT_EQ(ParseVideoKbpsField("1150"), 1150u);
    EXPECT_EQ(ParseVideoKbpsField(" 0 "), 0u);
    EXPECT_EQ(ParseVideoKbpsField("+10000"), 10000u);
    for (const char* text : {"", " ", "10001", "-1", "-0x", "12.5", "1e3", "abc", "99999999999999999999"})
        EXPECT_EQ(ParseVideoKbpsField(text), std::nullopt) << '"' << text << '"';
    EXPECT_TRUE(IsVideoKbpsInRange(0));
    EXPECT_TRUE(IsVideoKbpsInRange(10000));
    EXPECT_FALSE(IsVideoKbpsInRange(-1));
    EXPECT_FALSE(IsVideoKbpsInRange(10001));
}

TEST(VcdProjectChoices, SourceFromTheFirstVideoAttributeByte)
{
    const VcdSource ntscWide = VcdSourceFromVideoAttributes(0x4C);
    EXPECT_FALSE(ntscWide.isPal);
    EXPECT_EQ(ntscWide.sourceAspect, 3);
    const VcdSource pal43 = VcdSourceFromVideoAttributes(0x51);
    EXPECT_TRUE(pal43.isPal);
    EXPECT_EQ(pal43.sourceAspect, 0);
    EXPECT_TRUE(VcdSourceFromVideoAttributes(0x20).isPal); // either standard bit counts
}

} // namespace
} // namespace ratewise
