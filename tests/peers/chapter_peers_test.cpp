// SPDX-License-Identifier: GPL-3.0-or-later
// The chapter files and split plans, handed to the tools they are made for: mkvmerge reads a
// DVD's chapters itself, our files muxed by mkvmerge or ffmpeg must give back the same times, and
// HandBrakeCLI must give back our CSV's names.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "ifo/byte_source.h"
#include "ifo/part_of_title_table.h"
#include "ifo/title_set_info.h"
#include "tests/cli/cli_runner.h"
#include "tests/disc/disc_builder.h"

namespace ratewise {
namespace {

namespace fs = std::filesystem;
using test_support::RunCliCapture;

bool Shell(const std::string& command)
{
    return std::system(("{ " + command + "; } >/dev/null 2>&1").c_str()) == 0;
}

std::string Slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Matches(const std::string& text, const std::string& pattern)
{
    std::vector<std::string> found;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1]);
    return found;
}

// "HH:MM:SS.nnn..." in nanoseconds.
long long Nanoseconds(const std::string& clock)
{
    std::string fraction = clock.substr(9);
    fraction.resize(9, '0');
    return (std::stoll(clock.substr(0, 2)) * 3600 + std::stoll(clock.substr(3, 2)) * 60 +
            std::stoll(clock.substr(6, 2))) *
               1000000000LL +
           std::stoll(fraction);
}

// What a chapter reader gave back: starts in ns (ms for `mkvextract --simple`) and names.
struct ReadBack {
    std::vector<long long> starts;
    std::vector<std::string> names;
    std::vector<std::string> languages;
};

ReadBack Simple(const fs::path& text)
{
    const std::string simple = Slurp(text);
    ReadBack back{{}, Matches(simple, R"(CHAPTER\d+NAME=([^\n]*))"), {}};
    for (const std::string& clock : Matches(simple, R"(CHAPTER\d+=([0-9:.]+))"))
        back.starts.push_back(Nanoseconds(clock) / 1000000);
    return back;
}

ReadBack Xml(const fs::path& file)
{
    const std::string xml = Slurp(file);
    ReadBack back{.starts = {}, .names = {}, .languages = Matches(xml, "<ChapterLanguage>([^<]+)<")};
    for (const std::string& clock : Matches(xml, "<ChapterTimeStart>([^<]+)<"))
        back.starts.push_back(Nanoseconds(clock));
    for (std::string name : Matches(xml, "<ChapterString>([^<]*)<")) {
        for (const auto& [entity, c] :
             {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}})
            name = std::regex_replace(name, std::regex(entity), c);
        back.names.push_back(name);
    }
    return back;
}

ReadBack Ffprobe(const fs::path& file)
{
    ReadBack back;
    const nlohmann::json json = nlohmann::json::parse(Slurp(file), nullptr, false);
    for (const auto& chapter : json.value("chapters", nlohmann::json::array())) {
        back.starts.push_back(chapter["start"].get<long long>()); // in ns: Matroska's time base
        back.names.push_back(chapter["tags"]["title"].get<std::string>());
    }
    return back;
}

class ChapterPeers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!Shell("command -v mkvmerge && command -v mkvextract && command -v ffmpeg && command -v ffprobe"))
            GTEST_SKIP()
                << "mkvmerge, mkvextract, ffmpeg or ffprobe is not installed (Debian: mkvtoolnix, ffmpeg)";
        m_dir = fs::temp_directory_path() / ("ratewise-peers-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
        // One tiny frame: mkvmerge and ffmpeg keep chapters that run past a file's end.
        ASSERT_TRUE(
            Shell("ffmpeg -v error -f lavfi -i color=s=16x16:r=25 -frames:v 1 -c:v ffv1 -y " + Q("any.mkv")));
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Q(const fs::path& name) const { return "'" + (m_dir / name).string() + "'"; }

    // A disc folder holding the fixture's two information files (mkvmerge needs no VOBs).
    fs::path VideoTs(const std::string& name)
    {
        const fs::path videoTs = m_dir / name / "VIDEO_TS";
        fs::create_directories(videoTs);
        for (const char* file : {"VIDEO_TS.IFO", "VTS_01_0.IFO"})
            fs::copy_file(fs::path(RATEWISE_FIXTURES_DIR) / "ifo" / name / file, videoTs / file);
        return videoTs;
    }

    // Writes our ogm, matroska and ffmetadata files of `track` into `dir` with `chapters -o`, and
    // returns the commands that mux them with mkvmerge and ffmpeg, read them back, and (for a
    // `title`) have mkvmerge read the DVD title itself.
    std::string Prepare(const fs::path& dir, const fs::path& videoTs, int title, int track,
                        const std::vector<std::string>& more = {})
    {
        fs::create_directories(m_dir / dir);
        for (const char* form : {"ogm", "matroska", "ffmetadata"}) {
            std::vector<std::string> args{"chapters", (videoTs / "VTS_01_0.IFO").string(),
                                          "--track",  std::to_string(track),
                                          "--format", form,
                                          "-o",       (m_dir / dir / form).string()};
            args.insert(args.end(), more.begin(), more.end());
            EXPECT_EQ(RunCliCapture(args).status, 0);
        }
        // Inside the case's folder; any.mkv is two levels up, the disc folder beside it.
        std::string steps =
            "mkvmerge -q -o ogm.mkv --chapters ogm ../../any.mkv; mkvextract ogm.mkv chapters "
            "--simple ogm.txt; mkvmerge -q -o xml.mkv --chapters matroska ../../any.mkv; mkvextract "
            "xml.mkv chapters xml.xml; ffmpeg -nostdin -v error -i ../../any.mkv -i ffmetadata -map 0 "
            "-map_chapters 1 -c copy ff.mkv; ffprobe -v error -show_chapters -of json -o ff.json ff.mkv";
        if (title > 0)
            steps += "; mkvmerge -q -o dvd.mkv --chapters '" + videoTs.string() + ":" +
                     std::to_string(title) + "' ../../any.mkv; mkvextract dvd.mkv chapters --simple dvd.txt";
        steps = "cd " + Q(dir) + " && " + steps;
        return "( " + steps + " ) >/dev/null 2>&1 &\n"; // side by side: the tools mostly wait on start-up
    }

    fs::path m_dir;
};

