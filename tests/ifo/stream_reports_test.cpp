// SPDX-License-Identifier: GPL-3.0-or-later
// The video, audio and subs report lines and the padded texts of their windows.
#include <gtest/gtest.h>

#include "ifo/stream_reports.h"
#include "tests/ifo/title_set_writer.h"

namespace ratewise {
namespace {

using test_support::BcdTime;

std::string Repeat(const std::string& piece, int times)
{
    std::string text;
    for (int k = 0; k < times; ++k)
        text += piece;
    return text;
}

// A title set whose one program chain marks the first `audio` audio and `subs` subpicture slots.
test_support::TitleSetDraft Streams(int audio, int subs)
{
    test_support::TitleSetDraft draft;
    draft.audioCount = static_cast<std::uint16_t>(audio);
    draft.subpictureCount = static_cast<std::uint8_t>(subs);
    test_support::PgcDraft pgc{BcdTime(0, 1, 0, 0), {1}, {}};
    for (int k = 0; k < audio; ++k)
        pgc.audioControl[static_cast<std::size_t>(k)] = 0x8000;
    for (int k = 0; k < subs; ++k)
        pgc.subpictureControl[static_cast<std::size_t>(k)] = 0x80000000u;
    draft.pgcs = {pgc};
    return draft;
}

TEST(StreamReports, AudioLinesNameLanguageChannelsCodingAndStreamCodes)
{
    test_support::TitleSetDraft draft = Streams(2, 0);
    draft.audio[0] = {0 << 5, 5, 'e', 'n', 0, 0, 0, 0};
    draft.audio[1] = {0 << 5, 1, 'd', 'e', 0, 0, 0, 0};
    const auto info = ifoOpen(test_support::WriteTitleSet(draft).bytes);
    ASSERT_NE(info, nullptr);
    const std::vector<std::string> lines = AudioReportLines(info.get(), 2);
    EXPECT_EQ(lines, (std::vector<std::string>{"1: English", "    6 channels AC3 0xBD 0x80", "2: Deutsch",
                                               "    2 channels AC3 0xBD 0x81", "*"}));
    EXPECT_EQ(InfoReportText(InfoReportKind::Audio, lines),
              "1: English\r\n    6 channels AC3 0xBD 0x80\r\n2: Deutsch\r\n    2 channels AC3 0xBD 0x81\r\n" +
                  Repeat("\r\n", 6));

    // The counts of an earlier load may exceed this file's streams: its records are read as
    // they are (a blank record names the language "???").
    const std::vector<std::string> stale = AudioReportLines(info.get(), 3);
    ASSERT_EQ(stale.size(), 7u);
    EXPECT_EQ(stale[4], "3: ???");
    EXPECT_EQ(stale[5], "    1 channel  AC3 0xBD 0x82");
    EXPECT_EQ(AudioReportLines(info.get(), 20).size(), 17u); // eight slots at most
}

TEST(StreamReports, MonoMpegStreamWithBlankLanguageIsNotSpecified)
{
    test_support::TitleSetDraft draft = Streams(1, 0);
    draft.audio[0] = {2 << 5, 0, ' ', ' ', 0, 0, 0, 0};
    const auto info = ifoOpen(test_support::WriteTitleSet(draft).bytes);
    EXPECT_EQ(AudioReportLines(info.get(), 1),
              (std::vector<std::string>{"1: Not Specified", "    1 channel  MPEG1 0xC0", "*"}));
}

TEST(StreamReports, SubsLinesStayAlignedOnTheNumberFromTenOn)
{
    test_support::TitleSetDraft draft = Streams(0, 12);
    const char* codes[] = {"en", "de", "fr", "es", "it", "nl", "sv", "da", "fi", "pt", "ja", "ru"};
    for (std::size_t k = 0; k < 12; ++k)
        draft.subpictures[k] = {
            1, 0, static_cast<std::uint8_t>(codes[k][0]), static_cast<std::uint8_t>(codes[k][1]), 0, 0};
    const auto info = ifoOpen(test_support::WriteTitleSet(draft).bytes);
    const std::vector<std::string> lines = SubsReportLines(info.get(), 12);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], " 1 English");
    EXPECT_EQ(lines[8], " 9 Suomi");
    EXPECT_EQ(lines[9], "10 Portugues");
    EXPECT_EQ(lines[11], "12 Russian");
    EXPECT_EQ(lines[12], "*");
    const std::string text = InfoReportText(InfoReportKind::Subs, lines);
    EXPECT_EQ(text.rfind("12 Russian\r\n\r\n\r\n\r\n"), text.size() - 18);
    EXPECT_EQ(text.find(" 1 English\r\n 2 Deutsch\r\n"), 0u);
}

TEST(StreamReports, EmptyReportsArePaddedToTheirWindowsMinimum)
{
    const auto info = ifoOpen(test_support::WriteTitleSet(Streams(0, 0)).bytes);
    EXPECT_EQ(InfoReportText(InfoReportKind::Audio, AudioReportLines(info.get(), 0)), Repeat("\r\n", 10));
    EXPECT_EQ(InfoReportText(InfoReportKind::Subs, SubsReportLines(info.get(), 0)), Repeat("\r\n", 15));
    // Lines after the end marker are never shown.
    const std::vector<std::string> marked{"a", "*", "b"};
    EXPECT_EQ(InfoReportText(InfoReportKind::Subs, marked), "a\r\n" + Repeat("\r\n", 14));
}

TEST(StreamReports, VideoLinesAndTheirSevenLineText)
{
    const std::vector<std::string> wide = VideoReportLines(DecodeVideoAttributes(0x4C, 0x02));
    EXPECT_EQ(wide, (std::vector<std::string>{"Compression : MPEG-2", "System : NTSC 525/60",
                                              "Aspect Ratio : 16:9", "Display Mode : pan-scan & letterboxed",
                                              "Video Resolution : 720x480", "Letterboxed : yes"}));
    EXPECT_EQ(
        InfoReportText(InfoReportKind::Video, wide),
        "Compression : MPEG-2\r\nSystem : NTSC 525/60\r\nAspect Ratio : 16:9\r\n"
        "Display Mode : pan-scan & letterboxed\r\nVideo Resolution : 720x480\r\nLetterboxed : yes\r\n\r\n");

    const std::vector<std::string> cif = VideoReportLines(DecodeVideoAttributes(0x11, 0x0C));
    EXPECT_EQ(cif[0], "Compression : MPEG-1");
    EXPECT_EQ(cif[1], "System : PAL 625/50");
    EXPECT_EQ(cif[4], "Video Resolution : 352x288");
    EXPECT_EQ(cif[5], "Letterboxed : no");
    // A reserved standard code has no resolution name.
    EXPECT_EQ(VideoReportLines(DecodeVideoAttributes(0x27, 0x00))[4], "Video Resolution : ");
}

} // namespace
} // namespace ratewise
