// SPDX-License-Identifier: GPL-3.0-or-later
// ratewise-cli tracks, info and calc --ifo/--tracks on the real title sets, and every command that
// reads a title set on files that are no title sets.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/cli/cli_runner.h"

namespace ratewise {
namespace {

namespace fs = std::filesystem;
using test_support::RunCliCapture;

const std::string kFixtures = RATEWISE_FIXTURES_DIR "/ifo/";
const std::string kThreeAudio = kFixtures + "pal_d1_3audio_cells/VTS_01_0.IFO";
const std::string kNinetyEight = kFixtures + "pal_98_titles/VTS_01_0.IFO";

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Files that are not title sets, made fresh for each test.
class BadInputs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("ratewise-tracks-cli-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
        std::ofstream(m_dir / "empty.ifo");
        std::ofstream(m_dir / "notes.txt") << "not a title set\n";
        ASSERT_EQ(::mkfifo((m_dir / "pipe.ifo").c_str(), 0600), 0);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // Every command that reads FILE refuses path with exit 3 and one line naming why.
    void ExpectRefused(const std::string& path, const std::string& why)
    {
        const std::string project = (m_dir / "refused.tpr").string();
        for (const std::vector<std::string>& args : {std::vector<std::string>{"tracks", path},
                                                     {"info", path, "--audio"},
                                                     {"calc", "--ifo", path},
                                                     {"chapters", path, "--track", "1"},
                                                     {"split", path, "--track", "1", "--count", "2"},
                                                     {"profile", path, "--track", "1"},
                                                     {"vcd-project", path, "-o", project}}) {
            const auto result = RunCliCapture(args);
            EXPECT_EQ(result.status, 3) << args[0];
            EXPECT_EQ(result.out, "");
            EXPECT_EQ(result.err, "ratewise-cli: " + path + ": " + why + "\n") << args[0];
            EXPECT_FALSE(fs::exists(project)) << args[0];
        }
    }
    fs::path m_dir;
};

TEST(TracksCommand, ListsEveryTitleOneLineEach)
{
    const auto result = RunCliCapture({"tracks", kNinetyEight});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::vector<std::string> lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 98u);
    EXPECT_EQ(lines[0], "T1: 00:00:01 .05"); // lsdvd: 00:00:01.200 at 25 frames a second
    EXPECT_EQ(lines[1], "T2: 00:00:00 .15");
    EXPECT_EQ(lines[97].substr(0, 5), "T98: ");
}

TEST(TracksCommand, JsonCarriesTheTablesAndEachTracksReport)
{
    const auto result = RunCliCapture({"tracks", kThreeAudio, "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const nlohmann::json json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["frameRate"], 25);
    EXPECT_EQ(json["audioStreams"], 3);
    EXPECT_EQ(json["subpictureStreams"], 2);
    const nlohmann::json& tracks = json["tracks"];
    ASSERT_EQ(tracks.size(), 4u);
    EXPECT_EQ(tracks[0]["line"], "T1: 00:00:45 .00");
    EXPECT_EQ(tracks[0]["cells"], 9);
    EXPECT_EQ(tracks[0]["firstFrame"], 0);
    EXPECT_EQ(tracks[0]["lastFrame"], 45 * 25);
    EXPECT_EQ(tracks[1]["firstFrame"], 45 * 25 + 1);
    EXPECT_EQ(tracks[1]["lastFrame"], 45 * 25 + 15); // 00:00:00.600
    const std::string report = tracks[1]["report"];
    EXPECT_EQ(report.rfind("Track Number: 2\n", 0), 0u);
    EXPECT_NE(
        report.find("Average bitrate: " + std::to_string(tracks[1]["averageKbps"].get<int>()) + " Kbps"),
        std::string::npos);
    EXPECT_NE(report.find("Number of frames: 15\n"), std::string::npos);
    for (std::size_t k = 0; k < tracks.size(); ++k)
        EXPECT_EQ(tracks[k]["number"], k + 1);
}

TEST(InfoCommand, PrintsEachReportAsItsWindowShowsIt)
{
    const auto audio = RunCliCapture({"info", kThreeAudio, "--audio"});
    ASSERT_EQ(audio.status, 0) << audio.err;
    EXPECT_EQ(audio.out, "1: English\n    6 channels AC3 0xBD 0x80\n2: Deutsch\n    2 channels MPEG1 0xC1\n"
                         "3: Francais\n    2 channels LPCM 0xBD 0xA2\n");
    const auto raw = RunCliCapture({"info", kThreeAudio, "--audio", "--raw"});
    EXPECT_EQ(raw.out.substr(0, 12), "1: English\r\n");
    // --raw keeps the window's text whole: six "\r\n" line ends and four padding lines.
    EXPECT_EQ(raw.out.size(), audio.out.size() + 6 + 4 * 2);

    const auto subs = RunCliCapture({"info", kThreeAudio, "--subs", "--json"});
    ASSERT_EQ(subs.status, 0) << subs.err;
    const nlohmann::json json = nlohmann::json::parse(subs.out);
    EXPECT_EQ(json["lines"], nlohmann::json({" 1 English", " 2 Deutsch"}));
    std::string padded = " 1 English\r\n 2 Deutsch\r\n";
    for (int k = 2; k < 15; ++k)
        padded += "\r\n";
    EXPECT_EQ(json["text"], padded);

    const auto video = RunCliCapture({"info", kThreeAudio, "--video"});
    EXPECT_EQ(video.out, "Compression : MPEG-2\nSystem : PAL 625/50\nAspect Ratio : 4:3\n"
                         "Display Mode : not specified\nVideo Resolution : 720x576\nLetterboxed : no\n");
}

TEST(InfoCommand, WantsExactlyOneReport)
{
    EXPECT_EQ(RunCliCapture({"info", kThreeAudio}).status, 2);
    EXPECT_EQ(RunCliCapture({"info", kThreeAudio, "--audio", "--subs"}).status, 2);
    EXPECT_EQ(RunCliCapture({"info", "--video"}).status, 2);
}

TEST(CalcWithTracks, SummedRunningTimeOfTheChosenTracksIsTheDuration)
{
    const auto result = RunCliCapture({"calc", "--ifo", kThreeAudio, "--tracks", "3,1", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const nlohmann::json json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["hoursText"], "0"); // 45 s + 20.8 s, frames dropped
    EXPECT_EQ(json["minutesText"], "01");
    EXPECT_EQ(json["secondsText"], "05");

    // The same duration typed gives the same calculator.
    const auto typed = RunCliCapture(
        {"calc", "--hours", "0", "--minutes", "01", "--seconds", "05", "--count", "2", "--json"});
    const auto chosen =
        RunCliCapture({"calc", "--ifo", kThreeAudio, "--tracks", "1,3,1", "--count", "2", "--json"});
    EXPECT_EQ(nlohmann::json::parse(chosen.out), nlohmann::json::parse(typed.out));

    // Without --tracks the first track is chosen, as after a load in the window.
    const nlohmann::json first =
        nlohmann::json::parse(RunCliCapture({"calc", "--ifo", kThreeAudio, "--json"}).out);
    EXPECT_EQ(first["secondsText"], "45");
    EXPECT_EQ(first["minutesText"], "00");
}

TEST(CalcWithTracks, TracksTheTitleSetLacksAreUsageErrors)
{
    const auto beyond = RunCliCapture({"calc", "--ifo", kThreeAudio, "--tracks", "1,5"});
    EXPECT_EQ(beyond.status, 2);
    EXPECT_EQ(beyond.out, "");
    EXPECT_EQ(beyond.err, "ratewise-cli: --tracks: expected track numbers from 1 to 4, got '5' (see "
                          "'ratewise-cli calc --help')\n");
    for (const std::string bad : {"0", "", "x", "-1", "2.5", "99999999999"}) {
        const auto refused = RunCliCapture({"calc", "--ifo", kThreeAudio, "--tracks", "1," + bad + ",2"});
        EXPECT_EQ(refused.status, 2) << bad;
        EXPECT_EQ(refused.err, "ratewise-cli: --tracks: expected track numbers from 1, such as 1,3, got '" +
                                   bad + "' (see 'ratewise-cli calc --help')\n");
    }
    EXPECT_EQ(RunCliCapture({"calc", "--tracks", "1"}).status, 2);
    EXPECT_EQ(RunCliCapture({"calc", "--ifo", kThreeAudio, "--hours", "1"}).status, 2);
}

TEST_F(BadInputs, MissingUnreadableAndForeignFilesExitThree)
{
    ExpectRefused((m_dir / "missing.ifo").string(), "no such file");
    ExpectRefused(m_dir.string(), "no VIDEO_TS folder and no IFO files");
    // A pipe is read like a file; one nobody writes to is given up (once: the run keeps what it read).
    ExpectRefused((m_dir / "pipe.ifo").string(), "nothing was written to it for 2 seconds");
    ExpectRefused((m_dir / "empty.ifo").string(), "not a title-set information file");
    ExpectRefused((m_dir / "notes.txt").string(), "not a title-set information file");
    ExpectRefused(test_support::LoneVideoManager(), test_support::kNoTitleSet);
}

} // namespace
} // namespace ratewise
