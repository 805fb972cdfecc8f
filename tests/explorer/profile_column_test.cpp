// SPDX-License-Identifier: GPL-3.0-or-later
// The bitrate profile of title sets built by the fixture writer and of the real title sets: one
// held value per pixel column, from the focused track's own map and time unit.
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <numeric>
#include <sstream>

#include "explorer/explorer_source.h"
#include "explorer/profile_column.h"
#include "ifo/byte_source.h"
#include "tests/ifo/title_set_writer.h"

namespace ratewise {
namespace {

using test_support::TimeMapDraft;

// A title set with one program chain of `seconds` per map, read as the explorer reads it.
ExplorerRead Read(const std::vector<TimeMapDraft>& maps, int focused, std::vector<int> seconds = {},
                  std::vector<std::string> lines = {})
{
    test_support::TitleSetDraft draft;
    // At least one program chain, so that a set without maps still opens.
    for (std::size_t i = 0; i < std::max<std::size_t>(maps.size(), 1); ++i) {
        const int s = i < seconds.size() ? seconds[i] : 60;
        test_support::PgcDraft pgc;
        pgc.time = test_support::BcdTime(s / 3600, s / 60 % 60, s % 60, 0);
        draft.pgcs.push_back(pgc);
    }
    draft.timeMaps = maps;
    const auto image = test_support::WriteTitleSet(draft);
    MemoryByteSource source(image.bytes);
    std::ostringstream err;
    return ReadExplorerData(source, lines, focused, err);
}

std::vector<int> Columns(const std::vector<TimeMapDraft>& maps, int track, int width)
{
    const ExplorerRead read = Read(maps, track);
    EXPECT_TRUE(read.data.has_value());
    return read.data ? ProfileColumns(*read.data, width) : std::vector<int>{};
}

std::vector<int> Repeat(std::initializer_list<std::pair<int, int>> runs)
{
    std::vector<int> values;
    for (const auto& [value, count] : runs)
        values.insert(values.end(), static_cast<std::size_t>(count), value);
    return values;
}

TEST(ProfileColumn, FewEntriesRunInFlatStepsAndTheRightEdgeKeepsItsValue)
{
    // Track 0's map spans 20 bytes (header and 4 entries) over a plot 20 wide: each entry covers
    // four columns, the first three columns have no entry yet and stay at 0. The next map holds
    // 1700 entries, so its header word reads 1700: were it taken as entry 4, the last columns
    // would drop to (1700 - 1600) x 16 = 1600 instead of keeping 4800.
    const std::vector<TimeMapDraft> maps = {{1, {1000, 1100, 1300, 1600}},
                                            {0, std::vector<std::uint32_t>(1700, 5000)}};
    EXPECT_EQ(Columns(maps, 0, 20), Repeat({{0, 3}, {1600, 4}, {3200, 4}, {4800, 8}}));
    // Wider plots stretch the same steps. A plot two wide has one column, spanning entries 0 to 2;
    // one pixel wide, it has none.
    EXPECT_EQ(Columns(maps, 0, 40), Repeat({{0, 7}, {1600, 8}, {3200, 8}, {4800, 16}}));
    EXPECT_EQ(Columns(maps, 0, 2), std::vector<int>{2400});
    EXPECT_TRUE(Columns(maps, 0, 1).empty());
}

TEST(ProfileColumn, EachTrackDividesByItsOwnTimeUnitAndZeroCountsAsOne)
{
    // The same entries under units 0, 1 and 4: 0 behaves as 1, and the third map's unit of 4
    // divides its own values even though the first map's unit is 0.
    const std::vector<std::uint32_t> entries = {1000, 1100, 1300, 1600};
    const std::vector<TimeMapDraft> maps = {{0, entries}, {1, entries}, {4, entries}, {1, {1, 2}}};
    const std::vector<int> unitOne = Repeat({{0, 3}, {1600, 4}, {3200, 4}, {4800, 8}});
    EXPECT_EQ(Columns(maps, 0, 20), unitOne);
    EXPECT_EQ(Columns(maps, 1, 20), unitOne);
    EXPECT_EQ(Columns(maps, 2, 20), Repeat({{0, 3}, {400, 4}, {800, 4}, {1200, 8}}));
    EXPECT_EQ(Read(maps, 2).data->TimeUnitOf(2), 4);
    EXPECT_EQ(Read(maps, 0).data->TimeUnitOf(0), 1);
}

TEST(ProfileColumn, SkipsZeroFirstAddressesFallingAddressesAndTheTopOfTheScale)
{
    // One entry per column (span 24 over 6 columns): 0 -> 100 starts at address 0, 100 -> 50
    // falls, 50 -> 200 is 2400, 200 -> 825 is exactly 10000, and column 5 reaches past the map.
    std::vector<TimeMapDraft> maps = {{1, {0, 100, 50, 200, 825}}, {1, {1, 2}}};
    EXPECT_EQ(Columns(maps, 0, 6), (std::vector<int>{0, 0, 2400, 2400, 2400}));
    // One sector less stays just below the top of the scale.
    maps[0].entries[4] = 824;
    EXPECT_EQ(Columns(maps, 0, 6), (std::vector<int>{0, 0, 2400, 9984, 9984}));
    // The discontinuity bit is not part of the address.
    maps[0].entries = {0x80000000u | 100, 0x80000000u | 200, 300, 400, 500};
    EXPECT_EQ(Columns(maps, 0, 6), (std::vector<int>{1600, 1600, 1600, 1600, 1600}));
}

TEST(ProfileColumn, ManyEntriesPerColumnAverageTheirSpan)
{
    // 100 entries rising 10 sectors a second over a plot 11 wide: each column spans about 9
    // entries, always 160 kbit/s, except where a jump of 1000 sectors falls inside a column.
    std::vector<std::uint32_t> entries(100);
    for (std::size_t k = 0; k < entries.size(); ++k)
        entries[k] = static_cast<std::uint32_t>(1000 + 10 * k + (k >= 50 ? 1000 : 0));
    const std::vector<int> columns = Columns({{1, entries}, {1, {1, 2}}}, 0, 11);
    ASSERT_EQ(columns.size(), 10u);
    int jumps = 0;
    for (const int value : columns) {
        EXPECT_TRUE(value == 160 || value > 1000) << value;
        jumps += value > 1000;
    }
    EXPECT_EQ(jumps, 1);
}

TEST(ProfileColumn, NeverReadsPastTheDecodedWords)
{
    // A map offset far beyond the table: its entries are not among the words, nothing is taken.
    ExplorerData data = *Read({{1, {1000, 1100, 1300, 1600}}, {1, {1, 2}}}, 0).data;
    data.mapOffsets[1] = 1 << 20;
    data.mapOffsets[2] = (1 << 20) + 400;
    data.entryCounts[1] = 100;
    data.currentTrack = 1;
    EXPECT_EQ(ProfileColumns(data, 50), std::vector<int>(49, 0));
    EXPECT_EQ(data.Entry(1, 0), std::nullopt);
    EXPECT_EQ(data.Entry(0, -1), std::nullopt);
    // A next map that starts before this one gives a negative span: no column has an entry,
    // although the track's own entries could be read.
    data.currentTrack = 0;
    data.mapOffsets[1] = data.mapOffsets[0] - 20;
    ASSERT_EQ(data.Entry(0, 3), 1600);
    EXPECT_EQ(ProfileColumns(data, 50), std::vector<int>(49, 0));
}

TEST(ExplorerSnapshot, TracksNeedAMapAndARunningTime)
{
    const std::vector<TimeMapDraft> maps = {{1, {10, 20}}, {1, {30, 40}}, {1, {50, 60}}};
    const ExplorerRead read = Read(maps, 1, {90, 700, 30}, {"T1: 00:01:30 .00", "T2: 00:11:40 .00"});
    ASSERT_TRUE(read.data);
    const ExplorerData& data = *read.data;
    EXPECT_EQ(data.trackCount, 3);
    EXPECT_EQ(data.currentTrack, 1);
    EXPECT_EQ(data.durationSeconds, (std::vector<std::int32_t>{90, 700, 30}));
    EXPECT_EQ(data.trackNames, (std::vector<std::string>{"T1: 00:01:30 .00", "T2: 00:11:40 .00", ""}));
    EXPECT_EQ(data.entryCounts, (std::vector<std::int32_t>{2, 2, 2}));
    EXPECT_EQ(data.backgroundColour, kDefaultBackgroundColour);

    EXPECT_EQ(Read(maps, -1).error, ExplorerReadError::NoSuchTrack);
    EXPECT_EQ(Read(maps, 3).error, ExplorerReadError::NoSuchTrack);
    EXPECT_EQ(Read(maps, 3).trackCount, 3);
    EXPECT_EQ(Read({}, 0).error, ExplorerReadError::NoTimeMap);

    test_support::TitleSetDraft noMap;
    noMap.pgcs.resize(1);
    const auto image = test_support::WriteTitleSet(noMap);
    MemoryByteSource source(image.bytes);
    std::ostringstream err;
    EXPECT_EQ(ReadExplorerData(source, {}, 0, err).error, ExplorerReadError::NoTimeMap);
    const std::vector<std::uint8_t> junk(4096, 0x41);
    MemoryByteSource junkSource(junk);
    EXPECT_EQ(ReadExplorerData(junkSource, {}, 0, err).error, ExplorerReadError::CannotRead);
    EXPECT_EQ(ReadExplorerData("/no/such/VTS_01_0.IFO", {}, 0, err).error, ExplorerReadError::CannotRead);
}

// The described arithmetic straight from the file's bytes: the time map table from the header's
// pointer, each map's own entry count and time unit, 32-bit values, the held value kept when a
// column has nothing to take.
class ReferenceProfile
{
public:
    explicit ReferenceProfile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        m_bytes.assign(std::istreambuf_iterator<char>(in), {});
        m_table = U32(0xD4) * 2048;
    }
    int MapCount() const { return static_cast<int>(U16(m_table)); }

