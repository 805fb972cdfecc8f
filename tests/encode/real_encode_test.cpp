// SPDX-License-Identifier: GPL-3.0-or-later
// The encode plans and `stream` against real tools on small DVDs authored at test time
// (make_test_dvd.sh: ffmpeg, dvdauthor, genisoimage): `stream` gives libdvdread's bytes, stops
// cleanly on a closed pipe and refuses scrambled packs; bad input gives one line and no script;
// the printed scripts run under sh and every output lands between 98 % and 100 % of its medium.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "encode/shell_quote.h"
#include "tests/cli/cli_runner.h"
#include "tests/disc/disc_builder.h"

namespace ratewise {
namespace {

namespace fs = std::filesystem;

struct Shell {
    int status = -1;
    std::string out;
};

Shell RunShell(const std::string& command)
{
    Shell result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 65536> buffer{};
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.out.append(buffer.data(), got);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool Installed(const std::string& program)
{
    return RunShell("command -v " + program + " >/dev/null 2>&1").status == 0;
}

std::string FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string kCli = RATEWISE_CLI_PATH;

// The two authored discs, made once for the whole run.
class TestDiscs : public ::testing::Environment
{
public:
    void SetUp() override
    {
        for (const char* tool : {"ffmpeg", "dvdauthor", "genisoimage", "spumux"})
            if (!Installed(tool))
                missing += std::string(missing.empty() ? "" : ", ") + tool;
        if (!missing.empty())
            return;
        root = fs::temp_directory_path() / ("ratewise-encode-" + std::to_string(::getpid()));
        fs::create_directories(root);
        // The season tests run as a test of their own, beside the others: each makes its discs.
        if (::testing::GTEST_FLAG(filter).starts_with("Season")) {
            for (const auto& [name, options] : {std::pair<const char*, std::vector<std::string>>{"s1", {"4"}},
                                                {"s2", {"2", "6", "plain"}}}) {
                std::vector<std::string> words{RATEWISE_SERIES_DVD_SCRIPT, (root / name).string()};
                words.insert(words.end(), options.begin(), options.end());
                if (const Shell made = RunShell(ShellWords(words) + " 2>&1"); made.status != 0)
                    failure += made.out;
            }
            return;
        }
        // The three test discs are authored once per build and shared with the other tests that
        // read them; each is linked in here, beside what the cases write.
        for (const char* standard : {"pal", "ntsc", "film"}) {
            const std::optional<fs::path> dvd = test_support::TestDvd(standard);
            if (!dvd) {
                failure += std::string("make_test_dvd.sh failed for ") + standard +
                           " (its output: " + RATEWISE_AUTHORED_DIR "/test-dvd-" + standard + ".log)\n";
                continue;
            }
            fs::create_directory_symlink(*dvd, root / standard);
            fs::create_symlink(dvd->string() + ".iso", root / (std::string(standard) + ".iso"));
        }
    }
    void TearDown() override
    {
        std::error_code error;
        if (!root.empty())
            fs::remove_all(root, error);
    }
    std::string missing;
    std::string failure;
    fs::path root;
};

TestDiscs* discs = nullptr;

#define REQUIRE_DISCS()                                                                                      \
    do {                                                                                                     \
        if (!discs->missing.empty())                                                                         \
            GTEST_SKIP() << "not installed: " << discs->missing;                                             \
        ASSERT_EQ(discs->failure, "");                                                                       \
    } while (0)

TEST(Stream, GivesLibdvdreadsBytesOfEachTitleFromFolderAndTrack)
{
    REQUIRE_DISCS();
    for (const char* standard : {"pal", "ntsc"}) {
        const fs::path disc = discs->root / standard;
        for (const int title : {1, 2}) {
            const fs::path mine = discs->root / "mine.mpg", theirs = discs->root / "theirs.mpg";
            ASSERT_EQ(RunShell(ShellWords({kCli, "stream", disc.string(), "--title", std::to_string(title)}) +
                               " >" + ShellQuote(mine.string()))
                          .status,
                      0);
            // libdvdread reads the image, so its path to the sectors shares nothing with ours.
            ASSERT_EQ(RunShell(ShellWords({RATEWISE_DVDREAD_DUMP, disc.string() + ".iso",
                                           std::to_string(title), theirs.string()}) +
                               " >/dev/null 2>&1")
                          .status,
                      0);
            const std::string bytes = FileBytes(mine);
            EXPECT_GT(bytes.size(), 100u * 2048) << standard << " title " << title;
            EXPECT_TRUE(bytes == FileBytes(theirs)) << standard << " title " << title;
            // The same title named as a track of its title set.
            const test_support::CliResult track = test_support::RunCliCapture(
                {"stream", (disc / "VIDEO_TS" / "VTS_01_0.IFO").string(), "--track", std::to_string(title)});
            EXPECT_EQ(track.status, 0);
            EXPECT_TRUE(track.out == bytes);
            // And read from inside the image.
            const test_support::CliResult image = test_support::RunCliCapture(
                {"stream", disc.string() + ".iso", "--title", std::to_string(title)});
            EXPECT_EQ(image.status, 0);
            EXPECT_TRUE(image.out == bytes);
        }
    }
}

TEST(Stream, StopsCleanlyOnAClosedPipeAndRefusesScrambledPacks)
{
    REQUIRE_DISCS();
    const fs::path status = discs->root / "status", err = discs->root / "err";
    RunShell("(" + ShellWords({kCli, "stream", (discs->root / "pal").string(), "--title", "1"}) + " 2>" +
             ShellQuote(err.string()) + "; echo $? >" + ShellQuote(status.string()) +
             ") | head -c 4096 >/dev/null");
    EXPECT_EQ(FileBytes(status), "0\n");
    EXPECT_EQ(FileBytes(err), "");

    // Mark the first video pack scrambled, as an encrypted disc has it.
    const fs::path copy = discs->root / "scrambled";
    fs::copy(discs->root / "pal", copy, fs::copy_options::recursive);
    std::fstream vob(copy / "VIDEO_TS" / "VTS_01_1.VOB", std::ios::in | std::ios::out | std::ios::binary);
    std::array<char, 2048> pack{};
    for (std::streamoff sector = 0; vob.read(pack.data(), pack.size()); ++sector) {
        if (static_cast<unsigned char>(pack[17]) == 0xE0) {
            vob.seekp(sector * 2048 + 0x14);
            vob.put(static_cast<char>(pack[0x14] | 0x10));
            break;
        }
    }
    vob.close();
    const test_support::CliResult result =
        test_support::RunCliCapture({"stream", copy.string(), "--title", "1"});
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "ratewise-cli: " + copy.string() +
                              ": the disc is encrypted: stream (and so the ffmpeg plan) cannot read it; "
                              "the HandBrake plan can where libdvdcss is installed\n");
}

TEST(Plan, BadInputGivesOneLineAndNoScript)
{
    REQUIRE_DISCS();
    const std::string pal = (discs->root / "pal").string();
    const std::string film = (discs->root / "film").string();
    const fs::path noVobs = discs->root / "no-vobs" / "VIDEO_TS";
    fs::create_directories(noVobs);
    for (const char* name : {"VIDEO_TS.IFO", "VTS_01_0.IFO"})
        fs::copy_file(discs->root / "pal" / "VIDEO_TS" / name, noVobs / name,
                      fs::copy_options::overwrite_existing);
    // An image cut inside its VOB: its directory still gives the whole size.
    const fs::path cut = discs->root / "cut.iso";
    const std::string image = FileBytes(discs->root / "pal.iso");
    std::ofstream(cut, std::ios::binary) << image.substr(0, image.size() * 6 / 10);
    const std::string out = (discs->root / "x.mkv").string();
    const struct {
        std::vector<std::string> args;
        int status;
        std::string why;
    } cases[] = {
        {{"plan", pal, "--title", "9", "--encoder", "ffmpeg", "-o", out}, 2, "no title 9"},
        {{"plan", pal, "--track", "5", "--encoder", "handbrake", "-o", out},
         2,
         "expected a track number from 1 to 2, got '5'"},
        {{"plan", noVobs.string(), "--title", "1", "--encoder", "ffmpeg", "-o", out},
         3,
         "no title VOB files"},
        {{"plan", pal, "--title", "1", "--encoder", "ffmpeg", "-o", "/no/such/dir/x.mkv"},
         1,
         "cannot be written"},
        {{"plan", pal, "--title", "1", "--encoder", "ffmpeg", "--preset", "custom", "--size", "1", "--audio1",
          "9999", "-o", out},
         4,
         "no video bitrate"},
        {{"plan", pal, "--title", "1", "--encoder", "ffmpeg", "--count", "9", "-o", out},
         4,
         "cannot be split"},
        {{"plan", pal, "--title", "1", "--encoder", "ffmpeg", "--audio2", "96", "-o", out},
         2,
         "1 audio stream"},
        {{"plan", (discs->root / "nothing").string(), "--title", "1", "--encoder", "ffmpeg", "-o", out},
         3,
         "no such file"},
        {{"stream", noVobs.string(), "--title", "1"}, 3, "no title VOB files"},
        {{"stream", cut.string(), "--title", "1"}, 3, "the title's cells lie outside its VOB files"},
        {{"plan", pal, "--title", "1", "--encoder", "ffmpeg", "-o", "t.avi"}, 2, ".mkv, .mp4 or .m4v"},
        {{"plan", pal, "--title", "1", "--encoder", "ffmpeg", "--encoder-preset", "superquick", "-o", out},
         2,
         "ultrafast, superfast"},
        {{"plan", film, "--title", "2", "--encoder", "ffmpeg", "--subtitles", "all", "-o", "x.mp4"},
         2,
         "MP4 cannot carry DVD subtitles"},
        {{"plan", film, "--title", "2", "--encoder", "handbrake", "--audio", "1,3", "-o", out},
         2,
         "no audio stream 3: the title set has 2"},
        {{"plan", cut.string(), "--title", "1", "--encoder", "ffmpeg", "-o", out}, 3, "lie outside"},
    };
    for (const auto& c : cases) {
        const test_support::CliResult result = test_support::RunCliCapture(c.args);
        EXPECT_EQ(result.status, c.status) << c.args[2];
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(c.why), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    // The film's title set beside its manager is disc title 2, as HandBrakeCLI numbers it; alone,
    // HandBrakeCLI cannot be told which title it is.
    const std::string filmSet = film + "/VIDEO_TS/VTS_02_0.IFO";
    EXPECT_NE(test_support::RunCliCapture({"disc", filmSet}).out.find("Title 2: 00:00:24 .00, title set 2"),
              std::string::npos);
    const test_support::CliResult byDisc =
        test_support::RunCliCapture({"plan", filmSet, "--track", "1", "--encoder", "handbrake", "-o", out});
    EXPECT_NE(byDisc.out.find("HandBrakeCLI -i " + film + " -t 2 "), std::string::npos) << byDisc.out;
    const fs::path lone = discs->root / "lone";
    fs::create_directories(lone);
    for (const char* name : {"VTS_02_0.IFO", "VTS_02_1.VOB"})
        fs::copy_file(discs->root / "film" / "VIDEO_TS" / name, lone / name,
                      fs::copy_options::overwrite_existing);
    const test_support::CliResult alone = test_support::RunCliCapture(
        {"plan", (lone / "VTS_02_0.IFO").string(), "--track", "1", "--encoder", "handbrake", "-o", out});
    EXPECT_EQ(alone.status, 3);
    EXPECT_NE(alone.err.find("HandBrakeCLI numbers titles by VIDEO_TS.IFO"), std::string::npos) << alone.err;
    EXPECT_EQ(test_support::RunCliCapture({"plan", (lone / "VTS_02_0.IFO").string(), "--track", "1",
                                           "--encoder", "ffmpeg", "-o", out})
                  .status,
              0);

    // An encoder that is not installed.
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", discs->root.c_str(), 1);
    const test_support::CliResult missing =
        test_support::RunCliCapture({"plan", pal, "--title", "1", "--encoder", "handbrake", "-o", out});
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "ratewise-cli: HandBrakeCLI: not installed (not found on PATH)\n");
}

// Output names built to break out of the script: a newline in the comment line, quotes, command
// substitution, backquotes and `;`. The plans run under sh with stub encoders that log their
// arguments: each encoder gets the name byte for byte as one word, and nothing else runs.
TEST(Plan, BadNamesRunNothingButTheEncoders)
{
    REQUIRE_DISCS();
    const fs::path dir = discs->root / "stubs";
    fs::create_directories(dir);
    const fs::path log = dir / "arguments";
    for (const char* program : {"HandBrakeCLI", "ffmpeg"}) {
        std::ofstream(dir / program) << "#!/bin/sh\nprintf '%s\\0' \"$@\" >>" << ShellQuote(log.string())
                                     << "\n";
        fs::permissions(dir / program, fs::perms::owner_all);
    }
    // The scripts run in `dir`, so whatever the names would run touches INJECTED there.
    const fs::path injected = dir / "INJECTED";
    const std::string names[] = {
        "x\ntouch INJECTED\n.mkv",
        "a'b\"c $(touch INJECTED) `touch INJECTED`; touch INJECTED #.mkv",
    };
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    for (const char* encoder : {"handbrake", "ffmpeg"}) {
        for (const std::string& name : names) {
            const std::string output = (dir / name).string();
            const std::vector<std::string> args{kCli,      "plan", (discs->root / "pal").string(),
                                                "--title", "1",    "--encoder",
                                                encoder,   "-o",   output};
            const Shell plan =
                RunShell("PATH=" + ShellQuote(dir.string() + ":" + path) + " " + ShellWords(args));
            ASSERT_EQ(plan.status, 0) << encoder;
            const fs::path script = dir / "plan.sh";
            std::ofstream(script) << plan.out;
            fs::remove(log);
            const Shell ran = RunShell("cd " + ShellQuote(dir.string()) + " && PATH=" +
                                       ShellQuote(dir.string() + ":" + path) + " sh plan.sh 2>&1");
            EXPECT_EQ(ran.status, 0) << ran.out;
            EXPECT_FALSE(fs::exists(injected)) << encoder << ": " << plan.out;
            const std::string logged = FileBytes(log);
            EXPECT_NE(logged.find(std::string(1, '\0') + output + std::string(1, '\0')), std::string::npos)
                << encoder << ": the output name is not one argument";
        }
    }
}

// Runs the printed plan under sh and checks every output against its medium's share.
void EncodeAndCheck(const std::string& source, const std::string& extension,
                    const std::vector<std::string>& options)
{
    const fs::path dir = discs->root / "out dir é";
    fs::create_directories(dir);
    std::vector<std::string> args{
        kCli, "plan", (discs->root / source).string(), "--title", "1", "--encoder-preset", "ultrafast"};
    args.insert(args.end(), options.begin(), options.end());
    const std::string label = source + " " + extension + " " + ShellWords(options);
    args.insert(
        args.end(),
        {"-o", (dir / (std::to_string(std::hash<std::string>{}(label)) + "'s film." + extension)).string()});
    const Shell json = RunShell(ShellWords(args) + " --json");
    ASSERT_EQ(json.status, 0) << label;
    const nlohmann::json plan = nlohmann::json::parse(json.out);
    const fs::path script = discs->root / "plan.sh";
    std::ofstream(script) << RunShell(ShellWords(args)).out;
    const auto started = std::chrono::steady_clock::now();
    const Shell ran = RunShell(ShellWords({"sh", script.string()}) + " 2>&1");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    ASSERT_EQ(ran.status, 0) << label << "\n" << ran.out;
    for (const nlohmann::json& medium : plan["media"]) {
        const std::string output = medium["output"];
        ASSERT_TRUE(fs::exists(output)) << output;
        const double fill = static_cast<double>(fs::file_size(output)) / medium["targetBytes"].get<double>();
        std::cout << "fill " << label << " medium " << medium["medium"] << ": " << fill * 100 << " % ("
                  << seconds << " s)\n";
        EXPECT_LE(fill, 1.0) << label;
        EXPECT_GE(fill, 0.98) << label;
        // The medium's chapters are in the file.
        const Shell chapters = RunShell(ShellWords(
            {"ffprobe", "-v", "error", "-show_entries", "chapter=start", "-of", "csv=p=0", output}));
        EXPECT_EQ(std::count(chapters.out.begin(), chapters.out.end(), '\n'),
                  medium["lastChapter"].get<int>() - medium["firstChapter"].get<int>() + 1)
            << label;
        fs::remove(output);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 0) << "pass logs left";
}

TEST(Plan, PrintedScriptsFillTheirMediaWithFfmpeg)
{
    REQUIRE_DISCS();
    if (!Installed("ffmpeg") || !Installed("ffprobe"))
        GTEST_SKIP() << "ffmpeg is not installed";
    EncodeAndCheck("pal", "mkv", {"--encoder", "ffmpeg", "--size", "3"});
    EncodeAndCheck("ntsc.iso", "mp4",
                   {"--encoder", "ffmpeg", "--size", "4", "--count", "2", "--audio-codec", "ac3"});
}

TEST(Plan, PrintedScriptsFillTheirMediaWithHandBrake)
{
    REQUIRE_DISCS();
    if (!Installed("HandBrakeCLI") || !Installed("ffprobe"))
        GTEST_SKIP() << "HandBrakeCLI is not installed";
    EncodeAndCheck("ntsc", "mp4", {"--encoder", "handbrake", "--size", "3"});
    EncodeAndCheck("pal.iso", "mkv",
                   {"--encoder", "handbrake", "--size", "4", "--count", "2", "--audio-codec", "copy"});
}

// The seconds of every packet (or keyframe) of one stream of a file.
std::vector<double> PacketTimes(const fs::path& file, const std::string& stream, bool keyOnly = false)
{
    const Shell probe =
        RunShell(ShellWords({"ffprobe", "-v", "error", "-select_streams", stream, "-show_entries",
                             "packet=pts_time,flags", "-of", "csv=p=0", file.string()}));
    std::vector<double> times;
    std::istringstream lines(probe.out);
    for (std::string line; std::getline(lines, line);)
        if (!keyOnly || line.find(",K") != std::string::npos)
            times.push_back(std::atof(line.c_str()));
    return times;
}

// The film disc as people rip it: 5.1 below HandBrake's AAC minimum, a commentary copied, both
// subtitle streams, named chapters; one medium and two, through both encoders. Every file is at
// most its medium, carries its streams with their languages, has a keyframe on every chapter
// start, and the two parts of a split join to the film's length within a frame.
TEST(Plan, FilmDiscsStreamsFitAndPartsJoin)
{
    REQUIRE_DISCS();
    for (const char* tool : {"HandBrakeCLI", "ffprobe", "mkvmerge"})
        if (!Installed(tool))
            GTEST_SKIP() << tool << " is not installed";
    const fs::path dir = discs->root / "film out";
    fs::create_directories(dir);
    std::ofstream(dir / "names.txt") << "Opening, with \"quotes\"\nThe road\n";
    const double frame = 0.04;
    struct Case {
        std::vector<std::string> options;
        int media;
    };
    const Case cases[] = {
        {{"--encoder", "handbrake", "--audio", "all", "--size", "3"}, 1},
        {{"--encoder", "ffmpeg", "--audio", "all", "--size", "3"}, 1},
        {{"--encoder", "ffmpeg", "--audio", "1:ac3:100,2:copy", "--size", "2", "--count", "2"}, 2},
        {{"--encoder", "handbrake", "--audio", "1,2:copy", "--size", "2", "--count", "2"}, 2},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{kCli,
                                      "plan",
                                      (discs->root / "film.iso").string(),
                                      "--title",
                                      "2",
                                      "--subtitles",
                                      "all",
                                      "--names",
                                      (dir / "names.txt").string(),
                                      "--encoder-preset",
                                      "ultrafast",
                                      "-o",
                                      (dir / "film.mkv").string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const std::string label = ShellWords(c.options);
        const Shell json = RunShell(ShellWords(args) + " --json 2>/dev/null");
        ASSERT_EQ(json.status, 0) << label;
        const nlohmann::json plan = nlohmann::json::parse(json.out);
        std::ofstream(dir / "plan.sh") << RunShell(ShellWords(args) + " 2>/dev/null").out;
        const Shell ran = RunShell(ShellWords({"sh", (dir / "plan.sh").string()}) + " 2>&1");
        ASSERT_EQ(ran.status, 0) << label << "\n" << ran.out;
        // No decoder complaint about a part's first or last audio frame.
        EXPECT_EQ(ran.out.find("incomplete frame"), std::string::npos) << label << "\n" << ran.out;
        std::vector<std::string> parts;
        for (const nlohmann::json& medium : plan["media"]) {
            const std::string output = medium["output"];
            const double fill =
                static_cast<double>(fs::file_size(output)) / medium["targetBytes"].get<double>();
            std::cout << "fill film " << label << " medium " << medium["medium"] << ": " << fill * 100
                      << " %\n";
            EXPECT_LE(fill, 1.0) << label;
            EXPECT_GE(fill, 0.97) << label;
            const nlohmann::json file =
                nlohmann::json::parse(RunShell(ShellWords({"mkvmerge", "-J", output})).out);
            std::string languages;
            for (const nlohmann::json& track : file["tracks"])
                languages += track["type"].get<std::string>() + ":" +
                             track["properties"].value("language", std::string("und")) + " ";
            // Every stream the plan carries in this medium (a subtitle stream with nothing to show
            // in a part is left out of it), with its language.
            std::string planned;
            for (const nlohmann::json& stream : medium["streams"])
                planned +=
                    stream["kind"].get<std::string>() + ":" + stream["language"].get<std::string>() + " ";
            EXPECT_EQ(languages.substr(languages.find("audio")), planned) << label << " " << output;
            EXPECT_EQ(planned.substr(0, 20), "audio:eng audio:eng ") << label;
            // A keyframe within a frame of every chapter start.
            const std::vector<double> keys = PacketTimes(output, "v", true);
            const std::vector<double> chapters = [&] {
                std::vector<double> starts;
                std::istringstream lines(
                    RunShell(ShellWords({"ffprobe", "-v", "error", "-show_entries", "chapter=start_time",
                                         "-of", "csv=p=0", output}))
                        .out);
                for (std::string line; std::getline(lines, line);)
                    starts.push_back(std::atof(line.c_str()));
                return starts;
            }();
            EXPECT_EQ(static_cast<int>(chapters.size()),
                      medium["lastChapter"].get<int>() - medium["firstChapter"].get<int>() + 1);
            for (const double start : chapters)
                EXPECT_TRUE(
                    std::any_of(keys.begin(), keys.end(),
                                [&](double key) { return std::abs(key - keys.front() - start) <= frame; }))
                    << label << " chapter at " << start;
            parts.push_back(output);
        }
        ASSERT_EQ(static_cast<int>(parts.size()), c.media);
        const Shell names = RunShell(ShellWords({"mkvextract", parts[0], "chapters", "--simple", "-"}));
        EXPECT_NE(names.out.find("CHAPTER01NAME=Opening, with \"quotes\""), std::string::npos) << label;
        if (c.media == 1) {
            // Cut afterwards where `split --format mkvmerge` says: at chapter 7, 12 s in.
            const Shell split =
                RunShell(ShellWords({kCli, "split", (discs->root / "film.iso").string(), "--title", "2",
                                     "--count", "2", "--size", "2", "--format", "mkvmerge"}));
            ASSERT_EQ(split.out.substr(0, 19), "--split chapters:7\n") << split.out;
            const fs::path cut = dir / "cut.mkv";
            RunShell(ShellWords({"mkvmerge", "-q", "-o", cut.string(), "--split", "chapters:7", parts[0]}));
            const std::vector<double> first = PacketTimes(dir / "cut-001.mkv", "v");
            ASSERT_FALSE(first.empty()) << label;
            EXPECT_NEAR(static_cast<double>(first.size()) * frame, 12.0, frame) << label;
            fs::remove(dir / "cut-001.mkv");
            fs::remove(dir / "cut-002.mkv");
        }
        if (c.media == 2) {
            const fs::path joined = dir / "joined.mkv";
            RunShell(ShellWords({"mkvmerge", "-q", "-o", joined.string(), parts[0], "+", parts[1]}));
            const std::vector<double> video = PacketTimes(joined, "v");
            ASSERT_EQ(video.size(), 600u) << label; // 24 s at 25 frames a second, none lost or doubled
            const double length = *std::max_element(video.begin(), video.end()) + frame -
                                  *std::min_element(video.begin(), video.end());
            // Within a frame and a little: mkvmerge appends the second part after the first one's
            // longest track, and the AAC encoder's last frame ends up to a few milliseconds after
            // the last picture.
            EXPECT_NEAR(length, 24.0, frame + 0.010) << label;
            fs::remove(joined);
        }
        for (const std::string& part : parts)
            fs::remove(part);
    }
}

// mkvmerge's reading of a disc title's chapters, in seconds.
std::vector<double> PeerChapters(const fs::path& disc, int title, const fs::path& work)
{
    const fs::path any = work / "any.mkv", out = work / "chapters.mkv";
    RunShell(ShellWords({"ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "color=s=16x16:r=25",
                         "-frames:v", "1", "-c:v", "ffv1", any.string()}));
    RunShell(ShellWords({"mkvmerge", "-q", "-o", out.string(), "--chapters",
                         (disc / "VIDEO_TS").string() + ":" + std::to_string(title), any.string()}));
    std::istringstream lines(
        RunShell(ShellWords({"mkvextract", out.string(), "chapters", "--simple", "-"})).out);
    std::vector<double> starts;
    for (std::string line; std::getline(lines, line);) {
        int h = 0, m = 0;
        double sec = 0;
        if (line.find("NAME=") == std::string::npos &&
            std::sscanf(line.c_str() + line.find('=') + 1, "%d:%d:%lf", &h, &m, &sec) == 3)
            starts.push_back(h * 3600.0 + m * 60.0 + sec);
    }
    return starts;
}

TEST(Season, SeriesDiscsAreRecognisedAndTheirEpisodesFillTheMediaTogether)
{
    REQUIRE_DISCS();
    for (const char* tool : {"HandBrakeCLI", "mkvmerge", "mkvextract"})
        if (!Installed(tool))
            GTEST_SKIP() << tool << " is not installed";
    const fs::path dir = discs->root / "season out";
    fs::create_directories(dir);
    const nlohmann::json disc = nlohmann::json::parse(
        RunShell(ShellWords({kCli, "disc", (discs->root / "s1.iso").string(), "--json"})).out);
    EXPECT_EQ(disc["episodes"], nlohmann::json({1, 2, 3, 4}));
    EXPECT_EQ(disc["mainTitle"], 1);
    EXPECT_EQ(disc["titles"][4]["playAll"], nlohmann::json({1, 2, 3, 4}));
    EXPECT_EQ(disc["titles"][5]["sameAs"], 2);
    EXPECT_FALSE(disc["titles"][0].contains("playAll") || disc["titles"][0].contains("sameAs"));
    // The play-all title's chapters, as mkvmerge reads them, are the episodes' one after another.
    std::vector<double> joined;
    double offset = 0;
    for (int title = 1; title <= 4; ++title) {
        for (const double start : PeerChapters(discs->root / "s1", title, dir))
            joined.push_back(offset + start);
        offset += disc["titles"][title - 1]["durationSeconds"].get<double>();
    }
    const std::vector<double> playAll = PeerChapters(discs->root / "s1", 5, dir);
    ASSERT_EQ(playAll.size(), joined.size());
    for (std::size_t i = 0; i < joined.size(); ++i)
        EXPECT_NEAR(playAll[i], joined[i], 0.002) << i;

    // One list of names is taken in order: each title its own chapters' share.
    std::ofstream(dir / "names.txt") << "One\nTwo\nThree\n";
    const Shell named =
        RunShell(ShellWords({kCli, "plan", (discs->root / "s1.iso").string(), "--titles", "2,3", "--names",
                             (dir / "names.txt").string(), "--encoder", "ffmpeg", "--size", "8", "-o",
                             (dir / "E{title}.mkv").string(), "--json"}) +
                 " 2>/dev/null");
    ASSERT_EQ(named.status, 0);
    const nlohmann::json files = nlohmann::json::parse(named.out)["files"];
    EXPECT_EQ(files[1]["output"], (dir / "E3.mkv").string());
    const std::string second = files[1]["chapterFile"]["text"];
    EXPECT_NE(second.find("title=Three\n"), std::string::npos) << second;
    EXPECT_NE(second.find("title=Chapter 02\n"), std::string::npos) << second;

    // Six episodes over two discs, one plan: on one medium, and grouped over two (of half the size,
    // so the encoders work at the same bitrates).
    for (const auto& [encoder, count] :
         {std::pair<std::string, int>{"ffmpeg", 1}, {"handbrake", 1}, {"ffmpeg", 2}}) {
        const double megabytes = 8.0 / count;
        const std::vector<std::string> args{kCli,
                                            "plan",
                                            (discs->root / "s1.iso").string(),
                                            (discs->root / "s2").string(),
                                            "--titles",
                                            "episodes",
                                            "--encoder",
                                            encoder,
                                            "--encoder-preset",
                                            "ultrafast",
                                            "--size",
                                            std::to_string(8 / count),
                                            "--count",
                                            std::to_string(count),
                                            "-o",
                                            (dir / "Show S01E{n}.mkv").string()};
        const std::string label = encoder + " on " + std::to_string(count);
        const Shell json = RunShell(ShellWords(args) + " --json 2>/dev/null");
        ASSERT_EQ(json.status, 0) << label;
        const nlohmann::json plan = nlohmann::json::parse(json.out);
        ASSERT_EQ(plan["files"].size(), 6u) << label;
        // The printed script, or (over two media) the plan run by `plan --run`, whose result
        // lines give each medium's files together against the medium.
        std::ofstream(dir / "plan.sh") << plan["script"].get<std::string>();
        const Shell ran = count == 1 ? RunShell(ShellWords({"sh", (dir / "plan.sh").string()}) + " 2>&1")
                                     : RunShell(ShellWords(args) + " --run 2>/dev/null");
        ASSERT_EQ(ran.status, 0) << label << "\n" << ran.out;
        for (const char* medium : {"\nMedium 1: 3.", "\nMedium 2: 3."})
            EXPECT_TRUE(count == 1 || ran.out.find(medium) != std::string::npos) << ran.out;
        for (const nlohmann::json& medium : plan["media"]) {
            double bytes = 0;
            for (const int index : medium["files"]) {
                const nlohmann::json& file = plan["files"][static_cast<std::size_t>(index)];
                EXPECT_EQ(file["videoBitsPerSecond"], medium["videoBitsPerSecond"]) << label;
                EXPECT_EQ(file["medium"], medium["medium"]);
                bytes += static_cast<double>(fs::file_size(file["output"].get<std::string>()));
            }
            const double fill = bytes / (megabytes * 1048576.0);
            std::cout << "fill season " << label << " medium " << medium["medium"] << ": " << fill * 100
                      << " %\n";
            EXPECT_LE(fill, 1.0) << label;
            EXPECT_GE(fill, 0.97) << label;
        }
        // Each file carries its own title's two chapters.
        const std::string last = plan["files"][5]["output"];
        EXPECT_EQ(last, (dir / "Show S01E06.mkv").string());
        const Shell chapters = RunShell(ShellWords({"mkvextract", last, "chapters", "--simple", "-"}));
        EXPECT_NE(chapters.out.find("CHAPTER02="), std::string::npos) << chapters.out;
        EXPECT_EQ(chapters.out.find("CHAPTER03="), std::string::npos) << chapters.out;
        for (const nlohmann::json& file : plan["files"])
            fs::remove(file["output"].get<std::string>());
    }
}

// `plan --run` makes the files itself: status 0, a result line per medium whose fill is the
// file's, every file at most its medium and nothing else left in the folder; Ctrl-C (SIGINT) in
// the middle stops the encoder and leaves no file at all.
TEST(Plan, RunFillsItsMediaAndCancelLeavesNothing)
{
    REQUIRE_DISCS();
    for (const char* tool : {"HandBrakeCLI", "ffmpeg", "ffprobe"})
        if (!Installed(tool))
            GTEST_SKIP() << tool << " is not installed";
    const fs::path dir = discs->root / "run out";
    const struct {
        const char* encoder;
        const char* count;
    } cases[] = {{"ffmpeg", "2"}, {"handbrake", "1"}};
    for (const auto& c : cases) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::vector<std::string> args{kCli,        "plan",    (discs->root / "pal").string(),
                                      "--title",   "1",       "--encoder",
                                      c.encoder,   "--count", c.count,
                                      "--size",    "3",       "--encoder-preset",
                                      "ultrafast", "-o",      (dir / "film.mkv").string()};
        const nlohmann::json plan = nlohmann::json::parse(RunShell(ShellWords(args) + " --json").out);
        args.push_back("--run");
        const fs::path err = discs->root / "run.err";
        const Shell ran = RunShell(ShellWords(args) + " 2>" + ShellQuote(err.string()));
        ASSERT_EQ(ran.status, 0) << c.encoder << "\n" << ran.out << FileBytes(err);
        // Plain progress lines, since standard error is a file, reaching each medium's last pass.
        EXPECT_NE(FileBytes(err).find("medium " + std::string(c.count) + " of " + c.count + ", pass 2 of 2"),
                  std::string::npos)
            << FileBytes(err);
        std::size_t files = 0;
        for (const nlohmann::json& medium : plan["media"]) {
            const std::string output = medium["output"];
            ASSERT_TRUE(fs::exists(output)) << output;
            const double bytes = static_cast<double>(fs::file_size(output));
            const double target = medium["targetBytes"].get<double>();
            EXPECT_LE(bytes, target) << output;
            // "Medium 1: OUT: 2.9 MB of 3 MB, 98.76 %", with the file's own figure.
            const std::string head =
                "Medium " + std::to_string(medium["medium"].get<int>()) + ": " + output + ": ";
            const std::size_t at = ran.out.find(head);
            ASSERT_NE(at, std::string::npos) << ran.out;
            const std::string line = ran.out.substr(at, ran.out.find('\n', at) - at);
            const double percent = std::atof(line.substr(line.rfind(", ") + 2).c_str());
            EXPECT_NEAR(percent, bytes / target * 100.0, 0.006) << line;
            EXPECT_GE(percent, 97.0) << line;
            // The streams and chapters read back: video and audio, every chapter of the medium.
            const std::string streams = ran.out.substr(at + line.size() + 1);
            EXPECT_EQ(streams.rfind("  video h264 352x288, audio ", 0), 0u) << ran.out;
            const int chapters = medium["lastChapter"].get<int>() - medium["firstChapter"].get<int>() + 1;
            EXPECT_NE(streams.find("; " + std::to_string(chapters) + " chapters"), std::string::npos)
                << ran.out;
            ++files;
        }
        EXPECT_EQ(
            static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator())),
            files)
            << "pass logs or chapter files left";
    }

