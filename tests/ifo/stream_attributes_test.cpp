// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <set>

#include "ifo/audio_names.h"
#include "ifo/language_table.h"
#include "ifo/stream_attributes.h"
#include "ifo/video_attributes.h"
#include "tests/ifo/title_set_writer.h"

namespace ratewise {
namespace {

using test_support::PgcDraft;

TEST(VideoAttributes, DecodeCodingStandardAspectModeAndResolution)
{
    const VideoAttributes wide = DecodeVideoAttributes(0x4C, 0x02);
    EXPECT_TRUE(wide.mpeg2);
    EXPECT_FALSE(wide.pal);
    EXPECT_EQ(wide.FrameRate(), 30);
    EXPECT_EQ(AspectName(wide.aspectCode), "16:9");
    EXPECT_EQ(DisplayModeName(wide.displayModeCode), "pan-scan & letterboxed");
    EXPECT_EQ(wide.resolutionIndex, 0);
    EXPECT_EQ(ResolutionName(wide.resolutionIndex), "720x480");
    EXPECT_TRUE(wide.letterboxed);

    const VideoAttributes cif = DecodeVideoAttributes(0x51, 0x0C);
    EXPECT_TRUE(cif.mpeg2);
    EXPECT_TRUE(cif.pal);
    EXPECT_EQ(cif.FrameRate(), 25);
    EXPECT_EQ(AspectName(cif.aspectCode), "4:3");
    EXPECT_EQ(DisplayModeName(cif.displayModeCode), "pan-scan");
    EXPECT_EQ(ResolutionName(cif.resolutionIndex), "352x288");
    EXPECT_FALSE(cif.letterboxed);

    const VideoAttributes odd = DecodeVideoAttributes(0x27, 0x00); // MPEG-1, reserved standard 2
    EXPECT_FALSE(odd.mpeg2);
    EXPECT_TRUE(odd.pal);
    EXPECT_EQ(AspectName(odd.aspectCode), "square pixels");
    EXPECT_EQ(DisplayModeName(odd.displayModeCode), "not specified");
    EXPECT_EQ(odd.resolutionIndex, 8);
    EXPECT_EQ(ResolutionName(odd.resolutionIndex), "");
    EXPECT_EQ(ifoGetVideoAttributes(nullptr), std::nullopt);
}

TEST(LanguageTable, HoldsEveryCodeOnceInOrder)
{
    EXPECT_EQ(LanguageTable.size(), 144u);
    EXPECT_EQ(LanguageTable.front().name, "Not Specified");
    EXPECT_EQ(LanguageTable.back().name, "???");
    std::set<std::string_view> codes;
    for (std::size_t k = 1; k + 1 < LanguageTable.size(); ++k) {
        const std::string_view code(LanguageTable[k].code.data(), 2);
        EXPECT_TRUE(codes.insert(code).second) << code;
        if (k > 1) {
            EXPECT_LT(std::string_view(LanguageTable[k - 1].code.data(), 2), code);
        }
        EXPECT_LE(LanguageTable[k].name.size(), 19u);
    }
}

TEST(LanguageTable, NamesCodesByRawBytes)
{
    EXPECT_EQ(languageName('d', 'e'), "Deutsch");
    EXPECT_EQ(languageName(' ', ' '), "Not Specified");
    EXPECT_EQ(languageName(0, 0), "???");
    EXPECT_EQ(languageName('x', 'x'), "");
    EXPECT_EQ(languageName('D', 'E'), "");
    EXPECT_EQ(languageName({'i', 'w'}), "Hebrew");
    EXPECT_EQ(languageName('z', 'u'), "Zulu");
}

TEST(AudioNames, NameCodingsAndStreamCodes)
{
    EXPECT_EQ(audioCodingName(0), "AC3");
    EXPECT_EQ(audioCodingName(5), "SDDS");
    EXPECT_EQ(audioCodingName(6), "DTS");
    EXPECT_EQ(audioCodingName(7), "");
    EXPECT_EQ(audioCodingName(8 + 2), "MPEG1");
    EXPECT_EQ(audioStreamCode(0, 1), "0xBD 0x81");
    EXPECT_EQ(audioStreamCode(2, 0), "0xC0");
    EXPECT_EQ(audioStreamCode(3, 1), "0xC9");
    EXPECT_EQ(audioStreamCode(4, 2), "0xBD 0xA2");
    EXPECT_EQ(audioStreamCode(6, 1), "0xBD 0x89");
    EXPECT_EQ(audioStreamCode(7, 3), "0x03");
}

PgcDraft PgcWithStreams(std::initializer_list<int> audioSlots, std::initializer_list<int> subpictureSlots)
{
    PgcDraft pgc;
    for (int slot : audioSlots)
        pgc.audioControl[static_cast<std::size_t>(slot)] = 0x8000;
    for (int slot : subpictureSlots)
        pgc.subpictureControl[static_cast<std::size_t>(slot)] = 0x80000000u;
    return pgc;
}

TEST(StreamCounts, CountSlotsMarkedInAnyPgcCappedByTheHeader)
{
    test_support::TitleSetDraft draft;
    draft.audioCount = 3;
    draft.subpictureCount = 2;
    draft.pgcs = {PgcWithStreams({0}, {5}), PgcWithStreams({1}, {})};
    EXPECT_EQ(ifoCountAudioStreams(ifoOpen(test_support::WriteTitleSet(draft).bytes).get()), 2);
    EXPECT_EQ(ifoCountSubpictureStreams(ifoOpen(test_support::WriteTitleSet(draft).bytes).get()), 1);

    draft.pgcs = {PgcWithStreams({0, 1}, {0, 1, 2}), PgcWithStreams({2, 7}, {31})};
    const auto info = ifoOpen(test_support::WriteTitleSet(draft).bytes);
    EXPECT_EQ(ifoCountAudioStreams(info.get()), 3);
    EXPECT_EQ(ifoCountSubpictureStreams(info.get()), 2);
    EXPECT_EQ(ifoCountAudioStreams(nullptr), 0);
    EXPECT_EQ(ifoCountSubpictureStreams(nullptr), 0);
}

TEST(StreamAttributes, DecodeAudioAndSubpictureRecords)
{
    test_support::TitleSetDraft draft;
    draft.audio[1] = {0x04 << 5, 0x05, 'e', 'n', 0, 0, 0, 0};
    draft.subpictures[31] = {1, 0, 'd', 'e', 0, 0};
    draft.pgcs = {PgcDraft{}};
    const auto info = ifoOpen(test_support::WriteTitleSet(draft).bytes);
    const auto audio = ifoGetAudioAttributes(info.get(), 1);
    ASSERT_TRUE(audio);
    EXPECT_EQ(audioCodingName(audio->codingMode), "LPCM");
    EXPECT_EQ(audio->channelCount, 6);
    EXPECT_EQ(languageName(audio->language), "English");
    EXPECT_EQ(languageName(ifoGetSubpictureAttributes(info.get(), 31)->language), "Deutsch");
    EXPECT_FALSE(ifoGetAudioAttributes(info.get(), 8));
    EXPECT_FALSE(ifoGetSubpictureAttributes(info.get(), 32));
}

} // namespace
} // namespace ratewise
