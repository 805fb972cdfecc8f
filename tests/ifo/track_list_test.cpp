// SPDX-License-Identifier: GPL-3.0-or-later
// The track list on title sets made by the fixture writer: the frame axis, entry texts, reports,
// the selection sum and what a failed or empty load leaves behind.
#include <climits>
#include <gtest/gtest.h>
#include <sstream>

#include "common/string_format.h"
#include "ifo/track_texts.h"
#include "tests/ifo/title_set_writer.h"

namespace ratewise {
namespace {

using test_support::BcdTime;
using test_support::PgcDraft;

constexpr std::uint8_t kPalVideo = 0x50;
constexpr std::uint8_t kNtscVideo = 0x40;

PgcDraft Pgc(int h, int m, int s, int f, int cellCount = 1)
{
    PgcDraft pgc{BcdTime(h, m, s, f), {1}, {}};
    for (int c = 0; c < cellCount; ++c)
        pgc.cells.push_back({0, BcdTime(0, 0, 1, 0), 0, 99, 1, static_cast<std::uint8_t>(c + 1)});
    return pgc;
}

// Parses a title set held in memory; the progress text lands in `out`.
TrackList Parse(const test_support::TitleSetDraft& draft, std::string* out = nullptr)
{
    const std::vector<std::uint8_t> bytes = test_support::WriteTitleSet(draft).bytes;
    MemoryByteSource source(bytes);
    std::ostringstream progress, err;
    TrackList list;
    EXPECT_TRUE(ifoParse(source, "memory.ifo", list, progress, err));
    EXPECT_EQ(err.str(), "");
    if (out != nullptr)
        *out = progress.str();
    return list;
}

test_support::TitleSetDraft ThreeTracks(std::uint8_t video)
{
    test_support::TitleSetDraft draft;
    draft.video0 = video;
    draft.pgcs = {Pgc(0, 0, 10, 0, 2), Pgc(0, 0, 20, 5, 5), Pgc(1, 0, 0, 0, 3)};
    return draft;
}

TEST(TrackList, FrameAxisChainsTheTracksAtTheTitleSetsFrameRate)
{
    const TrackList pal = Parse(ThreeTracks(kPalVideo));
    EXPECT_EQ(pal.pgcCount, 3);
    EXPECT_EQ(pal.frameRate, 25);
    EXPECT_EQ(pal.lastFrame, (std::vector<std::int32_t>{250, 755, 90755}));
    EXPECT_EQ(pal.firstFrame, (std::vector<std::int32_t>{0, 251, 756, 90756}));
    EXPECT_EQ(pal.cells, (std::vector<std::int32_t>{2, 5, 3}));
    EXPECT_EQ(pal.TrackCount(), 3);
    EXPECT_EQ(pal.RunningSeconds(2), 3600);

    const TrackList ntsc = Parse(ThreeTracks(kNtscVideo));
    EXPECT_EQ(ntsc.frameRate, 30);
    EXPECT_EQ(ntsc.lastFrame[0], 300);
    EXPECT_EQ(ntsc.firstFrame[1], 301);
    EXPECT_EQ(ntsc.lastFrame[1], 300 + 605);
}

TEST(TrackList, ReportsGiveFramesAndSecondsOfTheFocusedTrack)
{
    const TrackList pal = Parse(ThreeTracks(kPalVideo));
    EXPECT_EQ(TrackReportText(pal, 0), "Track Number: 1\n"
                                       "------------------------------\n"
                                       "Average bitrate: 0 Kbps\n"
                                       "------------------------------\n"
                                       "First Frame: 0\n"
                                       "Last Frame: 250\n"
                                       "Number of frames: 251\n"
                                       "------------------------------\n"
                                       "Start time: 0.00\n"
                                       "End time: 10.00");
    const std::string second = TrackReportText(pal, 1);
    EXPECT_NE(second.find("Track Number: 2\n"), std::string::npos);
    EXPECT_NE(second.find("First Frame: 251\nLast Frame: 755\nNumber of frames: 505\n"), std::string::npos);
    EXPECT_NE(second.find("Start time: 10.04\nEnd time: 30.20"), std::string::npos);

    // Counted at 30, converted at 29.97.
    const TrackList ntsc = Parse(ThreeTracks(kNtscVideo));
    EXPECT_NE(TrackReportText(ntsc, 0).find("Last Frame: 300\nNumber of frames: 301\n"), std::string::npos);
    EXPECT_NE(TrackReportText(ntsc, 0).find("End time: 10.01"), std::string::npos);
}

TEST(TrackList, ReportCarriesTheTimeMapsAverageOfTheTrack)
{
    test_support::TitleSetDraft draft = ThreeTracks(kPalVideo);
    // 100 sectors a second for 10 entries in the first map, 50 a second in the second.
    std::vector<test_support::TimeMapDraft> maps(3);
    for (std::uint32_t k = 0; k < 10; ++k) {
        maps[0].entries.push_back(100 * k);
        maps[1].entries.push_back(5000 + 50 * k);
        maps[2].entries.push_back(9000 + 50 * k);
    }
    draft.timeMaps = maps;
    const std::vector<std::uint8_t> bytes = test_support::WriteTitleSet(draft).bytes;
    MemoryByteSource source(bytes);
    std::ostringstream out, err;
    TrackList list;
    ASSERT_TRUE(ifoParse(source, "maps.ifo", list, out, err));

    // The pass is the reader's own; the load must hand it each track's whole seconds.
    TimeMapData direct;
    const std::vector<std::int32_t> seconds{10, 20, 3600};
    MemoryByteSource again(bytes);
    std::ostringstream ignored;
    ifoRunTimeMapPass(again, seconds, direct, ignored, ignored);
    ASSERT_EQ(list.timeMap.averageKbps, direct.averageKbps);
    ASSERT_GT(list.AverageKbps(0), 0);
    EXPECT_NE(TrackReportText(list, 0).find(StringPrintf("Average bitrate: %d Kbps\n", list.AverageKbps(0))),
              std::string::npos);
    EXPECT_EQ(out.str(), "Parsing \"maps.ifo\"...\n\nTIME MAP TABLE\n---\n");
}

TEST(TrackList, EntryTextsPadMinutesSecondsAndFramesAndPrefixTheHours)
{
    test_support::TitleSetDraft draft;
    draft.video0 = kPalVideo;
    draft.pgcs = {Pgc(1, 23, 5, 7), Pgc(10, 0, 9, 24), Pgc(0, 59, 10, 10)};
    const TrackList list = Parse(draft);
    EXPECT_EQ(TrackEntryText(list, 0), "T1: 01:23:05 .07");
    EXPECT_EQ(TrackEntryLines(list),
              (std::vector<std::string>{"T1: 01:23:05 .07", "T2: 010:00:09 .24", "T3: 00:59:10 .10"}));
}

TEST(TrackList, SelectionSumsTimesWithCarriesAndTakesTheLastSelectedCells)
{
    test_support::TitleSetDraft draft;
    draft.video0 = kPalVideo;
    draft.pgcs = {Pgc(0, 40, 50, 20, 4), Pgc(0, 30, 20, 24, 7), Pgc(2, 59, 59, 0, 1)};
    const TrackList list = Parse(draft);

    const std::vector<int> firstTwo{0, 1};
    EXPECT_EQ(SumSelectedTracks(list, firstTwo), (TrackDuration{1, 11, 10})); // frames ignored
    EXPECT_EQ(SelectedCells(list, firstTwo), 7);
    const std::vector<int> all{0, 1, 2};
    EXPECT_EQ(SumSelectedTracks(list, all), (TrackDuration{4, 11, 9}));
    const std::vector<int> one{2};
    EXPECT_EQ(SumSelectedTracks(list, one), (TrackDuration{2, 59, 59}));

    EXPECT_EQ(SumSelectedTracks(list, {}), std::nullopt);
    EXPECT_EQ(SelectedCells(list, {}), 0);
    EXPECT_EQ(SumSelectedTracks(TrackList{}, one), std::nullopt);
    EXPECT_EQ(SelectedCells(TrackList{}, one), 0);
}

TEST(TrackList, ListsEveryProgramChainHoweverManyThereAre)
{
    for (const int count : {98, 99, 150}) {
        test_support::TitleSetDraft draft;
        for (int i = 0; i < count; ++i)
            draft.pgcs.push_back(Pgc(0, i % 60, 1, 0));
        const TrackList list = Parse(draft);
        EXPECT_EQ(list.pgcCount, count);
        const std::vector<std::string> lines = TrackEntryLines(list);
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(count));
        EXPECT_EQ(lines.back(),
                  StringPrintf("T%d: 00:", count) + WithLeadingZero((count - 1) % 60) + ":01 .00");
    }
}

TEST(TrackList, FrameAxisStopsAtTheLargestNumberInsteadOfWrapping)
{
    test_support::TitleSetDraft draft;
    for (int i = 0; i < 250; ++i)
        draft.pgcs.push_back(Pgc(99, 59, 59, 29));
    const TrackList list = Parse(draft);
    EXPECT_EQ(list.lastFrame[0], 10799999);
    EXPECT_EQ(list.lastFrame.back(), INT_MAX);
    EXPECT_EQ(list.firstFrame.back(), INT_MAX);
    for (std::size_t i = 1; i < list.lastFrame.size(); ++i)
        EXPECT_GE(list.lastFrame[i], list.lastFrame[i - 1]);
    EXPECT_NE(TrackReportText(list, 249).find("Number of frames: 1\n"), std::string::npos);
}

TEST(TrackList, FailedLoadKeepsOnlyTheUntouchedTablesOfThePreviousFile)
{
    test_support::TitleSetDraft draft = ThreeTracks(kPalVideo);
    draft.audioCount = 1;
    draft.pgcs[0].audioControl[0] = 0x8000;
    TrackList list = Parse(draft);
    ASSERT_EQ(list.audioStreamCount, 1);

    list.MarkEmpty();
    const std::vector<std::uint8_t> notATitleSet(4096, 0x20);
    MemoryByteSource source(notATitleSet);
    std::ostringstream out, err;
    EXPECT_FALSE(ifoParse(source, "menu.ifo", list, out, err));
    EXPECT_EQ(out.str(), "Parsing \"menu.ifo\"...\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.pgcCount, 0);
    EXPECT_TRUE(TrackEntryLines(list).empty());
    EXPECT_EQ(list.RunningSeconds(0), 0);
    // Cells, frames, frame numbers and stream counts stay as the last good load left them.
    EXPECT_EQ(list.cells, (std::vector<std::int32_t>{2, 5, 3}));
    EXPECT_EQ(list.lastFrame[2], 90755);
    EXPECT_EQ(list.audioStreamCount, 1);
    const std::vector<int> first{0};
    EXPECT_EQ(SumSelectedTracks(list, first), std::nullopt);
    EXPECT_EQ(SelectedCells(list, first), 2);
}

TEST(TrackList, EmptyPathSucceedsWithoutTouchingAnything)
{
    TrackList list = Parse(ThreeTracks(kPalVideo));
    list.MarkEmpty();
    std::ostringstream out, err;
    EXPECT_TRUE(ifoParse(std::string(), list, out, err));
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(TrackEntryLines(list).empty());
    EXPECT_EQ(list.cells.size(), 3u);

    EXPECT_FALSE(ifoParse(std::string("/no/such/VTS_01_0.IFO"), list, out, err));
    EXPECT_EQ(out.str(), "Parsing \"/no/such/VTS_01_0.IFO\"...\n");
}

} // namespace
} // namespace ratewise
