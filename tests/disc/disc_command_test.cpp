// SPDX-License-Identifier: GPL-3.0-or-later
// Whole discs made at test time (UDF images by genisoimage, VIDEO_TS folders, a two-set disc by
// dvdauthor): `disc` agrees with lsdvd's reading of the same image, and every title-set command
// gives the same output for a set reached through an image, a folder or VIDEO_TS.IFO as for its
// VTS_xx_0.IFO.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "disc/title_set_load.h"
#include "tests/cli/cli_runner.h"
#include "tests/disc/disc_builder.h"

namespace ratewise {
namespace {

namespace fs = std::filesystem;
using test_support::RunCliCapture;

const std::vector<std::string> kFixtures{"pal_d1_3audio_cells", "ntsc_d1_wide_subs16_menu", "pal_98_titles"};

class Discs : public ::testing::Test
{
protected:
    // Authored once for every case (and every test process) of this build; only read here.
    static void SetUpTestSuite() { s_dir = test_support::FixtureDiscs(kFixtures).value_or(fs::path()); }

    void SetUp() override
    {
        if (s_dir.empty() || !test_support::HaveTools({"lsdvd"}))
            GTEST_SKIP() << "needs genisoimage, ffmpeg, dvdauthor and lsdvd";
    }

    static nlohmann::json Json(const std::vector<std::string>& args)
    {
        const auto result = RunCliCapture(args);
        EXPECT_EQ(result.status, 0) << result.err;
        return result.status == 0 ? nlohmann::json::parse(result.out) : nlohmann::json();
    }

