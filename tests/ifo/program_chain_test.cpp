// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ifo/cells.h"
#include "ifo/program_chain.h"
#include "tests/ifo/title_set_writer.h"

namespace ratewise {
namespace {

using test_support::BcdTime;
using test_support::CellDraft;
using test_support::PgcDraft;

std::unique_ptr<TitleSetInfo> OpenPgcs(std::vector<PgcDraft> pgcs)
{
    test_support::TitleSetDraft draft;
    draft.pgcs = std::move(pgcs);
    return ifoOpen(test_support::WriteTitleSet(draft).bytes);
}

std::vector<CellDraft> PlainCells(int count)
{
    std::vector<CellDraft> cells;
    for (int c = 0; c < count; ++c)
        cells.push_back({0, BcdTime(0, 0, 2, 0), 100u * static_cast<std::uint32_t>(c),
                         100u * static_cast<std::uint32_t>(c) + 99, 1, static_cast<std::uint8_t>(c + 1)});
    return cells;
}

std::vector<int> Programs(const std::vector<CellEntry>& cells)
{
    std::vector<int> programs;
    for (const CellEntry& cell : cells)
        programs.push_back(cell.program);
    return programs;
}

TEST(PlaybackTime, DecodesBcdAndDropsTheFrameRateBits)
{
    const std::array<std::uint8_t, 8> pgc{0, 0, 0, 0, 0x01, 0x59, 0x59, 0xD9};
    EXPECT_EQ(DecodePlaybackTime(BeView(pgc), 4), (PlaybackTime{1, 59, 59, 19}));
    EXPECT_EQ(DecodePlaybackTime(BeView(std::span(pgc).first(7)), 4), std::nullopt);
}

TEST(ProgramChains, CountLocateAndTimeEachPgc)
{
    auto info =
        OpenPgcs({{BcdTime(1, 23, 5, 7), {1}, PlainCells(3)}, {BcdTime(0, 0, 10, 0), {1}, PlainCells(1)}});
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(ifoGetPGCCount(info.get()), 2);
    PlaybackTime time;
    EXPECT_EQ(ifoGetPlaybackTime(info.get(), 0, &time), 3);
    EXPECT_EQ(time, (PlaybackTime{1, 23, 5, 7}));
    EXPECT_EQ(ifoGetPlaybackTime(info.get(), 1, nullptr), 1);
    EXPECT_EQ(ifoGetPlaybackTime(info.get(), 2, &time), 0);
    EXPECT_EQ(ifoGetPlaybackTime(info.get(), -1, &time), 0);
    EXPECT_EQ(time, (PlaybackTime{1, 23, 5, 7})); // untouched by the failed calls
    EXPECT_FALSE(ifoGetPGC(info.get(), 2));
    EXPECT_TRUE(ifoGetPGC(info.get(), 1));

    EXPECT_EQ(ifoGetPGCCount(nullptr), 0);
    EXPECT_EQ(ifoGetPlaybackTime(nullptr, 0, &time), 0);
    TitleSetInfo empty;
    EXPECT_EQ(ifoGetPGCCount(&empty), 0);
}

TEST(Cells, CopySectorsIdsAndTimes)
{
    std::vector<CellDraft> cells = PlainCells(2);
    cells[1] = {0, BcdTime(0, 1, 2, 3), 0x01020304, 0x0A0B0C0D, 0x0102, 7};
    auto info = OpenPgcs({{BcdTime(0, 1, 4, 3), {1}, cells}});
    const auto decoded = ifoGetCells(info.get(), 0);
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->size(), 2u);
    EXPECT_EQ((*decoded)[1], (CellEntry{0x01020304, 0x0A0B0C0D, 0x0102, 7, 0x11, 0, {0, 1, 2, 3}}));
    EXPECT_EQ((*decoded)[0].firstSector, 0u);
    EXPECT_EQ((*decoded)[0].lastSector, 99u);

    std::array<CellEntry, 1> tooFew{};
    EXPECT_FALSE(ifoGetCells(info.get(), 0, tooFew));
    std::array<CellEntry, 3> room{};
    EXPECT_TRUE(ifoGetCells(info.get(), 0, room));
    EXPECT_EQ(room[2], CellEntry{}); // beyond nc: untouched
    EXPECT_FALSE(ifoGetCells(nullptr, 0, room));
    EXPECT_FALSE(ifoGetCells(info.get(), 1, room));
}

TEST(Cells, NumberAngleBlocks)
{
    std::vector<CellDraft> cells = PlainCells(7);
    const std::array<std::uint8_t, 7> modes{0x40, 0x80, 0xC0, 0x00, 0x40, 0xC0, 0x02};
    for (std::size_t c = 0; c < cells.size(); ++c)
        cells[c].category = modes[c];
    auto info = OpenPgcs({{BcdTime(0, 0, 14, 0), {1}, cells}});
    const auto decoded = ifoGetCells(info.get(), 0);
    ASSERT_TRUE(decoded);
    std::vector<int> angles;
    for (const CellEntry& cell : *decoded)
        angles.push_back(cell.angle);
    EXPECT_EQ(angles, (std::vector<int>{0x31, 0x32, 0x33, 0x11, 0x21, 0x22, 0x11}));
}

TEST(Cells, NumberProgramsFromTheProgramMap)
{
    auto info = OpenPgcs({
        {BcdTime(0, 0, 16, 0), {1, 4, 6}, PlainCells(8)},
        {BcdTime(0, 0, 8, 0), {2}, PlainCells(4)},       // one program from cell 2 on
        {BcdTime(0, 0, 8, 0), {1, 0, 3}, PlainCells(4)}, // a 0 entry marks nothing
        {BcdTime(0, 0, 8, 0), {1, 9}, PlainCells(4)},    // beyond the cell count
        {BcdTime(0, 0, 8, 0), {}, PlainCells(2)},        // no programs at all
    });
    EXPECT_EQ(Programs(*ifoGetCells(info.get(), 0)), (std::vector<int>{0, 0, 0, 1, 1, 2, 2, 2}));
    EXPECT_EQ(Programs(*ifoGetCells(info.get(), 1)), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(Programs(*ifoGetCells(info.get(), 2)), (std::vector<int>{0, 0, 2, 2}));
    EXPECT_EQ(Programs(*ifoGetCells(info.get(), 3)), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(Programs(*ifoGetCells(info.get(), 4)), (std::vector<int>{0, 0}));
}

} // namespace
} // namespace ratewise
