// SPDX-License-Identifier: GPL-3.0-or-later
// The chapter files and split plans, handed to the tools they are made for: mkvmerge reads a
// DVD's chapters itself, and our files muxed by mkvmerge or ffmpeg must give back the same times.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "ifo/be_view.h"
#include "ifo/byte_buffer.h"
#include "ifo/byte_source.h"
#include "ifo/part_of_title_table.h"
#include "ifo/title_set_info.h"
#include "tests/cli/cli_runner.h"

namespace ratewise {
namespace {

namespace fs = std::filesystem;
using testing::RunCliCapture;

bool Shell(const std::string& command)
{
    return std::system(("{ " + command + "; } >/dev/null 2>&1").c_str()) == 0;
}

bool HaveTools()
{
    return Shell("command -v mkvmerge && command -v mkvextract && command -v ffmpeg && command -v ffprobe");
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

// "HH:MM:SS.nnnnnnnnn" (any number of decimals) in nanoseconds.
long long Nanoseconds(const std::string& clock)
{
    const long long h = std::stoll(clock.substr(0, 2));
    const long long m = std::stoll(clock.substr(3, 2));
    const long long s = std::stoll(clock.substr(6, 2));
    std::string fraction = clock.size() > 9 ? clock.substr(9) : "";
    fraction.resize(9, '0');
    return ((h * 60 + m) * 60 + s) * 1000000000LL + std::stoll(fraction);
}

// Chapter starts in ms and names of a Matroska file, as `mkvextract --simple` writes them.
struct SimpleChapters {
    std::vector<long long> ms;
    std::vector<std::string> names;
};

SimpleChapters ReadSimple(const fs::path& text)
{
    const std::string simple = Slurp(text);
    SimpleChapters chapters;
    for (const std::string& clock : Matches(simple, R"(CHAPTER\d+=([0-9:.]+))"))
        chapters.ms.push_back(Nanoseconds(clock) / 1000000);
    chapters.names = Matches(simple, R"(CHAPTER\d+NAME=([^\n]*))");
    return chapters;
}

// Title t of a disc: the title set's track (counting from 1) that plays its first part.
std::vector<int> TitleTracks(const fs::path& videoTs)
{
    std::vector<int> tracks;
    const std::string vmg = Slurp(videoTs / "VIDEO_TS.IFO");
    const BeView view(std::span(reinterpret_cast<const std::uint8_t*>(vmg.data()), vmg.size()));
    const std::uint32_t sector = view.U32(0xC4).value_or(0);
    const std::optional<BeView> table = view.Sub(std::size_t{sector} * 2048, 8);
    const std::uint16_t titles = table ? table->U16(0).value_or(0) : 0;

    std::unique_ptr<ByteSource> vts = OpenFileSource((videoTs / "VTS_01_0.IFO").string());
    std::unique_ptr<TitleSetInfo> info = ifoOpen(*vts);
    const auto parts = ReadPartOfTitleTable(*vts, info->header.View());
    for (std::size_t t = 0; t < titles; ++t) {
        const std::optional<BeView> entry = view.Sub(std::size_t{sector} * 2048 + 8 + 12 * t, 12);
        const std::size_t ttn = entry ? entry->U8(7).value_or(0) : 0;
        EXPECT_EQ(entry->U8(6), 1); // one title set on every fixture disc
        tracks.push_back(parts && ttn >= 1 && ttn <= parts->size() ? (*parts)[ttn - 1].at(0).programChain
                                                                   : 0);
    }
    return tracks;
}

// "&amp;" and the other four entities back to their characters.
std::string XmlUnescaped(std::string text)
{
    for (const auto& [entity, c] : std::vector<std::pair<std::string, std::string>>{
             {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}}) {
        for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
            text.replace(at, entity.size(), c);
    }
    return text;
}

// One track handed to the tools: mkvmerge's own reading of its DVD title, and our ogm,
// matroska and ffmetadata files muxed by mkvmerge and ffmpeg, all read back.
struct PeerCase {
    explicit PeerCase(fs::path where) : dir(std::move(where)) {}
    fs::path dir;
    SimpleChapters dvd;
    SimpleChapters ogm;
    std::vector<long long> xmlNs;
    std::vector<std::string> xmlNames;
    std::vector<std::string> xmlLanguages;
    nlohmann::json ffmpeg;
};

class ChapterPeers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!HaveTools())
            GTEST_SKIP()
                << "mkvmerge, mkvextract, ffmpeg or ffprobe is not installed (Debian: mkvtoolnix, ffmpeg)";
        m_dir = fs::temp_directory_path() / ("ratewise-peers-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
        // One tiny frame: mkvmerge and ffmpeg keep chapters that run past a file's end.
        ASSERT_TRUE(
            Shell("ffmpeg -v error -f lavfi -i color=c=black:s=16x16:r=25:d=1 -frames:v 1 -c:v ffv1 -y '" +
                  Any() + "'"));
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }

