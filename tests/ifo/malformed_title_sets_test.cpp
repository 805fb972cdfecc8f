// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile and damaged title sets: truncated at any length, offsets and counts pointing anywhere,
// tables claiming 4 GiB, absurd map counts. Each must fail cleanly or decode what is sound, and
// never allocate more than the file holds. Run under AddressSanitizer and UBSan as well.
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

#include "tests/ifo/exercise_reader.h"
#include "tests/ifo/title_set_writer.h"

namespace ratewise {
namespace {

using test_support::BcdTime;
using test_support::ExerciseReader;
using test_support::PutU16;
using test_support::PutU32;

std::vector<std::uint8_t> ReadFixture(const std::string& folder)
{
    std::ifstream in(std::string(RATEWISE_FIXTURES_DIR "/ifo/") + folder + "/VTS_01_0.IFO", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

test_support::TitleSetImage Synthetic()
{
    test_support::TitleSetDraft draft;
    draft.audioCount = 2;
    draft.subpictureCount = 1;
    for (int p = 0; p < 3; ++p) {
        test_support::PgcDraft pgc{BcdTime(0, 0, 10 + p, 0), {1, 2}, {}};
        for (int c = 0; c < 3; ++c)
            pgc.cells.push_back({static_cast<std::uint8_t>(c == 1 ? 0x40 : 0), BcdTime(0, 0, 3, 0),
                                 static_cast<std::uint32_t>(100 * c),
                                 static_cast<std::uint32_t>(100 * c + 99)});
        pgc.audioControl[0] = 0x8000;
        pgc.subpictureControl[0] = 0x80000000u;
        draft.pgcs.push_back(pgc);
    }
    draft.timeMaps =
        std::vector<test_support::TimeMapDraft>(3, test_support::TimeMapDraft{1, {0, 30, 60, 90, 120}});
    return test_support::WriteTitleSet(draft);
}

// Buffers never exceed what the file holds (one sector at least).
void ExpectBoundedBuffers(const test_support::ReaderOutcome& outcome, std::size_t fileSize)
{
    const std::size_t bound = std::max<std::size_t>(fileSize, 2048);
    EXPECT_LE(outcome.pgcTableBytes, bound);
    EXPECT_LE(outcome.largestTableBytes, bound);
    EXPECT_LE(outcome.timeMap.mapCount, kMaxTimeMaps);
    EXPECT_LE(outcome.timeMap.words.size(), static_cast<std::size_t>(kMaxTimeMapWords));
}

TEST(MalformedTitleSets, TruncationsFailCleanlyOrDecodeWhatIsThere)
{
    for (const auto& bytes : {Synthetic().bytes, ReadFixture("pal_d1_3audio_cells")}) {
        const test_support::ReaderOutcome whole = ExerciseReader(bytes);
        ASSERT_TRUE(whole.opened);
        const std::size_t pgciOffset = std::size_t{*BeView(bytes).U32(0x0CC)} * 2048;
        const std::size_t pgciEnd = pgciOffset + *BeView(bytes).U32(pgciOffset + 4) + 1;
        for (std::size_t length = 0; length <= bytes.size(); ++length) {
            const test_support::ReaderOutcome cut = ExerciseReader(std::span(bytes).first(length));
            ExpectBoundedBuffers(cut, length);
            EXPECT_EQ(cut.opened, length > pgciOffset) << length;
            // Once the whole PGC table is there, the PGCs decode exactly as in the whole file,
            // however much of the tables after it is missing. (Before that, the unread rest of
            // the table's first sector reads as zeros.)
            if (length >= pgciEnd) {
                EXPECT_EQ(cut.times, whole.times) << length;
                EXPECT_EQ(cut.cells, whole.cells) << length;
                EXPECT_EQ(cut.audioStreams, whole.audioStreams) << length;
            }
        }
    }
}

TEST(MalformedTitleSets, OffsetsAndCountsPointingAnywhere)
{
    const test_support::TitleSetImage image = Synthetic();
    const std::size_t fileSize = image.bytes.size();
    const std::array<std::uint32_t, 6> hostile{
        0, 1, 0x7FFF, 0xFFFF, static_cast<std::uint32_t>(fileSize), 0xFFFFFFFF};
    // Every 16- and 32-bit position of the header's pointers, the PGC table and the time map.
    std::vector<std::size_t> positions;
    for (std::size_t p = 0x0C0; p < 0x0E8; p += 2)
        positions.push_back(p);
    for (std::size_t p = image.PgciOffset(); p < image.PgciOffset() + 0x400; ++p)
        positions.push_back(p);
    for (std::size_t p = image.TmaptiOffset(); p < image.TmaptiOffset() + 0x80; ++p)
        positions.push_back(p);
    for (std::size_t position : positions) {
        for (std::uint32_t value : hostile) {
            auto bytes = image.bytes;
            PutU16(bytes, position, static_cast<std::uint16_t>(value));
            ExpectBoundedBuffers(ExerciseReader(bytes), fileSize);
            bytes = image.bytes;
            PutU32(bytes, position, value);
            bytes.resize(fileSize);
            ExpectBoundedBuffers(ExerciseReader(bytes), fileSize);
        }
    }
}

TEST(MalformedTitleSets, TablesClaimingFourGigabytesAreReadAsFarAsTheFileGoes)
{
    test_support::TitleSetImage image = Synthetic();
    auto& bytes = image.bytes;
    PutU32(bytes, image.PgciOffset() + 4, 0xFFFFFFFF);
    PutU32(bytes, image.TmaptiOffset() + 4, 0xFFFFFFFF);
    const std::vector<std::uint8_t> vobuMap{0xFF, 0xFF, 0xFF, 0xFF};
    test_support::AppendTable(bytes, 8, vobuMap);
    const test_support::ReaderOutcome outcome = ExerciseReader(bytes);
    ExpectBoundedBuffers(outcome, bytes.size());
    ASSERT_TRUE(outcome.opened);
    EXPECT_EQ(outcome.pgcTableBytes, bytes.size() - image.PgciOffset());
    EXPECT_EQ(outcome.cells.size(), 3u);
    EXPECT_EQ(outcome.cells[2].size(), 3u);
    // The time map is read to the end of the file; the maps before the last keep their averages.
    EXPECT_EQ(outcome.timeMap.mapCount, 3);
    EXPECT_EQ(outcome.timeMap.averageKbps[0], 120 * 16 / 10);
}

TEST(MalformedTitleSets, AbsurdMapCounts)
{
    test_support::TitleSetImage image = Synthetic();
    PutU16(image.bytes, image.TmaptiOffset(), 0); // no maps
    test_support::ReaderOutcome outcome = ExerciseReader(image.bytes);
    EXPECT_EQ(outcome.timeMap.mapCount, 0);
    EXPECT_TRUE(outcome.timeMap.averageKbps.empty());

    PutU16(image.bytes, image.TmaptiOffset(), 10000); // 10,000 maps claimed in a small table
    outcome = ExerciseReader(image.bytes);
    ExpectBoundedBuffers(outcome, image.bytes.size());
    EXPECT_EQ(outcome.timeMap.declaredMapCount, 10000);
    EXPECT_EQ(outcome.timeMap.mapCount, kMaxTimeMaps);

    test_support::TitleSetDraft draft;
    draft.timeMaps = std::vector<test_support::TimeMapDraft>(
        10000, test_support::TimeMapDraft{1, {5, 6, 7, 8, 9, 10, 11}});
    const auto many = test_support::WriteTitleSet(draft).bytes; // 10,000 real maps
    outcome = ExerciseReader(many);
    EXPECT_EQ(outcome.timeMap.mapCount, kMaxTimeMaps);
    EXPECT_EQ(outcome.timeMap.words.size(), static_cast<std::size_t>(kMaxTimeMapWords));
    EXPECT_EQ(outcome.timeMap.averageKbps[50], (11 - 5) * 16 * 2);
}

} // namespace
} // namespace ratewise