TEST_F(ChapterPeers, EveryFormGivesBackMkvmergesOwnDvdReading)
{
    // Every title of the small sets; of the 98 titles cycling over seven clips, the first seven and
    // the last. Each disc has one title set whose titles come in the disc's order.
    const std::vector<std::pair<std::string, std::vector<int>>> sets{
        {"ntsc_d1_wide_subs16_menu", {1, 2}},
        {"pal_d1_3audio_cells", {1, 2, 3, 4}},
        {"pal_98_titles", {1, 2, 3, 4, 5, 6, 7, 98}}};
    std::vector<fs::path> cases;
    std::string script;
    for (const auto& [name, titles] : sets) {
        const fs::path videoTs = VideoTs(name);
        std::unique_ptr<ByteSource> vts = OpenFileSource((videoTs / "VTS_01_0.IFO").string());
        const auto parts = ReadPartOfTitleTable(*vts, ifoOpen(*vts)->header.View());
        ASSERT_TRUE(parts);
        for (const int title : titles) {
            cases.push_back(fs::path(name) / std::to_string(title));
            script +=
                Prepare(cases.back(), videoTs, title, parts->at(std::size_t(title) - 1).at(0).programChain);
        }
    }
    ASSERT_TRUE(Shell(script + "wait"));

    for (const fs::path& c : cases) {
        SCOPED_TRACE(c.string());
        const ReadBack dvd = Simple(m_dir / c / "dvd.txt");
        const ReadBack ogm = Simple(m_dir / c / "ogm.txt");
        const ReadBack xml = Xml(m_dir / c / "xml.xml");
        const ReadBack ff = Ffprobe(m_dir / c / "ff.json");
        ASSERT_FALSE(dvd.starts.empty());
        EXPECT_EQ(ogm.starts, dvd.starts);
        EXPECT_EQ(ogm.names, dvd.names);
        ASSERT_EQ(xml.starts.size(), dvd.starts.size());
        ASSERT_EQ(ff.starts.size(), dvd.starts.size());
        for (std::size_t i = 0; i < dvd.starts.size(); ++i) {
            EXPECT_EQ(xml.starts[i] / 1000000, dvd.starts[i]);
            if (c.string().starts_with("pal")) { // whole milliseconds: the DVD reading is exact
                EXPECT_EQ(xml.starts[i], dvd.starts[i] * 1000000);
            }
            EXPECT_NEAR(double(ff.starts[i]) / 1e6, double(dvd.starts[i]), 1.0);
        }
    }
}

TEST_F(ChapterPeers, NamesRoundTripThroughMkvmergeAndFfmpeg)
{
    const std::vector<std::string> names{"Ünïcødé ✓ 章", "a=b;c#d", "x, \"quoted\"", "<tag> & more",
                                         "back\\slash"};
    std::ofstream(m_dir / "names.txt") << names[0] << "\r\n"
                                       << names[1] << "\n"
                                       << names[2] << "\n"
                                       << names[3] << "\n"
                                       << names[4];
    ASSERT_TRUE(Shell(Prepare("names/1", VideoTs("ntsc_d1_wide_subs16_menu"), 0, 1,
                              {"--names", (m_dir / "names.txt").string(), "--language", "ger"}) +
                      "wait"));
    EXPECT_EQ(Simple(m_dir / "names/1/ogm.txt").names, names);
    EXPECT_EQ(Xml(m_dir / "names/1/xml.xml").names, names);
    EXPECT_EQ(Xml(m_dir / "names/1/xml.xml").languages, std::vector<std::string>(names.size(), "ger"));
    EXPECT_EQ(Ffprobe(m_dir / "names/1/ff.json").names, names);
}