    std::string Any() const { return (m_dir / "any.mkv").string(); }

    // A disc folder holding the fixture's two information files (mkvmerge needs no VOBs).
    fs::path VideoTs(const std::string& name)
    {
        const fs::path videoTs = m_dir / name / "VIDEO_TS";
        fs::create_directories(videoTs);
        for (const char* file : {"VIDEO_TS.IFO", "VTS_01_0.IFO"})
            fs::copy_file(fs::path(RATEWISE_FIXTURES_DIR) / "ifo" / name / file, videoTs / file,
                          fs::copy_options::overwrite_existing);
        return videoTs;
    }

    // Writes our three files for `track` with `chapters -o` and returns the shell commands that
    // hand them and DVD title `title` to the tools.
    std::string Prepare(PeerCase& c, const fs::path& videoTs, int title, int track,
                        const std::vector<std::string>& more = {})
    {
        fs::create_directories(c.dir);
        const std::string ifo = (videoTs / "VTS_01_0.IFO").string();
        for (const char* form : {"ogm", "matroska", "ffmetadata"}) {
            std::vector<std::string> args{"chapters", ifo,  "--track", std::to_string(track),
                                          "--format", form, "-o",      (c.dir / form).string()};
            args.insert(args.end(), more.begin(), more.end());
            const auto result = RunCliCapture(args);
            EXPECT_EQ(result.status, 0) << result.err;
        }
        const std::string d = "'" + c.dir.string() + "/";
        std::string steps = "mkvmerge -q -o " + d + "ogm.mkv' --chapters " + d + "ogm' '" + Any() +
                            "'; mkvextract " + d + "ogm.mkv' chapters --simple " + d +
                            "ogm.txt'; mkvmerge -q -o " + d + "xml.mkv' --chapters " + d + "matroska' '" +
                            Any() + "'; mkvextract " + d + "xml.mkv' chapters " + d +
                            "xml.xml'; ffmpeg -v error -y -i '" + Any() + "' -i " + d +
                            "ffmetadata' -map 0 -map_chapters 1 -c copy " + d + "ff.mkv'; ffprobe -v error " +
                            "-show_chapters -of json -o " + d + "ff.json' " + d + "ff.mkv'";
        if (title > 0)
            steps += "; mkvmerge -q -o " + d + "dvd.mkv' --chapters '" + videoTs.string() + ":" +
                     std::to_string(title) + "' '" + Any() + "'; mkvextract " + d +
                     "dvd.mkv' chapters --simple " + d + "dvd.txt'";
        return "( " + steps + " ) >/dev/null 2>&1 &\n";
    }