    // On a terminal the progress is one line rewritten in place: no line ends before the result.
    if (Installed("script")) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        const std::string run = ShellWords({kCli, "plan", (discs->root / "pal").string(), "--title", "1",
                                            "--encoder", "ffmpeg", "--size", "3", "--encoder-preset",
                                            "ultrafast", "-o", (dir / "film.mkv").string(), "--run"});
        const Shell tty = RunShell(ShellWords({"script", "-qec", run, "/dev/null"}));
        EXPECT_EQ(tty.status, 0) << tty.out;
        const std::size_t result = tty.out.find("Medium 1: ");
        ASSERT_NE(result, std::string::npos) << tty.out;
        const std::string progress = tty.out.substr(0, result);
        EXPECT_EQ(progress.find('\n'), std::string::npos) << progress;
        EXPECT_NE(progress.find("\rmedium 1 of 1, pass 2 of 2"), std::string::npos) << progress;
    }

    // Cancelled once the first pass has begun writing (its pass log), at a slow preset so it is
    // still running.
    for (const char* encoder : {"ffmpeg", "handbrake"}) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        const std::vector<std::string> args{kCli,
                                            "plan",
                                            (discs->root / "pal").string(),
                                            "--title",
                                            "1",
                                            "--encoder",
                                            encoder,
                                            "--size",
                                            "3",
                                            "--encoder-preset",
                                            "veryslow",
                                            "-o",
                                            (dir / "film.mkv").string(),
                                            "--run"};
        const Shell ran =
            RunShell(ShellWords(args) + " >" + ShellQuote((discs->root / "cancel.out").string()) +
                     " 2>&1 & pid=$!; cd " + ShellQuote(dir.string()) +
                     "; n=0; while [ -z \"$(ls -A)\" ] && [ $n -lt 400 ]; do sleep 0.05; "
                     "n=$((n+1)); done; sleep 0.5; kill -INT $pid; wait $pid; echo $?");
        EXPECT_EQ(ran.out, "1\n") << encoder << ": " << FileBytes(discs->root / "cancel.out");
        EXPECT_NE(FileBytes(discs->root / "cancel.out").find("Cancelled"), std::string::npos)
            << FileBytes(discs->root / "cancel.out");
        EXPECT_TRUE(fs::is_empty(dir)) << encoder << ": a partial file is left";
    }
}

} // namespace
} // namespace ratewise

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ratewise::discs = new ratewise::TestDiscs;
    ::testing::AddGlobalTestEnvironment(ratewise::discs);
    return RUN_ALL_TESTS();
}