TEST_F(ChapterPeers, HandBrakeReadsTheCsvNamesByteForByte)
{
    if (!Shell("command -v HandBrakeCLI && command -v dvdauthor && command -v genisoimage"))
        GTEST_SKIP() << "HandBrakeCLI, dvdauthor or genisoimage is not installed";
    // Title 1 of the authored disc has four chapters.
    const std::vector<std::string> names{"a, b,", "say \"hi\", \"", " C:\\dir\\", "caf\xC3\xA9 \\, \\\""};
    std::ofstream(m_dir / "names.txt") << names[0] << "\n"
                                       << names[1] << "\n"
                                       << names[2] << "\n"
                                       << names[3];
    const std::optional<fs::path> dvd = test_support::TestDvd("pal"); // authored once per build
    ASSERT_TRUE(dvd);
    fs::create_directory_symlink(*dvd, m_dir / "pal");
    const auto csv =
        RunCliCapture({"chapters", (m_dir / "pal/VIDEO_TS/VTS_01_0.IFO").string(), "--track", "1", "--format",
                       "csv", "--names", (m_dir / "names.txt").string(), "-o", (m_dir / "hb.csv").string()});
    ASSERT_EQ(csv.status, 0) << csv.err;
    ASSERT_TRUE(Shell("cd " + Q("") +
                      " && HandBrakeCLI -i pal -t 1 --markers=hb.csv -e x264 --encoder-preset " +
                      "ultrafast -b 200 -a none -o hb.mkv && ffprobe -v error -show_chapters -of json -o " +
                      "hb.json hb.mkv"));
    EXPECT_EQ(Ffprobe(m_dir / "hb.json").names, names);
}

TEST_F(ChapterPeers, SplitPlansCutWhereTheSplitSays)
{
    // NTSC title 1 on three media: the cuts fall on frames 234 and 594 of 945.
    const std::string ifo = RATEWISE_FIXTURES_DIR "/ifo/ntsc_d1_wide_subs16_menu/VTS_01_0.IFO";
    const auto lines = [&](std::vector<std::string> args) {
        const auto result = RunCliCapture(args);
        EXPECT_EQ(result.status, 0) << result.err;
        std::vector<std::string> found;
        std::istringstream in(result.out);
        for (std::string line; std::getline(in, line);)
            found.push_back(line);
        return found;
    };
    const std::vector<std::string> split{"split", ifo, "--track", "1", "--count", "3", "--format"};
    auto mkvmerge = split, ffmpeg = split;
    mkvmerge.push_back("mkvmerge");
    ffmpeg.insert(ffmpeg.end(), {"ffmpeg", "--chapters-per-medium", m_dir.string(), "ogm"});
    const std::vector<std::string> plan = lines(mkvmerge), cuts = lines(ffmpeg);
    ASSERT_EQ(plan.size(), 2u);
    ASSERT_EQ(cuts.size(), 3u);
    lines({"chapters", ifo, "--track", "1", "--format", "ogm", "-o", (m_dir / "all.txt").string()});

    // Every frame a key frame, so each tool can cut on any frame; then each cut file's frames.
    std::string script =
        "cd " + Q("") + " && ffmpeg -v error -f lavfi -i testsrc=s=16x16:r=30000/1001 " +
        "-frames:v 945 -c:v ffv1 -g 1 long.mkv && mkvmerge -q -o ch.mkv --chapters all.txt " + plan[0] +
        " long.mkv && mkvmerge -q -o parts.mkv " + plan[1] + " long.mkv";
    for (int m = 1; m <= 3; ++m)
        script += " && ffmpeg -nostdin -v error -i long.mkv " + cuts[m - 1] + " -c copy ff-00" +
                  std::to_string(m) + ".mkv";
    ASSERT_TRUE(Shell(script +
                      " && for f in ch-00?.mkv parts-00?.mkv ff-00?.mkv; do b=${f%.mkv}; ffprobe -v error "
                      "-count_packets -show_entries stream=nb_read_packets -of csv=p=0 $f > $b.count & "
                      "mkvextract $f chapters --simple $b.txt & done; wait"));
    const char* frames[] = {"234\n", "360\n", "351\n"};
    for (const std::string made : {"ch", "parts", "ff"}) {
        for (int m = 1; m <= 3; ++m)
            EXPECT_EQ(Slurp(m_dir / (made + "-00" + std::to_string(m) + ".count")), frames[m - 1])
                << made << m;
    }
    // mkvmerge's own chapters of each cut file are our chapter file of that medium, from 0.
    for (int m = 1; m <= 3; ++m) {
        const ReadBack theirs = Simple(m_dir / ("ch-00" + std::to_string(m) + ".txt"));
        const ReadBack ours = Simple(m_dir / ("medium0" + std::to_string(m) + ".chapters.txt"));
        EXPECT_EQ(ours.starts, theirs.starts) << m;
        EXPECT_EQ(ours.names, theirs.names) << m;
        EXPECT_EQ(ours.starts.at(0), 0);
    }
}

} // namespace
} // namespace ratewise
