// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <numeric>
#include <sstream>

#include "ifo/time_map.h"
#include "tests/ifo/title_set_writer.h"

namespace ratewise {
namespace {

using test_support::TimeMapDraft;

// Runs the whole pass over a title set holding these maps.
TimeMapData Pass(const std::vector<TimeMapDraft>& maps, std::vector<std::int32_t> seconds,
                 std::string* out = nullptr)
{
    test_support::TitleSetDraft draft;
    draft.timeMaps = maps;
    const auto image = test_support::WriteTitleSet(draft);
    MemoryByteSource source(image.bytes);
    std::ostringstream text, err;
    TimeMapData data;
    ifoRunTimeMapPass(source, seconds, data, text, err);
    EXPECT_EQ(err.str(), "");
    if (out != nullptr)
        *out = text.str();
    return data;
}

TEST(TimeMap, DecodesOffsetsWordsAndTimeUnits)
{
    std::string out;
    const TimeMapData data = Pass({{0, {0x80000005, 7}}, {4, {9, 11, 13}}}, {1, 1}, &out);
    EXPECT_EQ(out, "\nTIME MAP TABLE\n---\n");
    EXPECT_EQ(data.mapCount, 2);
    EXPECT_EQ(data.declaredMapCount, 2);
    EXPECT_EQ(data.endAddress, 16 + 12 + 16 - 1);
    EXPECT_EQ(data.mapOffsets, (std::vector<std::int32_t>{16, 28, data.endAddress - 4}));
    EXPECT_EQ(data.timeUnit, 1); // the first map says 0
    EXPECT_EQ(data.mapTimeUnits, (std::vector<std::int32_t>{1, 4}));
    // The second map's header (unit 4, 3 entries) stands among the words; the top bit is cleared.
    EXPECT_EQ(data.words, (std::vector<std::int32_t>{5, 7, 0x04000003, 9, 11, 13}));
}

TEST(TimeMap, AveragesTheSectorsBetweenFirstAndLastEntry)
{
    // Map 0: 10 sectors over a PGC of 0 seconds, divided by 0.5. Map 1: 750 sectors in one
    // second is 12000, stored as 1200. Map 2: 625 sectors, exactly 10000, stays.
    const TimeMapData data =
        Pass({{1, {100, 105, 110}}, {1, {0, 750}}, {1, {0, 625}}, {1, {0, 0, 0, 0}}}, {0, 1, 1, 1});
    EXPECT_EQ(data.averageKbps[0], 320);
    EXPECT_EQ(data.averageKbps[1], 1200);
    EXPECT_EQ(data.averageKbps[2], 10000);
}

TEST(TimeMap, LastMapEndsTwoEntriesBeforeTheTableEnd)
{
    // The closing boundary is endAddress - 4, so the last map's average runs from its first entry
    // to the entry two before its last: (30 - 10) x 16 / 2 = 160.
    const TimeMapData data = Pass({{1, {1, 2}}, {1, {10, 20, 30, 40, 50}}}, {1, 2});
    EXPECT_EQ(data.averageKbps[1], 160);
}

TEST(TimeMap, MapsTooShortForTwoEntriesAverageZero)
{
    // An empty map in the middle, a falling map, and a last map of two entries.
    const TimeMapData data = Pass({{1, {5, 50}}, {1, {}}, {1, {90, 10}}, {1, {100, 900}}}, {1, 1, 1, 1});
    EXPECT_EQ(data.averageKbps, (std::vector<std::int32_t>{720, 0, 0, 0}));
    EXPECT_EQ(Pass({{1, {100, 900}}}, {1}).averageKbps, (std::vector<std::int32_t>{0}));
    EXPECT_EQ(Pass({}, {}).mapCount, 0);
}

TEST(TimeMap, ReadsALargeTableWholeSoItsLastWordIsRealData)
{
    std::vector<std::uint32_t> entries(700);
    std::iota(entries.begin(), entries.end(), 1u);
    const TimeMapData data = Pass({{2, entries}}, {1400});
    ASSERT_EQ(data.words.size(), 700u);
    EXPECT_EQ(data.words.back(), 700);
    EXPECT_EQ(data.averageKbps[0], (698 - 1) * 16 / 1400);
}

TEST(TimeMap, StopsAtTheCapacities)
{
    std::vector<TimeMapDraft> maps(150, TimeMapDraft{3, {1, 2, 3}});
    maps.push_back({1, std::vector<std::uint32_t>(70000, 9)});
    const TimeMapData data = Pass(maps, {});
    EXPECT_EQ(data.declaredMapCount, 151);
    EXPECT_EQ(data.mapCount, kMaxTimeMaps);
    ASSERT_EQ(data.mapOffsets.size(), 101u);
    EXPECT_EQ(data.mapOffsets[100], data.mapOffsets[99] + 16); // where map 100 starts
    EXPECT_EQ(data.averageKbps.size(), 100u);
    EXPECT_EQ(data.averageKbps[99], 64); // (3 - 1) x 16 / 0.5
    EXPECT_EQ(data.words.size(), static_cast<std::size_t>(kMaxTimeMapWords));
}

TEST(TimeMap, MissingTableKeepsThePreviousData)
{
    test_support::TitleSetDraft draft;
    const auto image = test_support::WriteTitleSet(draft); // no time map table
    MemoryByteSource source(image.bytes);
    std::ostringstream out, err;
    TimeMapData data = Pass({{1, {1, 2, 3}}}, {1});
    const TimeMapData before = data;
    ifoRunTimeMapPass(source, {}, data, out, err);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(data.words, before.words);
    ifoRunTimeMapPass(std::string(RATEWISE_FIXTURES_DIR "/ifo/missing.IFO"), {}, data, out, err);
    EXPECT_EQ(data.averageKbps, before.averageKbps);
}

} // namespace
} // namespace ratewise
