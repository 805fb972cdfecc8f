// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sstream>

#include "ifo/seek_read.h"
#include "ifo/title_set_info.h"
#include "ifo/title_set_tables.h"
#include "tests/ifo/title_set_writer.h"

namespace ratewise {
namespace {

using test_support::AppendTable;
using test_support::PutU32;
using test_support::WriteTitleSet;

test_support::TitleSetDraft OnePgc()
{
    test_support::TitleSetDraft draft;
    draft.pgcs.push_back(
        {test_support::BcdTime(0, 1, 0, 0), {1}, {{0, test_support::BcdTime(0, 1, 0, 0), 0, 99}}});
    return draft;
}

// A source whose seeks always fail, as a pipe or a broken device would.
class UnseekableSource final : public ByteSource
{
public:
    bool Seek(std::int64_t) override { return false; }
    std::int64_t Read(std::span<std::uint8_t>) override { return -1; }
    std::uint64_t Size() const override { return 0; }
    int LastError() const override { return 29; } // ESPIPE
};

TEST(IfoOpen, AcceptsATitleSetAndReadsItsProgramChainTable)
{
    const auto image = WriteTitleSet(OnePgc());
    auto info = ifoOpen(image.bytes);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->header.Size(), 2048u);
    EXPECT_EQ(info->pgcTable.Size(), 2048u);
    EXPECT_TRUE(std::equal(info->pgcTable.Span().begin(), info->pgcTable.Span().begin() + 16,
                           image.bytes.begin() + static_cast<std::ptrdiff_t>(image.PgciOffset())));
    EXPECT_TRUE(ifoClose(std::move(info)));
    EXPECT_TRUE(ifoClose(nullptr));
}

TEST(IfoOpen, RefusesWhatIsNotATitleSet)
{
    auto image = WriteTitleSet(OnePgc()).bytes;
    image[11] = 'G'; // DVDVIDEO-VTG
    EXPECT_EQ(ifoOpen(image), nullptr);
    image[9] = 'v';
    image[11] = 'S'; // case matters
    EXPECT_EQ(ifoOpen(image), nullptr);
    EXPECT_EQ(ifoOpen(std::span<const std::uint8_t>{}), nullptr);
    EXPECT_EQ(ifoOpen(std::string(RATEWISE_FIXTURES_DIR "/ifo/pal_98_titles/VIDEO_TS.IFO")), nullptr);
    EXPECT_EQ(ifoOpen(std::string(RATEWISE_FIXTURES_DIR "/ifo/no_such_file.IFO")), nullptr);
    EXPECT_EQ(ifoOpen(std::string(RATEWISE_FIXTURES_DIR "/ifo")), nullptr); // a directory
}

TEST(IfoOpen, ShortHeaderPassesTheIdentityCheckButHasNoProgramChainTable)
{
    const std::string identifier = "DVDVIDEO-VTS and not much more";
    const std::vector<std::uint8_t> shortFile(identifier.begin(), identifier.end());
    EXPECT_EQ(ifoOpen(shortFile), nullptr); // sector pointer reads as 0

    auto image = WriteTitleSet(OnePgc()).bytes;
    PutU32(image, 0x0CC, 0);
    EXPECT_EQ(ifoOpen(image), nullptr);
    PutU32(image, 0x0CC, 400); // beyond the end: the read returns no bytes
    EXPECT_EQ(ifoOpen(image), nullptr);
}

TEST(IfoReadPGCIT, ReadsLargeTablesWholeButNeverBeyondTheFile)
{
    auto image = WriteTitleSet(OnePgc()).bytes;
    const std::size_t pgci = 2048;
    image.resize(pgci + 6000);
    image[pgci + 5000] = 0xAB; // last byte of a table whose end address is 5000
    PutU32(image, pgci + 4, 5000);
    MemoryByteSource source(image);
    ByteBuffer table;
    ASSERT_TRUE(ifoReadPGCIT(source, 1, table));
    EXPECT_EQ(table.Size(), 5001u);
    EXPECT_EQ(table.Span()[5000], 0xAB);

    PutU32(image, pgci + 4, 2047);
    ASSERT_TRUE(ifoReadPGCIT(source, 1, table));
    EXPECT_EQ(table.Size(), 2048u);

    PutU32(image, pgci + 4, 0xFFFFFFFF); // claims 4 GiB
    ASSERT_TRUE(ifoReadPGCIT(source, 1, table));
    EXPECT_EQ(table.Size(), 6000u);
    EXPECT_FALSE(ifoReadPGCIT(source, 0, table));
}

TEST(IfoSeekRead, ReportsFailedSeeksOnlyWhenLogged)
{
    UnseekableSource source;
    std::array<std::uint8_t, 4> buffer{};
    std::ostringstream err;
    EXPECT_EQ(ifoSeekRead(source, 0, buffer), -1);
    EXPECT_EQ(ifoSeekReadLogged(source, 0, buffer, err), -1);
    EXPECT_TRUE(err.str().starts_with("RatewiseDlg/"));
    EXPECT_TRUE(err.str().ends_with(": error in lseek\n"));

    const std::vector<std::uint8_t> bytes{1, 2, 3};
    MemoryByteSource memory(bytes);
    EXPECT_EQ(ifoSeekRead(memory, 1, buffer), 2);
    EXPECT_EQ(buffer[1], 3);
    EXPECT_EQ(ifoSeekRead(memory, 3, buffer), 0);
    EXPECT_EQ(ifoSeekRead(memory, -1, buffer), -1);
}

TEST(IfoOpenTables, ReadsEveryPointedTableAndLeavesTheOthersEmpty)
{
    test_support::TitleSetDraft draft = OnePgc();
    draft.timeMaps = std::vector<test_support::TimeMapDraft>{{1, {10, 20}}};
    auto image = WriteTitleSet(draft).bytes;
    PutU32(image, 0x0C0, 7);
    PutU32(image, 0x0C4, 0x1234);
    std::vector<std::uint8_t> cellTable(3000);
    PutU32(cellTable, 4, 2049); // size taken as is: a 2049-byte buffer
    AppendTable(image, 7, cellTable);
    std::vector<std::uint8_t> vobuMap(3000);
    PutU32(vobuMap, 0, 2500); // the VOBU map keeps its size at offset 0
    AppendTable(image, 8, vobuMap);

    MemoryByteSource source(image);
    std::ostringstream err;
    auto tables = ifoOpenTables(source, 0, err);
    ASSERT_NE(tables, nullptr);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(tables->menuVobStartSector, 7u);
    EXPECT_EQ(tables->titleVobStartSector, 0x1234u);
    EXPECT_EQ(tables->fileHandle, &source);
    EXPECT_EQ(tables->slots[kHeaderSlot].Size(), 2048u);
    EXPECT_EQ(tables->slots[kProgramChainSlot].Size(), 2048u);
    EXPECT_EQ(tables->slots[kTimeMapSlot].Size(), 2048u);
    EXPECT_EQ(tables->slots[kCellAddressSlot].Size(), 2049u);
    EXPECT_EQ(tables->slots[kVobuMapSlot].Size(), 2500u);
    for (int slot : {1, 3, 5, 6})
        EXPECT_TRUE(tables->slots[static_cast<std::size_t>(slot)].Empty()) << slot;
    EXPECT_EQ(ifoCloseTables(std::move(tables)), 0);
}

TEST(IfoOpenTables, ReportsUnreadableTablesAndHeaders)
{
    auto image = WriteTitleSet(OnePgc()).bytes;
    PutU32(image, 0x0D0, 500); // menu PGC table beyond the end of the file
    MemoryByteSource source(image);
    std::ostringstream err;
    auto tables = ifoOpenTables(source, 0, err);
    ASSERT_NE(tables, nullptr);
    EXPECT_EQ(err.str(), "ifoReadLB2: Success\n"); // the read hit the end; no system error
    EXPECT_TRUE(tables->slots[kMenuProgramChainSlot].Empty());
    EXPECT_FALSE(tables->slots[kProgramChainSlot].Empty());

    err.str("");
    EXPECT_EQ(ifoReadLB2(*tables, 0, kTimeMapSlot, err), -1);
    EXPECT_EQ(err.str(), "");

    UnseekableSource broken;
    EXPECT_EQ(ifoOpenTables(broken, 0, err), nullptr);
    EXPECT_TRUE(err.str().ends_with(": something went wrong when reading file.\n"));

    tables->fileHandle = &broken;
    err.str("");
    EXPECT_EQ(ifoReadLB2(*tables, 1, kTimeMapSlot, err), -1);
    EXPECT_TRUE(err.str().ends_with(": error in lseek\nifoReadLB2: Illegal seek\n")) << err.str();
}

} // namespace
} // namespace ratewise