    // Runs the cases' commands side by side (the tools mostly wait on their own start-up), then
    // reads back what they made.
    void RunAll(std::vector<PeerCase>& cases, const std::string& script)
    {
        ASSERT_TRUE(Shell(script + "wait"));
        for (PeerCase& c : cases) {
            c.dvd = ReadSimple(c.dir / "dvd.txt");
            c.ogm = ReadSimple(c.dir / "ogm.txt");
            const std::string xml = Slurp(c.dir / "xml.xml");
            for (const std::string& clock : Matches(xml, "<ChapterTimeStart>([^<]+)<"))
                c.xmlNs.push_back(Nanoseconds(clock));
            for (const std::string& name : Matches(xml, "<ChapterString>([^<]*)<"))
                c.xmlNames.push_back(XmlUnescaped(name));
            c.xmlLanguages = Matches(xml, "<ChapterLanguage>([^<]+)<");
            c.ffmpeg = nlohmann::json::parse(Slurp(c.dir / "ff.json"), nullptr, false)["chapters"];
        }
    }

    fs::path m_dir;
};

TEST_F(ChapterPeers, EveryFormGivesBackMkvmergesOwnDvdReading)
{
    // Every title of the small sets; of the 98 titles cycling over seven clips, the first seven
    // and the last.
    const std::vector<std::pair<std::string, std::vector<int>>> sets{
        {"ntsc_d1_wide_subs16_menu", {}},
        {"pal_d1_3audio_cells", {}},
        {"pal_98_titles", {1, 2, 3, 4, 5, 6, 7, 98}}};
    std::vector<PeerCase> cases;
    std::vector<std::string> labels;
    std::string script;
    for (const auto& [name, chosen] : sets) {
        const fs::path videoTs = VideoTs(name);
        const std::vector<int> tracks = TitleTracks(videoTs);
        std::vector<int> titles = chosen;
        for (int t = 1; chosen.empty() && t <= static_cast<int>(tracks.size()); ++t)
            titles.push_back(t);
        for (const int title : titles) {
            cases.emplace_back(m_dir / name / std::to_string(title));
            labels.push_back(name + " title " + std::to_string(title));
            script += Prepare(cases.back(), videoTs, title, tracks.at(static_cast<std::size_t>(title) - 1));
        }
    }
    RunAll(cases, script);

    for (std::size_t k = 0; k < cases.size(); ++k) {
        const PeerCase& c = cases[k];
        SCOPED_TRACE(labels[k]);
        ASSERT_FALSE(c.dvd.ms.empty());
        EXPECT_EQ(c.ogm.ms, c.dvd.ms);
        EXPECT_EQ(c.ogm.names, c.dvd.names);
        ASSERT_EQ(c.xmlNs.size(), c.dvd.ms.size());
        ASSERT_EQ(c.ffmpeg.size(), c.dvd.ms.size());
        for (std::size_t i = 0; i < c.xmlNs.size(); ++i) {
            EXPECT_EQ(c.xmlNs[i] / 1000000, c.dvd.ms[i]);
            if (labels[k].starts_with("pal")) { // whole milliseconds: the DVD reading is exact
                EXPECT_EQ(c.xmlNs[i], c.dvd.ms[i] * 1000000);
            }
            EXPECT_NEAR(c.ffmpeg[i]["start"].get<double>() / 1e6, double(c.dvd.ms[i]), 1.0);
        }
    }
}

TEST_F(ChapterPeers, NamesRoundTripThroughMkvmergeAndFfmpeg)
{
    const std::vector<std::string> names{"Ünïcødé ✓ 章", "a=b;c#d", "x, \"quoted\", 'single'", "<tag> & more",
                                         "back\\slash"};
    const fs::path list = m_dir / "names.txt";
    std::ofstream(list) << names[0] << "\r\n"
                        << names[1] << "\n"
                        << names[2] << "\n"
                        << names[3] << "\n"
                        << names[4];

    std::vector<PeerCase> cases{PeerCase(m_dir / "names")};
    RunAll(cases, Prepare(cases[0], VideoTs("ntsc_d1_wide_subs16_menu"), 0, 1,
                          {"--names", list.string(), "--language", "ger"}));
    const PeerCase& c = cases[0];
    EXPECT_EQ(c.ogm.names, names);
    EXPECT_EQ(c.xmlNames, names);
    EXPECT_EQ(c.xmlLanguages, std::vector<std::string>(names.size(), "ger"));
    ASSERT_EQ(c.ffmpeg.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(c.ffmpeg[i]["tags"]["title"], names[i]);
}

TEST_F(ChapterPeers, SplitPlansCutWhereTheSplitSays)
{
    // NTSC title 1 on three media: the cuts fall on frames 234 and 594 of 945.
    const std::string ifo = RATEWISE_FIXTURES_DIR "/ifo/ntsc_d1_wide_subs16_menu/VTS_01_0.IFO";
    const std::string d = "'" + m_dir.string() + "/";
    const auto plan = [&](const std::vector<std::string>& more) {
        std::vector<std::string> args{"split", ifo, "--track", "1", "--count", "3"};
        args.insert(args.end(), more.begin(), more.end());
        const auto result = RunCliCapture(args);
        EXPECT_EQ(result.status, 0) << result.err;
        std::vector<std::string> lines;
        std::istringstream in(result.out);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    };
    const std::vector<std::string> mkvmerge = plan({"--format", "mkvmerge"});
    const std::vector<std::string> ffmpeg =
        plan({"--format", "ffmpeg", "--chapters-per-medium", m_dir.string(), "ogm"});
    ASSERT_EQ(mkvmerge.size(), 2u);
    ASSERT_EQ(ffmpeg.size(), 3u);
    const auto result =
        RunCliCapture({"chapters", ifo, "--track", "1", "--format", "ogm", "-o", m_dir / "all.txt"});
    ASSERT_EQ(result.status, 0) << result.err;

    // Every frame a key frame, so each tool can cut on any frame.
    std::string script =
        "ffmpeg -v error -f lavfi -i testsrc=s=16x16:r=30000/1001 -frames:v 945 -c:v ffv1 -g 1 " + d +
        "long.mkv' && mkvmerge -q -o " + d + "ch.mkv' --chapters " + d + "all.txt' " + mkvmerge[0] + " " + d +
        "long.mkv' && mkvmerge -q -o " + d + "parts.mkv' " + mkvmerge[1] + " " + d + "long.mkv'";
    for (std::size_t m = 0; m < ffmpeg.size(); ++m)
        script += " && ffmpeg -nostdin -v error -i " + d + "long.mkv' " + ffmpeg[m] + " -c copy " + d +
                  "ff-00" + std::to_string(m + 1) + ".mkv'";
    ASSERT_TRUE(Shell(script));
    std::string count;
    for (const char* made : {"ch", "parts", "ff"}) {
        for (int m = 1; m <= 3; ++m) {
            const std::string file = std::string(made) + "-00" + std::to_string(m);
            count += "ffprobe -v error -count_packets -show_entries stream=nb_read_packets -of csv=p=0 " + d +
                     file + ".mkv' > " + d + file + ".count' & ";
            if (std::string(made) == "ch")
                count += "mkvextract " + d + file + ".mkv' chapters --simple " + d + file + ".txt' & ";
        }
    }
    ASSERT_TRUE(Shell(count + "wait"));
    for (const char* made : {"ch", "parts", "ff"}) {
        for (int m = 1; m <= 3; ++m) {
            const std::string file = std::string(made) + "-00" + std::to_string(m);
            const char* frames[] = {"234\n", "360\n", "351\n"};
            EXPECT_EQ(Slurp(m_dir / (file + ".count")), frames[m - 1]) << file;
        }
    }
    // mkvmerge's own chapters of each cut file are our chapter file of that medium.
    for (int m = 1; m <= 3; ++m) {
        const SimpleChapters theirs = ReadSimple(m_dir / ("ch-00" + std::to_string(m) + ".txt"));
        const SimpleChapters ours = ReadSimple(m_dir / ("medium0" + std::to_string(m) + ".chapters.txt"));
        EXPECT_EQ(ours.ms, theirs.ms) << m;
        EXPECT_EQ(ours.names, theirs.names) << m;
        EXPECT_EQ(ours.ms.at(0), 0);
    }
}

} // namespace
} // namespace ratewise
