// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged discs: the video manager's tables cut and aimed outside the file, images cut short or
// with sectors wiped, VIDEO_TS folders with damaged or missing files. Each loads (through a .BUP
// copy where there is one) or is refused with one line, never a crash, a hang or libudfread's own
// complaints on stderr.
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "disc/video_manager.h"
#include "tests/cli/cli_runner.h"
#include "tests/disc/disc_builder.h"
#include "tests/hostile/load_path.h"

namespace ratewise {
namespace {

namespace fs = std::filesystem;
using test_support::RunCliCapture;

const fs::path kManager = RATEWISE_FIXTURES_DIR "/ifo/pal_98_titles/VIDEO_TS.IFO";

void PutU16(std::vector<unsigned char>& bytes, std::size_t at, unsigned value)
{
    bytes[at] = static_cast<unsigned char>(value >> 8);
    bytes[at + 1] = static_cast<unsigned char>(value);
}

TEST(VideoManager, ReadsTheTitleTableAndRefusesDamage)
{
    const std::vector<unsigned char> good = test_support::ReadBytes(kManager);
    const auto parse = [](const std::vector<unsigned char>& bytes) {
        return ParseVideoManager(BeView(bytes));
    };
    const std::optional<VideoManagerInfo> manager = parse(good);
    ASSERT_TRUE(manager);
    EXPECT_EQ(manager->titleSetCount, 1);
    EXPECT_EQ(manager->provider, "DVDAuthor 0.7.2");
    ASSERT_EQ(manager->titles.size(), 98u);
    EXPECT_EQ(manager->titles[97], (DiscTitleEntry{1, 1, 1, 98}));

    const std::size_t table = 2048 * std::size_t{good[0xC7]}; // the table's sector, a small number here
    for (std::size_t cut :
         {std::size_t{0}, std::size_t{12}, std::size_t{0xC8}, table + 7, table + 8 + 12 * 97}) {
        const std::vector<unsigned char> shorter(good.begin(),
                                                 good.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(parse(shorter)) << cut;
    }
    const auto damaged = [&](std::size_t at, unsigned value) {
        std::vector<unsigned char> bytes = good;
        PutU16(bytes, at, value);
        return parse(bytes);
    };
    EXPECT_FALSE(damaged(0x3E, 0));        // no title set
    EXPECT_FALSE(damaged(0x3E, 100));      // more than a disc holds
    EXPECT_FALSE(damaged(0xC4, 0xFFFF));   // the table far beyond the file
    EXPECT_FALSE(damaged(table, 0));       // no title
    EXPECT_FALSE(damaged(table, 100));     // more titles than a disc holds
    EXPECT_FALSE(damaged(table + 14, 2));  // title 1 in set 2 of 1
    EXPECT_FALSE(damaged(table + 14, 0));  // title 1 in set 0, number 0
    EXPECT_TRUE(damaged(table + 4, 0xFF)); // an end address beyond the file is cut to the file
}

class DamagedDiscs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("ratewise-damaged-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
        m_folder = test_support::MakeFixtureDisc("pal_d1_3audio_cells", m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // The command as a user runs it: exit 3 and exactly one line on stderr, with nothing from
    // libudfread.
    static void ExpectRefused(const fs::path& disc, const std::string& why)
    {
        const fs::path err = disc.string() + ".err";
        const int status = std::system(
            ("'" RATEWISE_CLI "' tracks '" + disc.string() + "' >/dev/null 2>'" + err.string() + "'")
                .c_str());
        EXPECT_EQ(WEXITSTATUS(status), 3) << disc;
        const std::vector<unsigned char> bytes = test_support::ReadBytes(err);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
                  "ratewise-cli: " + disc.string() + ": " + why + "\n");
    }

    fs::path m_dir, m_folder;
};

TEST_F(DamagedDiscs, FoldersFallBackToBackupsAndNameWhatIsMissing)
{
    const fs::path videoTs = m_folder / "VIDEO_TS";
    const std::vector<unsigned char> manager = test_support::ReadBytes(videoTs / "VIDEO_TS.IFO");
    const std::string expected = RunCliCapture({"tracks", (videoTs / "VTS_01_0.IFO").string()}).out;

    // Damaged .IFO files are read from their .BUP copies; names match in any case.
    test_support::WriteBytes(videoTs / "VIDEO_TS.IFO", std::vector<unsigned char>(2048));
    test_support::WriteBytes(videoTs / "VTS_01_0.IFO", {});
    fs::rename(videoTs / "VTS_01_0.BUP", videoTs / "vts_01_0.bup");
    fs::rename(videoTs, m_folder / "video_ts");
    EXPECT_EQ(RunCliCapture({"tracks", m_folder.string()}).out, expected);

    // Without good copies, or with the title table naming a set that is not there: the set that
    // is there loads, with a note; the missing one is refused when asked for.
    test_support::WriteBytes(m_folder / "video_ts" / "VIDEO_TS.BUP", {});
    ExpectRefused(m_folder, "VIDEO_TS.IFO is damaged and has no good .BUP copy");
    std::vector<unsigned char> twoSets = manager;
    PutU16(twoSets, 0x3E, 2);
    twoSets[2048 * std::size_t{manager[0xC7]} + 8 + 6] = 2; // title 1 in set 2
    test_support::WriteBytes(m_folder / "video_ts" / "VIDEO_TS.IFO", twoSets);
    const std::string twoSetsManager = (m_folder / "video_ts" / "VIDEO_TS.IFO").string();
    const test_support::CliResult partial = RunCliCapture({"tracks", twoSetsManager});
    EXPECT_EQ(partial.status, 0);
    EXPECT_EQ(partial.out, expected);
    EXPECT_EQ(partial.err,
              "ratewise-cli: note: title set 2 of the title table is missing; title 1 is skipped\n");
    EXPECT_EQ(RunCliCapture({"tracks", twoSetsManager, "--title", "1"}).status, 2);

    fs::create_directories(m_dir / "empty");
    ExpectRefused(m_dir / "empty", "no VIDEO_TS folder and no IFO files");
    test_support::WriteBytes(m_dir / "movie.iso", std::vector<unsigned char>(600 * 2048, 'x'));
    ExpectRefused(m_dir / "movie.iso", "no UDF file system in the image");
}

// A damaged table is the input's fault: status 3 and its reason, not a usage error naming an
// option that was never given. Unreadable files say so (run as nobody, since root reads anything).
TEST_F(DamagedDiscs, DamagedTablesAndUnreadableFilesSayWhy)
{
    const fs::path videoTs = m_folder / "VIDEO_TS";
    std::vector<unsigned char> manager = test_support::ReadBytes(videoTs / "VIDEO_TS.IFO");
    manager[2048 * std::size_t{manager[0xC7]} + 8 + 7] = 99; // title 1 is title 99 of its set
    test_support::WriteBytes(videoTs / "VIDEO_TS.IFO", manager);
    test_support::WriteBytes(videoTs / "VIDEO_TS.BUP", manager);
    const test_support::CliResult listed = RunCliCapture({"disc", m_folder.string()});
    EXPECT_NE(listed.out.find("title set 1, no track (damaged tables)"), std::string::npos) << listed.out;
    const test_support::CliResult chapters = RunCliCapture({"chapters", m_folder.string(), "--title", "1"});
    EXPECT_EQ(chapters.status, 3);
    EXPECT_EQ(chapters.err, "ratewise-cli: " + m_folder.string() +
                                ": title 1: no track of title set 1 plays it (its tables are damaged)\n");

    const fs::path unreadable = m_dir / "unreadable";
    fs::create_directories(unreadable / "VIDEO_TS");
    for (const char* name : {"VIDEO_TS.IFO", "VIDEO_TS.BUP"}) {
        test_support::WriteBytes(unreadable / "VIDEO_TS" / name, {1, 2, 3});
        fs::permissions(unreadable / "VIDEO_TS" / name, fs::perms::none);
    }
    // Where nobody may write: the shared temporary folder.
    const fs::path err = fs::temp_directory_path() / ("ratewise-unreadable-" + std::to_string(::getpid()));
    // A copy of the program where nobody may run it: the build folder may be closed to others.
    const fs::path program = m_dir / "ratewise-cli";
    fs::copy_file(RATEWISE_CLI, program);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(99);
        ::execl("/bin/sh", "sh", "-c",
                ("'" + program.string() + "' tracks '" + unreadable.string() + "' 2>'" + err.string() + "'")
                    .c_str(),
                static_cast<char*>(nullptr));
        ::_exit(98);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    const std::vector<unsigned char> said = test_support::ReadBytes(err);
    fs::remove(err);
    EXPECT_EQ(std::string(said.begin(), said.end()),
              "ratewise-cli: " + unreadable.string() + ": VIDEO_TS.IFO cannot be read: Permission denied\n");
}

TEST_F(DamagedDiscs, ImagesCutShortOrWipedLoadOrAreRefusedQuietly)
{
    const fs::path image = m_dir / "disc.iso";
    if (!test_support::MakeImage(m_folder, "DAMAGED", image))
        GTEST_SKIP() << "needs genisoimage";
    const std::vector<unsigned char> good = test_support::ReadBytes(image);
    const std::size_t sectors = good.size() / 2048;
    const fs::path damaged = m_dir / "damaged.iso";
    const auto write = [&](std::vector<unsigned char> bytes) {
        test_support::WriteBytes(damaged, bytes);
        return damaged.string();
    };
    // Cut at every third sector from the anchor on, and one byte short of the whole.
    for (std::size_t sector = 256; sector < sectors; sector += 3) {
        const auto outcome = test_support::RunLoadPath(
            write({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(sector * 2048)}), 2);
        EXPECT_LE(outcome.tracks.TrackCount(), 4) << sector;
    }
    EXPECT_TRUE(test_support::RunLoadPath(write({good.begin(), good.end() - 1}), 2).parsed);
    // Each sector of the file system's descriptors and folders wiped in turn, every other one
    // filled with ones instead; past them lie the files themselves.
    for (std::size_t sector = 16; sector < std::min<std::size_t>(sectors, 300); ++sector) {
        std::vector<unsigned char> bytes = good;
        std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(sector * 2048), 2048,
                    sector % 2 ? 0x00 : 0xFF);
        test_support::RunLoadPath(write(bytes), 2);
    }
    ExpectRefused(write({good.begin(), good.begin() + 256 * 2048}), "no UDF file system in the image");
    std::vector<unsigned char> noFileSystem = good;
    std::fill(noFileSystem.begin() + 257 * 2048, noFileSystem.end(), 0);
    ExpectRefused(write(noFileSystem), "the UDF file system is damaged");
}

} // namespace
} // namespace ratewise
