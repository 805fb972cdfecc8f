// SPDX-License-Identifier: GPL-3.0-or-later
// The chapter walk on title sets built in memory, and on the real sets compared with a peer's
// chapter extraction (dvdxchap.txt beside each set).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "chapters/chapter_list_builder.h"
#include "chapters/chapter_text.h"
#include "common/string_format.h"
#include "tests/ifo/title_set_writer.h"

namespace ratewise {
namespace {

using test_support::BcdTime;
using test_support::CellDraft;
using test_support::PgcDraft;
using test_support::TitleSetDraft;

constexpr std::uint8_t kNtsc = 0x40; // MPEG-2, standard bits 00
constexpr std::uint8_t kPal = 0x50;  // MPEG-2, standard bits 01

struct Cell {
    int hours, minutes, seconds, frames;
};

// One track of `cells`; programMap holds the first cell (from 1) of each program.
TitleSetDraft OneTrack(std::uint8_t video0, const std::vector<Cell>& cells,
                       std::vector<std::uint8_t> programMap)
{
    TitleSetDraft draft;
    draft.video0 = video0;
    PgcDraft pgc;
    pgc.programMap = std::move(programMap);
    for (const Cell& c : cells)
        pgc.cells.push_back(CellDraft{0, BcdTime(c.hours, c.minutes, c.seconds, c.frames, video0 == kPal)});
    draft.pgcs.push_back(pgc);
    return draft;
}

// One program per cell.
std::vector<std::uint8_t> EachCellAProgram(std::size_t cells)
{
    std::vector<std::uint8_t> map;
    for (std::size_t c = 1; c <= cells; ++c)
        map.push_back(static_cast<std::uint8_t>(c));
    return map;
}

ChapterList Build(const TitleSetDraft& draft, PlaybackTime running)
{
    const auto image = test_support::WriteTitleSet(draft);
    const auto info = ifoOpen(std::span<const std::uint8_t>(image.bytes));
    EXPECT_NE(info, nullptr);
    const int cells = static_cast<int>(draft.pgcs[0].cells.size());
    std::optional<ChapterList> list = BuildChapterList(*info, 0, cells, running);
    EXPECT_TRUE(list.has_value());
    return list.value_or(ChapterList{});
}

TEST(BuildChapterList, NtscStartsInTheThreeFormsWithThirtyFrameCarry)
{
    // The second cell brings the sum to 59 s 30 f, which carries to 1:00 with 0 frames: time
    // codes count 30 frames, while the forms convert with 29.97.
    const std::vector<Cell> cells{{0, 0, 0, 15},  {0, 0, 59, 15}, {0, 0, 40, 15},
                                  {0, 10, 27, 0}, {0, 0, 0, 14},  {0, 0, 10, 0}};
    const ChapterList list = Build(OneTrack(kNtsc, cells, EachCellAProgram(cells.size())), {0, 12, 17, 0});
    ASSERT_EQ(list.chapterCount, 6);
    EXPECT_EQ(list.timeLines,
              (std::vector<std::string>{"Chapter 1 = 00:00:00:00", "Chapter 2 = 00:00:00:50",
                                        "Chapter 3 = 00:01:00:00", "Chapter 4 = 00:01:40:50",
                                        "Chapter 5 = 00:12:07:50", "Chapter 6 = 00:12:07:96"}));
    EXPECT_EQ(list.frameLines,
              (std::vector<std::string>{"Chapter 1 = 0", "Chapter 2 = 15", "Chapter 3 = 1798",
                                        "Chapter 4 = 3012", "Chapter 5 = 21803", "Chapter 6 = 21817"}));
    EXPECT_EQ(list.secondLines,
              (std::vector<std::string>{"Chapter 1 = 0.00", "Chapter 2 = 0.50", "Chapter 3 = 60.00",
                                        "Chapter 4 = 100.50", "Chapter 5 = 727.50", "Chapter 6 = 727.97"}));
    // Whole seconds only; the last entry is the running time.
    EXPECT_EQ(list.startSeconds, (std::vector<int>{0, 0, 60, 100, 727, 727, 737}));
}

TEST(BuildChapterList, PalCountsTwentyFiveFrames)
{
    const std::vector<Cell> cells{{0, 0, 0, 12}, {0, 0, 0, 13}, {0, 0, 58, 24}, {0, 0, 3, 0}};
    const ChapterList list = Build(OneTrack(kPal, cells, EachCellAProgram(cells.size())), {0, 1, 2, 0});
    ASSERT_EQ(list.chapterCount, 4);
    EXPECT_EQ(list.timeLines[1], "Chapter 2 = 00:00:00:48");
    EXPECT_EQ(list.frameLines[1], "Chapter 2 = 12");
    EXPECT_EQ(list.secondLines[1], "Chapter 2 = 0.48");
    // 25 frames carry to a second; 24 do not.
    EXPECT_EQ(list.timeLines[2], "Chapter 3 = 00:00:01:00");
    EXPECT_EQ(list.frameLines[2], "Chapter 3 = 25");
    EXPECT_EQ(list.timeLines[3], "Chapter 4 = 00:00:59:96");
    EXPECT_EQ(list.frameLines[3], "Chapter 4 = 1499");
    EXPECT_EQ(list.secondLines[3], "Chapter 4 = 59.96");
    EXPECT_EQ(list.startSeconds, (std::vector<int>{0, 0, 1, 59, 62}));
}

TEST(BuildChapterList, ChapterStartsAtTheFirstCellOfEachProgram)
{
    // Programs of 2, 1 and 3 cells; 28 frames stay out of the whole-second start.
    const std::vector<Cell> cells{{0, 0, 30, 0}, {0, 0, 29, 28}, {0, 1, 0, 0},
                                  {0, 0, 5, 0},  {0, 0, 5, 0},   {0, 0, 5, 0}};
    const ChapterList list = Build(OneTrack(kNtsc, cells, {1, 3, 4}), {0, 2, 44, 28});
    ASSERT_EQ(list.chapterCount, 3);
    EXPECT_EQ(list.secondLines,
              (std::vector<std::string>{"Chapter 1 = 0.00", "Chapter 2 = 59.93", "Chapter 3 = 119.93"}));
    EXPECT_EQ(list.startSeconds, (std::vector<int>{0, 59, 119, 164}));
}

TEST(BuildChapterList, NoChapterBeginsInTheTracksLastSecond)
{
    // Program 3 begins at 00:00:20 with frames, the running time's second: not listed. Its second
    // cell begins later, and compared with the last listed program (2) it starts a chapter.
    const std::vector<Cell> cells{{0, 0, 10, 0}, {0, 0, 10, 0}, {0, 0, 1, 0}, {0, 0, 1, 0}};
    const ChapterList late = Build(OneTrack(kPal, cells, {1, 2, 3}), {0, 0, 20, 0});
    EXPECT_EQ(late.chapterCount, 3);
    EXPECT_EQ(late.timeLines.back(), "Chapter 3 = 00:00:21:00");
    EXPECT_EQ(late.startSeconds, (std::vector<int>{0, 10, 21, 20}));

    const std::vector<Cell> tail{{0, 0, 10, 0}, {0, 0, 10, 12}, {0, 0, 0, 10}};
    const ChapterList list = Build(OneTrack(kPal, tail, {1, 2, 3}), {0, 0, 20, 0});
    EXPECT_EQ(list.chapterCount, 2);
    EXPECT_EQ(list.startSeconds, (std::vector<int>{0, 10, 20}));
}

TEST(BuildChapterList, TrackShorterThanASecondHasNoChapters)
{
    const ChapterList list = Build(OneTrack(kPal, {{0, 0, 0, 10}, {0, 0, 0, 5}}, {1, 2}), {0, 0, 0, 15});
    EXPECT_EQ(list.chapterCount, 0);
    EXPECT_TRUE(list.timeLines.empty());
    EXPECT_EQ(list.startSeconds, (std::vector<int>{0}));
    std::string sixteen;
    for (int i = 0; i < 16; ++i)
        sixteen += "\r\n";
    for (ChapterFormat format :
         {ChapterFormat::StartTime, ChapterFormat::StartFrame, ChapterFormat::StartSecond})
        EXPECT_EQ(ChapterText(list, format), sixteen);
}

TEST(BuildChapterList, LongTracksPrintHoursAsTheyAreAndCountInEightBits)
{
    // Seven programs of no length, then ten hours: chapter 9 begins at 10:02:03.
    std::vector<Cell> cells(7, Cell{0, 0, 0, 0});
    cells.push_back({10, 2, 3, 0});
    cells.push_back({99, 0, 0, 0});
    cells.push_back({99, 0, 0, 0});
    cells.push_back({99, 0, 0, 0});
    cells.push_back({0, 0, 1, 0});
    const ChapterList list = Build(OneTrack(kNtsc, cells, EachCellAProgram(cells.size())), {1, 0, 0, 0});
    ASSERT_EQ(list.chapterCount, 12);
    EXPECT_EQ(list.timeLines[8], "Chapter 9 = 10:02:03:00");
    EXPECT_EQ(list.frameLines[8], "Chapter 9 = 1082606");
    // 10 + 3 x 99 hours = 307 wraps to 51 in the 8-bit hour counter.
    EXPECT_EQ(list.timeLines[11], "Chapter 12 = 51:02:03:00");
    EXPECT_EQ(list.startSeconds[11], 51 * 3600 + 123);
    EXPECT_EQ(list.startSeconds.back(), 3600);
}

TEST(BuildChapterList, SizedToTrackWithAllProgramsAChapterTable)
{
    const std::vector<Cell> cells(255, Cell{0, 0, 1, 0});
    const ChapterList list = Build(OneTrack(kPal, cells, EachCellAProgram(cells.size())), {0, 4, 15, 0});
    ASSERT_EQ(list.chapterCount, 255);
    EXPECT_EQ(list.timeLines.size(), 255u);
    EXPECT_EQ(list.startSeconds.size(), 256u);
    EXPECT_EQ(list.timeLines.back(), "Chapter 255 = 00:04:14:00");
    EXPECT_EQ(list.secondLines.back(), "Chapter 255 = 254.00");
    EXPECT_EQ(list.startSeconds.back(), 255);
    const std::string text = ChapterText(list, ChapterFormat::StartFrame);
    EXPECT_EQ(text.rfind("Chapter 255 = 6350\r\n"), text.size() - 20);
}

TEST(BuildChapterList, RefusesWhatItCannotRead)
{
    TitleSetDraft draft = OneTrack(kPal, {{0, 0, 5, 0}, {0, 0, 5, 0}}, {1, 2});
    draft.pgcs[0].time = BcdTime(0, 0, 10, 0);
    const auto image = test_support::WriteTitleSet(draft);
    const auto info = ifoOpen(std::span<const std::uint8_t>(image.bytes));
    ASSERT_NE(info, nullptr);
    EXPECT_FALSE(BuildChapterList(*info, 1, 2, {0, 0, 10, 0}).has_value()); // no second track
    EXPECT_FALSE(BuildChapterList(*info, 0, 1, {0, 0, 10, 0}).has_value()); // fewer cells than it has
    EXPECT_FALSE(BuildChapterList(*info, 0, -1, {0, 0, 10, 0}).has_value());
    EXPECT_FALSE(BuildChapterListOfTrack(*info, -1).has_value());
    EXPECT_FALSE(BuildChapterListOfTrack(*info, 1).has_value());
    EXPECT_FALSE(
        BuildChapterList(std::string(RATEWISE_FIXTURES_DIR "/ifo/missing.IFO"), 0, 1, {}).has_value());
    EXPECT_FALSE(
        BuildChapterList(std::string(RATEWISE_FIXTURES_DIR "/ifo/pal_98_titles/VIDEO_TS.IFO"), 0, 1, {})
            .has_value());

    // Read from the program chain itself, the track is whole.
    const std::optional<ChapterList> own = BuildChapterListOfTrack(*info, 0);
    ASSERT_TRUE(own.has_value());
    EXPECT_EQ(own->startSeconds, (std::vector<int>{0, 5, 10}));
}

// dvdxchap's chapter starts, in seconds, per title.
std::map<int, std::vector<double>> ReadPeerChapters(const std::string& folder)
{
    static const std::regex title(R"(^## dvdxchap -t (\d+))");
    static const std::regex chapter(R"(^CHAPTER\d+=(\d+):(\d+):(\d+)\.(\d+)$)");
    std::ifstream in(folder + "/dvdxchap.txt");
    std::map<int, std::vector<double>> titles;
    int current = 0;
    std::smatch m;
    for (std::string line; std::getline(in, line);) {
        if (std::regex_search(line, m, title))
            current = std::stoi(m[1]);
        else if (std::regex_search(line, m, chapter))
            titles[current].push_back(std::stoi(m[1]) * 3600 + std::stoi(m[2]) * 60 + std::stoi(m[3]) +
                                      std::stoi(m[4]) / 1000.0);
    }
    return titles;
}

class RealChapters : public ::testing::TestWithParam<const char*>
{
};

TEST_P(RealChapters, EveryPeerChapterIsListedExceptInTheLastSecond)
{
    const std::string folder = std::string(RATEWISE_FIXTURES_DIR "/ifo/") + GetParam();
    const auto peer = ReadPeerChapters(folder);
    const auto info = ifoOpen(folder + "/VTS_01_0.IFO");
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(static_cast<int>(peer.size()), ifoGetPGCCount(info.get()));
    for (const auto& [title, starts] : peer) {
        const std::optional<ChapterList> list = BuildChapterListOfTrack(*info, title - 1);
        ASSERT_TRUE(list.has_value()) << title;
        PlaybackTime running;
        ifoGetPlaybackTime(info.get(), title - 1, &running);
        const int end = running.hours * 3600 + running.minutes * 60 + running.seconds;
        EXPECT_EQ(list->startSeconds.back(), end);
        std::size_t found = 0;
        for (double start : starts) {
            const auto second = static_cast<int>(start);
            if (second == end)
                continue; // begins in the last second: not a chapter here
            const std::string text = StringPrintf("%.2f", start);
            const auto listed = std::find_if(
                list->secondLines.begin(), list->secondLines.end(),
                [&](const std::string& line) { return line.substr(line.find(" = ") + 3) == text; });
            ASSERT_NE(listed, list->secondLines.end()) << GetParam() << " title " << title << " at " << text;
            EXPECT_EQ(list->startSeconds[static_cast<std::size_t>(listed - list->secondLines.begin())],
                      second);
            ++found;
        }
        // Programs that are not chapters for the peer are still chapters here.
        EXPECT_GE(static_cast<std::size_t>(list->chapterCount), found) << title;
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RealChapters,
                         ::testing::Values("pal_d1_3audio_cells", "ntsc_d1_wide_subs16_menu",
                                           "pal_98_titles"));

TEST(RealChapterList, CellsTitleListsEveryProgram)
{
    const auto info = ifoOpen(std::string(RATEWISE_FIXTURES_DIR "/ifo/pal_d1_3audio_cells/VTS_01_0.IFO"));
    ASSERT_NE(info, nullptr);
    // Five programs over nine cells; the one at 25.2 s is not a chapter for the peer.
    const std::optional<ChapterList> first = BuildChapterListOfTrack(*info, 0);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->timeLines,
              (std::vector<std::string>{"Chapter 1 = 00:00:00:00", "Chapter 2 = 00:00:10:20",
                                        "Chapter 3 = 00:00:25:20", "Chapter 4 = 00:00:30:00",
                                        "Chapter 5 = 00:00:40:20"}));
    EXPECT_EQ(first->frameLines[4], "Chapter 5 = 1005");
    EXPECT_EQ(first->startSeconds, (std::vector<int>{0, 10, 25, 30, 40, 45}));
    // 0.6 s: no chapter at all. 20.8 s: the third program begins in the last second.
    EXPECT_EQ(BuildChapterListOfTrack(*info, 1)->chapterCount, 0);
    EXPECT_EQ(BuildChapterListOfTrack(*info, 2)->startSeconds, (std::vector<int>{0, 10, 20}));
}

} // namespace
} // namespace ratewise
