// SPDX-License-Identifier: GPL-3.0-or-later
// Every file of the hostile corpus through the whole load path of the window: each must load or
// be refused the normal way, quickly, and (in the sanitizer build) without a report.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "ifo/time_map.h"
#include "tests/hostile/hostile_corpus.h"
#include "tests/hostile/load_path.h"

namespace ratewise {
namespace {

using test_support::HostileFile;
using test_support::LoadOutcome;

// A file for the path-taking parts of the load; removed with the fixture.
class HostileFiles : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_corpus = test_support::HostileCorpus(RATEWISE_FIXTURES_DIR); }

    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() / ("ratewise-hostile-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string Write(const HostileFile& file) const
    {
        const std::string path = (m_dir / "VTS_01_0.IFO").string();
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(file.bytes.data()),
                   static_cast<std::streamsize>(file.bytes.size()));
        return path;
    }

    static const HostileFile& Named(const std::string& name)
    {
        const auto it = std::find_if(s_corpus.begin(), s_corpus.end(),
                                     [&](const HostileFile& file) { return file.name == name; });
        EXPECT_NE(it, s_corpus.end()) << name;
        return it == s_corpus.end() ? s_corpus.front() : *it;
    }

    static std::vector<HostileFile> s_corpus;
    std::filesystem::path m_dir;
};

std::vector<HostileFile> HostileFiles::s_corpus;

// A refused file gets one error line naming it; a loaded one none.
void ExpectNormalOutcome(const LoadOutcome& outcome, const std::string& path, std::size_t fileSize)
{
    const test_support::ReaderOutcome& reader = outcome.reader;
    EXPECT_EQ(outcome.vcdSource.has_value(), reader.opened)
        << "the project command reads files the window opens";
    if (outcome.vcdSource) {
        EXPECT_EQ(outcome.vcdError, "");
    } else {
        // An empty path is named by the argument it stands for.
        const std::string named = path.empty() ? "FILE" : path;
        EXPECT_EQ(outcome.vcdError.rfind("ratewise-cli: " + named + ": ", 0), 0u) << outcome.vcdError;
        EXPECT_EQ(std::count(outcome.vcdError.begin(), outcome.vcdError.end(), '\n'), 1);
    }
    // Nothing the reader holds is larger than the file (one sector at least).
    const std::size_t bound = std::max<std::size_t>(fileSize, 2048);
    EXPECT_LE(reader.pgcTableBytes, bound);
    EXPECT_LE(reader.largestTableBytes, bound);
    EXPECT_LE(reader.cellsDecoded, reader.pgcCount);
    EXPECT_LE(reader.times.size(), static_cast<std::size_t>(kMaxTimeMaps));
    EXPECT_LE(reader.timeMap.mapCount, kMaxTimeMaps);
    EXPECT_LE(reader.timeMap.words.size(), static_cast<std::size_t>(kMaxTimeMapWords));
}

TEST_F(HostileFiles, EachLoadsOrIsRefusedWithinASecond)
{
    // A hang guard, not a speed goal (bench/hostile_bench.cpp measures): processor time, so that
    // a busy machine does not count, and a second is many times what the slowest file takes
    // under the sanitizers.
    constexpr double kLimitSeconds = 1.0;
    for (const HostileFile& file : s_corpus) {
        SCOPED_TRACE(file.name);
        const std::string path = Write(file);
        const std::clock_t start = std::clock();
        const LoadOutcome outcome = test_support::RunLoadPath(path);
        EXPECT_LT(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC, kLimitSeconds);
        ExpectNormalOutcome(outcome, path, file.bytes.size());
    }
}

TEST_F(HostileFiles, SoundSetsLoadAndTheRestAreRefused)
{
    for (const HostileFile& real : test_support::RealTitleSets(RATEWISE_FIXTURES_DIR)) {
        const LoadOutcome whole = test_support::RunLoadPath(Write(Named(real.name)));
        EXPECT_TRUE(whole.vcdSource.has_value()) << real.name;
        EXPECT_GT(whole.reader.pgcCount, 0) << real.name;
        EXPECT_EQ(whole.reader.cellsDecoded, std::min(whole.reader.pgcCount, kMaxTimeMaps)) << real.name;
        EXPECT_GT(whole.reader.timeMap.mapCount, 0) << real.name;
        EXPECT_EQ(whole.chapters.size(), whole.reader.times.size()) << real.name;
        EXPECT_TRUE(whole.parsed) << real.name;
        EXPECT_FALSE(whole.profiles.empty()) << real.name;
        EXPECT_EQ(whole.tracks.TrackCount(), std::min(whole.reader.pgcCount, kMaxTimeMaps)) << real.name;
        // A video-manager file is not a title set.
        const std::string videoManager = Write(Named(real.name + "/VIDEO_TS.IFO"));
        EXPECT_FALSE(test_support::RunLoadPath(videoManager).vcdSource.has_value()) << real.name;
    }
    for (const char* refused : {"empty", "random-65536", "written/three/slot2=0"}) {
        const std::string path = Write(Named(refused));
        EXPECT_FALSE(test_support::RunLoadPath(path).reader.opened) << refused;
    }
    const LoadOutcome many = test_support::RunLoadPath(Write(Named("written/maps-10000")));
    EXPECT_EQ(many.reader.timeMap.declaredMapCount, 10000);
    EXPECT_EQ(many.reader.timeMap.mapCount, kMaxTimeMaps);
    const LoadOutcome wide = test_support::RunLoadPath(Write(Named("written/120-pgcs-255-cells")));
    EXPECT_EQ(wide.reader.pgcCount, 120);
    EXPECT_EQ(wide.reader.cells.front().size(), 255u);
}