    std::vector<int> Columns(int t, int width) const
    {
        const std::int64_t count = MapCount();
        const std::int64_t start = U32(m_table + 8 + 4 * static_cast<std::size_t>(t));
        const std::int64_t boundary =
            t + 1 < count ? U32(m_table + 12 + 4 * static_cast<std::size_t>(t)) : U32(m_table + 4) - 4;
        const std::int64_t span = boundary - start;
        const std::size_t map = m_table + static_cast<std::size_t>(start);
        const std::int64_t entries = U16(map + 2);
        const std::int64_t unit = m_bytes.at(map) == 0 ? 1 : m_bytes.at(map);
        std::vector<int> columns;
        std::int64_t held = 0;
        for (std::int64_t x = 1; x < width; ++x) {
            const std::int64_t a = ((x - 1) * span / width) / 4;
            const std::int64_t b = (x * span / width) / 4;
            if (b > a && b < entries) {
                const std::int64_t first = U32(map + 4 + 4 * static_cast<std::size_t>(a)) & 0x7FFFFFFF;
                const std::int64_t last = U32(map + 4 + 4 * static_cast<std::size_t>(b)) & 0x7FFFFFFF;
                if (first > 0) {
                    const std::int64_t v = (last - first) * 16 / (b - a) / unit;
                    if (v > 0 && v < 10000)
                        held = v;
                }
            }
            columns.push_back(static_cast<int>(held));
        }
        return columns;
    }

private:
    std::uint32_t U16(std::size_t at) const
    {
        return std::uint32_t{m_bytes.at(at)} << 8 | m_bytes.at(at + 1);
    }
    std::uint32_t U32(std::size_t at) const { return U16(at) << 16 | U16(at + 2); }

