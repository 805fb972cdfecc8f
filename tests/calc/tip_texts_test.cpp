// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/tip_texts.h"

#include <gtest/gtest.h>

namespace ratewise {
namespace {

CalculatorState Result(FormatMode mode, double video, int audio1, int audio2 = 0)
{
    CalculatorState state;
    state.formatMode = mode;
    state.videoKbps = video;
    state.audio1Kbps = audio1;
    state.audio2Kbps = audio2;
    return state;
}

const std::string kDvdHead = "Avi/DVD mode selected.\n----------------------------------------------\n"
                             "DVD Bitrate Suggestion:\n Min Bitrate: 0\n";
const std::string kSvcdHead = "(S)VCD mode selected.\n----------------------------------------------\n"
                              "SVCD Bitrate Suggestion:\n Min Bitrate: 0\n";

TEST(BitrateSuggestion, DvdTexts)
{
    EXPECT_EQ(BitrateSuggestion(Result(FormatMode::AviDvd, 668.444, 128)),
              (TipText{kDvdHead + " Avg Bitrate: 668\n Max Bitrate: 9872", TipColour::Green}));
    EXPECT_EQ(
        BitrateSuggestion(Result(FormatMode::AviDvd, 9000, 224, 224)),
        (TipText{kDvdHead + " Avg Bitrate: 9000\n Max Bitrate: 9552\n\nHigh avg br:\nConsider encoding at "
                            "CBR 9000 Kbps",
                 TipColour::Green}));
    EXPECT_EQ(
        BitrateSuggestion(Result(FormatMode::AviDvd, 9900, 128)),
        (TipText{kDvdHead + " Avg Bitrate: 9900\n Max Bitrate: 9872\n\nDVD Warning: Avg br greater than max "
                            "br: encode at CBR 9872 Kbps.",
                 TipColour::Yellow}));
    // A margin of exactly 1000 needs no warning.
    EXPECT_EQ(BitrateSuggestion(Result(FormatMode::AviDvd, 8872, 128)).text,
              kDvdHead + " Avg Bitrate: 8872\n Max Bitrate: 9872");
}

TEST(BitrateSuggestion, SvcdTexts)
{
    EXPECT_EQ(BitrateSuggestion(Result(FormatMode::Svcd, 771.904, 128)),
              (TipText{kSvcdHead + " Avg Bitrate: 771\n Max Bitrate: 2520", TipColour::Green}));
    EXPECT_EQ(
        BitrateSuggestion(Result(FormatMode::Svcd, 2450.5, 224)),
        (TipText{kSvcdHead + " Avg Bitrate: 2450\n Max Bitrate: 2520\n\nHigh avg br:\nConsider encoding at "
                             "CBR 2450 Kbps",
                 TipColour::Green}));
    EXPECT_EQ(BitrateSuggestion(Result(FormatMode::Svcd, 2520.0, 224)),
              (TipText{kSvcdHead +
                           " Avg Bitrate: 2520\n Max Bitrate: 2520\n\nSVCD Warning: Avg br greater than max "
                           "br: encode at CBR 2520 Kbps.",
                       TipColour::Yellow}));
    EXPECT_NE(BitrateSuggestion(Result(FormatMode::Svcd, 1000, 384)).text.find("Max Bitrate: 2360"),
              std::string::npos);
    // Below 224 kbit/s of audio the maximum stays 2520.
    EXPECT_NE(BitrateSuggestion(Result(FormatMode::Svcd, 1000, 192, 31)).text.find("Max Bitrate: 2520"),
              std::string::npos);
}

TEST(BitrateSuggestion, NonPositiveBitratesAreInvalid)
{
    for (double video : {0.0, -12.345, -0.0}) {
        EXPECT_EQ(BitrateSuggestion(Result(FormatMode::AviDvd, video, 128)),
                  (TipText{"Invalid Bitrate: please check input data.", TipColour::Red}));
    }
    // Extreme values and audio sums stay defined.
    EXPECT_EQ(BitrateSuggestion(Result(FormatMode::AviDvd, 1e300, 2147483647, 2147483647)).colour,
              TipColour::Yellow);
}

TEST(MediumReport, CapacitiesInBothModes)
{
    auto report = [](int size) {
        CalculatorState state;
        state.mediumSizeMb = size;
        return MediumReport(state);
    };
    auto text = [](const char* a, const char* b, const char* c) {
        return std::string("CD Size ") + a + " Kbytes \r\nMode1 size for AVI/DVD: " + b +
               " Kbytes\nMode2 size for (S)VCD: " + c + " Kbytes";
    };
    EXPECT_EQ(report(700), (TipText{text("716800", "716800", "808752"), TipColour::Green}));
    EXPECT_EQ(report(650).text, text("665600", "665600", "750652"));
    EXPECT_EQ(report(4480).text, text("4587520", "4587520", "5201112"));
    EXPECT_EQ(report(0), (TipText{text("0", "0", "-4648"), TipColour::Green}));
    EXPECT_EQ(report(-1), (TipText{"Invalid Media Size", TipColour::Red}));
    EXPECT_EQ(report(2147483647).text, text("2199023254528", "2199023254528", "2495375993166"));
}

} // namespace
} // namespace ratewise