    static inline fs::path s_dir;
};

// lsdvd counts a title's programs as its chapters; two real sets have a program that starts no
// part of title, so players (and we) offer one chapter fewer there.
int ProgramsThatStartNoPart(const std::string& disc, int title)
{
    return (disc == "pal_d1_3audio_cells" || disc == "ntsc_d1_wide_subs16_menu") && title == 1 ? 1 : 0;
}

TEST_F(Discs, DiscAgreesWithLsdvdOnEveryImage)
{
    for (const std::string& name : {kFixtures[0], kFixtures[1], kFixtures[2], std::string("multi")}) {
        SCOPED_TRACE(name);
        const fs::path image = s_dir / (name + ".iso");
        const std::optional<test_support::PeerDisc> peer = test_support::ReadWithLsdvd(image);
        ASSERT_TRUE(peer);
        const nlohmann::json disc = Json({"disc", image.string(), "--json"});
        EXPECT_EQ(disc["kind"], "image");
        EXPECT_EQ(disc["source"], image.string());
        EXPECT_EQ(disc["label"], peer->label);
        EXPECT_EQ(disc["provider"], "DVDAuthor 0.7.2");
        EXPECT_EQ(disc["longestTitle"], peer->longestTitle);
        ASSERT_EQ(disc["titles"].size(), peer->titles.size());
        for (const test_support::PeerTitle& expected : peer->titles) {
            const nlohmann::json& title = disc["titles"][static_cast<std::size_t>(expected.number - 1)];
            EXPECT_EQ(title["number"], expected.number);
            EXPECT_EQ(title["titleSet"], expected.titleSet);
            EXPECT_EQ(title["titleInSet"], expected.titleInSet);
            EXPECT_EQ(title["angles"], expected.angles);
            EXPECT_EQ(title["chapters"], expected.chapters - ProgramsThatStartNoPart(name, expected.number));
            EXPECT_EQ(title["hours"], expected.hours);
            EXPECT_EQ(title["minutes"], expected.minutes);
            EXPECT_EQ(title["seconds"], expected.seconds);
            const double rate = title["frameRate"] == 25 ? 25.0 : 29.97;
            EXPECT_NEAR(title["frames"].get<int>() * 1000.0 / rate, expected.milliseconds, 1.0);
        }
        // The folder and its VIDEO_TS.IFO list the same disc, without a label.
        const fs::path folder = s_dir / name;
        for (const fs::path& other : {folder, folder / "VIDEO_TS", folder / "VIDEO_TS" / "VIDEO_TS.IFO"}) {
            nlohmann::json same = Json({"disc", other.string(), "--json"});
            EXPECT_EQ(same["kind"], "folder");
            EXPECT_EQ(same["label"], "");
            EXPECT_EQ(same["titles"], disc["titles"]);
            EXPECT_EQ(same["titleSets"], disc["titleSets"]);
        }
    }
    const auto text = RunCliCapture({"disc", (s_dir / "multi.iso").string()});
    EXPECT_NE(
        text.out.find("\nTitle 2: 00:00:02 .00, title set 1, track 2, 1 chapter, 1 angle (same as title "
                      "1)\nTitle 3: 00:00:03 .00, title set 2, track 1, 3 chapters, 1 angle (longest) (main "
                      "title)\n"),
        std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("\nTitle set 1: VTS_01_0.IFO, 2 tracks, 1 audio stream, 0 subpicture streams\n"),
              std::string::npos);
}

TEST_F(Discs, EveryCommandGivesTheSameOutputThroughImageFolderAndVideoManager)
{
    for (const std::string& name : kFixtures) {
        SCOPED_TRACE(name);
        const std::string lone = std::string(RATEWISE_FIXTURES_DIR "/ifo/") + name + "/VTS_01_0.IFO";
        const std::vector<std::vector<std::string>> commands{
            {"tracks", "--json"},         {"info", "--audio"},
            {"info", "--subs", "--json"}, {"chapters", "--track", "1", "--json"},
            {"profile", "--track", "1"},  {"split", "--track", "1", "--count", "2"},
            {"calc", "--json", "--ifo"}};
        for (const std::vector<std::string>& command : commands) {
            std::vector<std::string> args = command;
            args.push_back(lone);
            const auto expected = RunCliCapture(args);
            // A split that cannot be made is "no result" (4), still printed in full.
            ASSERT_TRUE(expected.status == 0 || expected.status == 4) << command[0] << expected.err;
            for (const fs::path& disc :
                 {s_dir / (name + ".iso"), s_dir / name / "VIDEO_TS" / "VIDEO_TS.IFO", s_dir / name}) {
                args.back() = disc.string();
                args.insert(args.end(), {"--title-set", "1"});
                const auto result = RunCliCapture(args);
                EXPECT_EQ(result.status, expected.status) << result.err;
                EXPECT_EQ(result.out, expected.out) << command[0] << " " << disc;
                args.resize(args.size() - 2);
            }
        }
    }
}

TEST_F(Discs, TitleSetAndTitleChooseTheSetAndTrack)
{
    const std::string image = (s_dir / "multi.iso").string();
    // The default is the set holding the longest title (title 3, in set 2).
    EXPECT_EQ(RunCliCapture({"tracks", image}).out, "T1: 00:00:03 .00\n");
    EXPECT_EQ(RunCliCapture({"tracks", image, "--title-set", "1"}).out,
              "T1: 00:00:02 .00\nT2: 00:00:02 .00\n");
    EXPECT_EQ(RunCliCapture({"chapters", image, "--title", "3"}).out,
              RunCliCapture({"chapters", image, "--title-set", "2", "--track", "1"}).out);
    EXPECT_EQ(Json({"chapters", image, "--title", "1", "--json"})["chapterCount"], 2);
    EXPECT_EQ(Json({"chapters", image, "--title", "2", "--json"})["chapterCount"], 1);
    EXPECT_EQ(Json({"calc", "--ifo", image, "--title", "3", "--json"})["secondsText"], "03");

    const auto noSet = RunCliCapture({"tracks", image, "--title-set", "3"});
    EXPECT_EQ(noSet.status, 2);
    EXPECT_EQ(noSet.err,
              "ratewise-cli: --title-set: no title set 3 on the disc (see 'ratewise-cli tracks --help')\n");
    // Every command that reads a title set ends alike on one the disc does not have.
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"vcd-project", image, "--title-set", "3", "-o", "-"},
                                               {"chapters", image, "--title-set", "3", "-t", "1"},
                                               {"profile", image, "--title-set", "3", "-t", "1"}}) {
        const auto refused = RunCliCapture(args);
        EXPECT_EQ(refused.status, 2) << args[0];
        EXPECT_NE(refused.err.find("no title set 3 on the disc"), std::string::npos) << refused.err;
    }
    EXPECT_EQ(RunCliCapture({"tracks", image, "--title", "4"}).status, 2);
    EXPECT_EQ(RunCliCapture({"tracks", image, "--title", "3", "--title-set", "1"}).status, 2);
    // Neither --track nor --title: the main title.
    const auto main = RunCliCapture({"chapters", image});
    EXPECT_EQ(main.out, RunCliCapture({"chapters", image, "--title", "3"}).out);
    EXPECT_EQ(main.err,
              "ratewise-cli: note: no --title or --track given: taking title 3, the disc's main title\n");
}

TEST_F(Discs, TitleVobsReadAsOneSectorAddressedSource)
{
    const fs::path folder = s_dir / "multi" / "VIDEO_TS";
    const std::vector<unsigned char> vob = test_support::ReadBytes(folder / "VTS_01_1.VOB");
    for (const fs::path& disc : {s_dir / "multi.iso", s_dir / "multi"}) {
        std::ostream quiet(nullptr);
        const TitleSetLoadResult loaded = LoadTitleSet(disc.string(), {1, 0}, quiet, quiet);
        ASSERT_TRUE(loaded.load) << loaded.why;
        std::unique_ptr<ByteSource> vobs = loaded.load->OpenTitleVobs();
        ASSERT_TRUE(vobs);
        ASSERT_EQ(vobs->Size(), vob.size());
        std::vector<std::uint8_t> sector(2048);
        for (std::size_t at : {std::size_t{0}, vob.size() - 2048}) {
            ASSERT_TRUE(vobs->Seek(static_cast<std::int64_t>(at)));
            ASSERT_EQ(vobs->Read(sector), 2048);
            EXPECT_TRUE(
                std::equal(sector.begin(), sector.end(), vob.begin() + static_cast<std::ptrdiff_t>(at)));
        }
        EXPECT_EQ(sector[3], 0xBA); // every sector starts with a pack header
    }
}

} // namespace
} // namespace ratewise
