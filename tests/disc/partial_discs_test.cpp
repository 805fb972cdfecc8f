// SPDX-License-Identifier: GPL-3.0-or-later
// Discs that are not whole, built at test time from a real commercial disc: title sets deleted or
// damaged, the video manager renamed beside lower-case title sets, title sets without a video
// manager. Each loads what is there, as dvdxchap and mkvmerge read it.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include "disc/disc_texts.h"
#include "tests/cli/cli_runner.h"
#include "tests/disc/disc_builder.h"

namespace ratewise {
namespace {

namespace fs = std::filesystem;
using test_support::RunCliCapture;

class PartialDiscs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directories(m_dir);
        fs::copy(RATEWISE_FIXTURES_DIR "/real-discs/idiocracy", m_dir / "whole", fs::copy_options::recursive);
        fs::copy(m_dir / "whole", m_dir / "part", fs::copy_options::recursive);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Out(std::vector<std::string> args, const std::string& disc = "whole") const
    {
        args.insert(args.begin() + 1, (m_dir / disc).string());
        return RunCliCapture(args).out;
    }
    // What a peer printed on standard output.
    std::string Peer(const std::string& command) const
    {
        std::system((command + " >'" + (m_dir / "peer.txt").string() + "' 2>/dev/null").c_str());
        const std::vector<unsigned char> bytes = test_support::ReadBytes(m_dir / "peer.txt");
        return {bytes.begin(), bytes.end()};
    }