TEST_F(HostileFiles, ACappedWalkDoesTheFirstTracksAndTheLastAsTheWholeWalkDoes)
{
    EXPECT_EQ(test_support::TracksToWalk(0, 16), std::vector<int>{});
    EXPECT_EQ(test_support::TracksToWalk(3, 16), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(test_support::TracksToWalk(4, 3), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(test_support::TracksToWalk(9, 3), (std::vector<int>{0, 1, 2, 8}));
    EXPECT_EQ(test_support::TracksToWalk(2, test_support::kEveryTrack), (std::vector<int>{0, 1}));

    const std::string path = Write(Named("pal_98_titles"));
    const LoadOutcome whole = test_support::RunLoadPath(path);
    const LoadOutcome capped = test_support::RunLoadPath(path, 16);
    ASSERT_EQ(whole.tracks.TrackCount(), 98);
    EXPECT_EQ(capped.entries, whole.entries);
    EXPECT_TRUE(capped.allTracks == whole.allTracks) << "every track is summed either way";
    ASSERT_EQ(capped.trackReports.size(), 17u);
    ASSERT_EQ(capped.profiles.size(), 17u);
    ASSERT_EQ(capped.chapters.size(), 17u);
    ASSERT_EQ(whole.trackReports.size(), 98u);
    for (std::size_t k = 0; k < 17; ++k) {
        const std::size_t track = k < 16 ? k : 97;
        EXPECT_EQ(capped.trackReports[k], whole.trackReports[track]) << track;
        EXPECT_EQ(capped.profiles[k], whole.profiles[track]) << track;
        EXPECT_EQ(capped.chapters[k].track, static_cast<int>(track));
        EXPECT_EQ(capped.chapters[k].texts, whole.chapters[track].texts) << track;
    }
}

TEST_F(HostileFiles, MissingFilesAndFoldersAreRefused)
{
    for (const std::string& path : {(m_dir / "missing.IFO").string(), m_dir.string(), std::string()}) {
        const LoadOutcome outcome = test_support::RunLoadPath(path);
        EXPECT_FALSE(outcome.reader.opened) << path;
        ExpectNormalOutcome(outcome, path, 0);
    }
}

TEST(HostileCorpus, HoldsEveryKindOfDamage)
{
    const std::vector<HostileFile> corpus = test_support::HostileCorpus(RATEWISE_FIXTURES_DIR);
    const auto count = [&](const std::string& part) {
        return std::count_if(corpus.begin(), corpus.end(), [&](const HostileFile& file) {
            return file.name.find(part) != std::string::npos;
        });
    };
    EXPECT_EQ(test_support::RealTitleSets(RATEWISE_FIXTURES_DIR).size(), 3u);
    EXPECT_GE(count("/cut-"), 4 * 30);
    EXPECT_EQ(count("/VIDEO_TS.IFO"), 3);
    EXPECT_GE(count("/slot"), 4 * 8 * 6);
    EXPECT_GE(count("/pgcCount=65535"), 4);
    EXPECT_GE(count("-cells=255"), 4);
    EXPECT_GE(count("-programMap=255"), 4);
    EXPECT_GE(count("/mapCount=10000"), 4);
    EXPECT_GE(count("-timeUnit=0"), 4);
    EXPECT_GE(count("random-"), 7);
    EXPECT_GE(count("fuzzed/"), 100) << "the long fuzz runs' inputs are in tests/fixtures/fuzzed";
    // Same fixtures, same corpus: a failure can be found again by its name.
    const std::vector<HostileFile> again = test_support::HostileCorpus(RATEWISE_FIXTURES_DIR);
    ASSERT_EQ(again.size(), corpus.size());
    for (std::size_t i = 0; i < corpus.size(); ++i)
        EXPECT_TRUE(again[i].name == corpus[i].name && again[i].bytes == corpus[i].bytes) << corpus[i].name;
}

} // namespace
} // namespace ratewise