    std::vector<std::uint8_t> m_bytes;
    std::size_t m_table = 0;
};

TEST(ProfileColumn, RealTitleSetsMatchTheArithmeticDoneOnTheirBytes)
{
    for (const char* folder : {"pal_d1_3audio_cells", "ntsc_d1_wide_subs16_menu", "pal_98_titles"}) {
        SCOPED_TRACE(folder);
        const std::string path = std::string(RATEWISE_FIXTURES_DIR "/ifo/") + folder + "/VTS_01_0.IFO";
        const ReferenceProfile reference(path);
        std::ostringstream err;
        ExplorerRead read = ReadExplorerData(path, {}, 0, err);
        ASSERT_TRUE(read.data);
        ASSERT_EQ(read.data->trackCount, reference.MapCount());
        long long total = 0;
        for (int t = 0; t < read.data->trackCount; ++t) {
            read.data->currentTrack = t;
            for (const int width : {61, 400, 1921}) {
                SCOPED_TRACE(::testing::Message() << "track " << t + 1 << ", width " << width);
                const std::vector<int> columns = ProfileColumns(*read.data, width);
                EXPECT_EQ(columns, reference.Columns(t, width));
                total += std::accumulate(columns.begin(), columns.end(), 0LL);
            }
        }
        EXPECT_GT(total, 0);
    }
}

} // namespace
} // namespace ratewise