    const fs::path m_dir = fs::temp_directory_path() / ("ratewise-partial-" + std::to_string(::getpid()));
    const std::string m_part = (m_dir / "part").string();
    const fs::path m_videoTs = m_dir / "part" / "VIDEO_TS";
};

// dvdxchap reads every title but those of the missing sets; mkvmerge refuses such a disc, so its
// reading of the whole disc is what the partial one must give.
// What others authored is not misread: the commercial disc's extras title 2 plays titles 3-7 (each
// ends on a black cell of its own, as its play-all title does), and the recorder's overlapping
// titles share cells without being repeats, play-all titles or episodes.
TEST(RealDiscs, StructureMarksOnlyWhatTheCellsShow)
{
    const auto json = [](const std::string& disc) {
        return nlohmann::json::parse(
            RunCliCapture({"disc", RATEWISE_FIXTURES_DIR "/real-discs/" + disc + "/VIDEO_TS", "--json"}).out);
    };
    for (const auto& [disc, main, playAll] :
         {std::tuple<std::string, int, std::string>{"idiocracy", 1, "2:[3,4,5,6,7] "},
          {"scfcdv_aa", 1, ""}}) {
        const nlohmann::json listed = json(disc);
        EXPECT_EQ(listed["mainTitle"], main) << disc;
        EXPECT_TRUE(listed["episodes"].empty()) << disc;
        std::string marks;
        for (const nlohmann::json& title : listed["titles"]) {
            EXPECT_FALSE(title.contains("sameAs")) << disc << " " << title["number"];
            if (title.contains("playAll"))
                marks += std::to_string(title["number"].get<int>()) + ":" + title["playAll"].dump() + " ";
        }
        EXPECT_EQ(marks, playAll) << disc;
    }
}

TEST_F(PartialDiscs, MissingSetsAreSkippedWithANoteAsPeersSkipThem)
{
    fs::remove(m_videoTs / "VTS_02_0.IFO");
    test_support::WriteBytes(m_videoTs / "VTS_04_0.IFO", std::vector<unsigned char>(2048));
    const auto loaded = RunCliCapture({"tracks", m_part});
    EXPECT_EQ(loaded.status, 0);
    EXPECT_EQ(loaded.out, Out({"tracks"}));
    EXPECT_EQ(loaded.err,
              "ratewise-cli: note: title set 2 of the title table is missing; title 9 is skipped\n"
              "ratewise-cli: note: title set 4 of the title table is damaged; titles 2-7 are skipped\n");
    EXPECT_NE(Out({"disc"}, "part").find("\nTitle 9: missing, title set 2, 2 chapters, 1 angle\nTitle 10: "),
              std::string::npos);
    EXPECT_EQ(
        RunCliCapture({"chapters", m_part, "--title", "9"}).err,
        "ratewise-cli: --title: title 9 is in title set 2, which is missing (see 'ratewise-cli chapters "
        "--help')\n");
    EXPECT_EQ(RunCliCapture({"tracks", m_part, "--title-set", "4"}).status, 2);
    // Title 11 plays half a second: one chapter for players, no chapter line of ours.
    EXPECT_EQ(RunCliCapture({"chapters", m_part, "--title", "11", "-q"}).err,
              "ratewise-cli: chapters: no chapter line: track 1 plays for less than a second\n");

    if (test_support::HaveTools({"dvdxchap", "mkvmerge", "mkvextract", "ffmpeg"})) {
        const nlohmann::json listed = nlohmann::json::parse(Out({"disc", "--json"}, "part"));
        for (std::size_t title = 1; title <= 11; ++title) {
            const std::string peer = Peer("dvdxchap -t " + std::to_string(title) + " '" + m_part + "'");
            int chapters = 0;
            for (std::size_t at = peer.find("NAME="); at != std::string::npos;
                 at = peer.find("NAME=", at + 1))
                ++chapters;
            const nlohmann::json& ours = listed["titles"][title - 1];
            EXPECT_EQ(ours.contains("missing") ? 0 : ours["chapters"].get<int>(), chapters) << title;
        }
        const std::string any = (m_dir / "any.mkv").string(), dvd = (m_dir / "dvd.mkv").string();
        Peer("ffmpeg -v error -f lavfi -i color=s=16x16:r=25 -frames:v 1 -c:v ffv1 -y '" + any +
             "' && mkvmerge -q -o '" + dvd + "' --chapters '" + (m_dir / "whole").string() +
             "/VIDEO_TS:1' '" + any + "'");
        const std::string ogm = Out({"chapters", "--title", "1", "--format", "ogm"}, "part");
        EXPECT_NE(ogm.find("\nCHAPTER21="), std::string::npos) << ogm;
        EXPECT_EQ(ogm, Peer("mkvextract '" + dvd + "' chapters --simple /dev/stdout"));
    }

    for (int set = 1; set <= 6; ++set)
        fs::remove(m_videoTs / ("VTS_0" + std::to_string(set) + "_0.IFO"));
    EXPECT_EQ(RunCliCapture({"tracks", m_part}).err,
              "ratewise-cli: " + m_part + ": none of the 6 title sets of the title table can be read\n");
}

TEST_F(PartialDiscs, RenamedManagersAndSetsWithoutOneAreRead)
{
    fs::rename(m_videoTs / "VIDEO_TS.IFO", m_videoTs / "OTHER.IFO");
    for (int set = 1; set <= 6; ++set)
        fs::rename(m_videoTs / ("VTS_0" + std::to_string(set) + "_0.IFO"),
                   m_videoTs / ("vts_0" + std::to_string(set) + "_0.ifo"));
    const auto titles = [](const std::string& text) {
        return text.substr(text.find('\n'), text.find("\nTitle set 1:") - text.find('\n'));
    };
    EXPECT_EQ(titles(Out({"disc"}, "part/VIDEO_TS/OTHER.IFO")), titles(Out({"disc"})));

    // Sets 4 and 5 as a backup leaves them: each numbers its titles; the film's set is the default.
    for (const char* gone : {"OTHER.IFO", "vts_01_0.ifo", "vts_02_0.ifo", "vts_03_0.ifo", "vts_06_0.ifo"})
        fs::remove(m_videoTs / gone);
    EXPECT_NE(Out({"disc"}, "part").find(std::string("\n") + kTitlesBySetLine + "\nTitle 1: "),
              std::string::npos);
    EXPECT_EQ(Out({"tracks"}, "part"), Out({"tracks", "--title", "1"}));
    EXPECT_EQ(Out({"chapters", "--title-set", "4", "--title", "6"}, "part"),
              Out({"chapters", "--title", "2"}));
    EXPECT_EQ(RunCliCapture({"chapters", m_part, "--title-set", "4", "--title", "7"}).status, 2);
}

} // namespace
} // namespace ratewise
