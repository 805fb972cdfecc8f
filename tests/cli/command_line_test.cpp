// SPDX-License-Identifier: GPL-3.0-or-later
// What every command gets from the shared command line: refusals, notes, help, short forms,
// JSON versions and stream inputs.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "tests/cli/cli_runner.h"

namespace ratewise {
namespace {

namespace fs = std::filesystem;
using test_support::RunCliCapture;

const std::string kCells = std::string(RATEWISE_FIXTURES_DIR) + "/ifo/pal_d1_3audio_cells/VTS_01_0.IFO";

TEST(CommandLine, RefusalsNameTheValueWhatWouldDoAndTheHelp)
{
    EXPECT_EQ(RunCliCapture({"calk"}).err,
              "ratewise-cli: 'calk': unknown command; did you mean calc? (see 'ratewise-cli --help')\n");
    // The typo is named even though --track, which it meant, is then missing.
    EXPECT_EQ(RunCliCapture({"chapters", kCells, "--trak", "1"}).err,
              "ratewise-cli: '--trak': unknown option; did you mean --track? (see 'ratewise-cli chapters "
              "--help')\n");
    EXPECT_EQ(RunCliCapture({"chapters", kCells, "-t", "x"}).err,
              "ratewise-cli: --track: expected a track number (1 for the first), got 'x' (see 'ratewise-cli "
              "chapters --help')\n");
    // Every preset is listed, and a long value is cut so the line stays within 160 characters.
    const auto preset = RunCliCapture({"split", "--starts", "0,5", "--preset", "a very long preset name"});
    EXPECT_EQ(preset.status, 2);
    EXPECT_NE(preset.err.find("expected Custom, 74min CD, 80min CD, 90min CD, 99min CD, 21min CD, 24min CD, "
                              "DVD-R/RW, got 'a very...' (see 'ratewise-cli split --help')"),
              std::string::npos)
        << preset.err;
    EXPECT_LE(preset.err.size(), 161u);
    EXPECT_EQ(
        RunCliCapture({"profile", kCells, "-t", "1", "--width", "0"}).err,
        "ratewise-cli: --width: expected a width in pixels from 1 to 1000000, got '0' (see 'ratewise-cli "
        "profile --help')\n");
}

// An option that takes a value takes the next word, whatever it looks like, as getopt does; a
// mistyped option after it is still named.
TEST(CommandLine, AnOptionTakesTheNextWordAsItsValue)
{
    const auto dashed = RunCliCapture({"calc", "--minutes", "--1", "--seconds", "-q"});
    EXPECT_EQ(dashed.status, 0);
    EXPECT_EQ(dashed.err, "ratewise-cli: note: --minutes: '--1' reads as 0\n"
                          "ratewise-cli: note: --seconds: '-q' reads as 0\n");
    // The same as 0 past the duration line, which shows the fields as typed.
    const auto fromMedium = [](const std::string& text) { return text.substr(text.find("Medium:")); };
    EXPECT_EQ(fromMedium(dashed.out),
              fromMedium(RunCliCapture({"calc", "--minutes", "0", "--seconds", "0"}).out));
    EXPECT_EQ(RunCliCapture({"chapters", kCells, "-t", "--json"}).err,
              "ratewise-cli: --track: expected a track number (1 for the first), got '--json' (see "
              "'ratewise-cli chapters --help')\n");
    EXPECT_EQ(RunCliCapture({"calc", "--minutes", "--1", "--minuts", "3"}).err,
              "ratewise-cli: '--minuts': unknown option; did you mean --minutes? (see 'ratewise-cli calc "
              "--help')\n");
}

TEST(CommandLine, NotesSayWhatChangedAndQuietDropsThem)
{
    const auto noted = RunCliCapture({"calc", "--count", "12", "--size", "800", "--preset", "dvd-r/rw",
                                      "--audio1", "200", "--mode", "SVCD"});
    EXPECT_EQ(noted.status, 0);
    EXPECT_EQ(noted.err,
              "ratewise-cli: note: --size '800' replaced by the DVD-R/RW preset: 4480 MB\n"
              "ratewise-cli: note: --count: 12 is outside 1 to 9; 9 used\n"
              "ratewise-cli: note: --mode svcd: audio 200 + 0 Kbps snapped to the (S)VCD list: 192 + 0 "
              "Kbps\n");
    for (const char* quiet : {"-q", "--quiet"}) {
        const auto quietRun = RunCliCapture({"calc", quiet, "--count", "12", "--hours", "1.5"});
        EXPECT_EQ(quietRun.err, "") << quiet;
        EXPECT_EQ(quietRun.out, RunCliCapture({"calc", "--count", "12", "--hours", "1.5"}).out);
    }
    EXPECT_EQ(RunCliCapture({"chapters", kCells, "-t", "1", "-f", "frame", "-j"}).err,
              "ratewise-cli: note: --format is not used with --json, which gives every form\n");
}

TEST(CommandLine, NoResultPrintsEverythingAndSaysWhy)
{
    const auto none = RunCliCapture({"calc", "--audio1", "99999"});
    EXPECT_EQ(none.status, 4);
    EXPECT_NE(none.out.find("Video bitrate: "), std::string::npos);
    EXPECT_EQ(none.err,
              "ratewise-cli: calc: no usable video bitrate: the audio takes more than the media hold\n");
    const nlohmann::json json = nlohmann::json::parse(RunCliCapture({"calc", "--hours", "101", "-j"}).out);
    EXPECT_EQ(json["ok"], false);
    EXPECT_EQ(json["errorFields"], nlohmann::json({"hours", "video"}));
}

TEST(CommandLine, HelpShowsDefaultsAndWordsNotParserTypes)
{
    const std::string calc = RunCliCapture({"calc", "--help"}).out;
    for (const char* shown :
         {"--audio1 KBPS", "[default: 128]", "[default: 80min CD]", "DVD-R/RW", "-j, --json"})
        EXPECT_NE(calc.find(shown), std::string::npos) << shown;
    const std::string all = calc + RunCliCapture({"profile", "--help"}).out + RunCliCapture({"--help"}).out;
    for (const char* jargon : {"TEXT", "INT", "POSITIVE", "Excludes", "Needs:", "Click"})
        EXPECT_EQ(all.find(jargon), std::string::npos) << jargon;
    EXPECT_NE(all.find("4 no result"), std::string::npos);
    EXPECT_EQ(RunCliCapture({"-V"}).out, RunCliCapture({"--version"}).out);
}

TEST(CommandLine, EveryJsonCarriesItsSchemaVersion)
{
    const std::string project = (fs::temp_directory_path() / "ratewise-schema.tpr").string();
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"calc"},
                                               {"split", "--starts", "0,5,9", "--count", "2"},
                                               {"chapters", kCells, "-t", "1"},
                                               {"profile", kCells, "-t", "1"},
                                               {"tracks", kCells},
                                               {"info", kCells, "--audio"},
                                               {"vcd-project", kCells, "-o", project}}) {
        std::vector<std::string> withJson = args;
        withJson.push_back("--json");
        EXPECT_EQ(nlohmann::json::parse(RunCliCapture(withJson).out)["schemaVersion"], 1) << args[0];
    }
    fs::remove(project);
    const nlohmann::json tracks = nlohmann::json::parse(RunCliCapture({"tracks", kCells, "-j"}).out);
    EXPECT_EQ(tracks["framesPerSecond"], 25.0);
    EXPECT_EQ(tracks["tracks"][0]["duration"], nlohmann::json({{"seconds", 45.0}, {"frameCount", 1125}}));
    const nlohmann::json audio = nlohmann::json::parse(RunCliCapture({"info", kCells, "--audio", "-j"}).out);
    EXPECT_EQ(audio["streams"][1], nlohmann::json({{"number", 2},
                                                   {"language", {{"code", "de"}, {"name", "Deutsch"}}},
                                                   {"codec", "MPEG1"},
                                                   {"channels", 2},
                                                   {"sampleRate", 48000},
                                                   {"languageTag", "ger"},
                                                   {"commentary", false},
                                                   {"streamId", "0xC1"}}));
}

// framesPerSecond is the rate the video plays at in every command; the frameRate of tracks and
// disc is the playback counter's, which counts 30 NTSC frames a nominal second.
TEST(CommandLine, FramesPerSecondMeansOneThingInEveryCommand)
{
    const std::string ntsc =
        std::string(RATEWISE_FIXTURES_DIR) + "/ifo/ntsc_d1_wide_subs16_menu/VTS_01_0.IFO";
    const auto json = [](std::vector<std::string> args) {
        args.push_back("-j");
        return nlohmann::json::parse(RunCliCapture(args).out);
    };
    const nlohmann::json tracks = json({"tracks", ntsc});
    const nlohmann::json disc = json({"disc", ntsc})["titles"][0];
    EXPECT_EQ(tracks["frameRate"], 30);
    EXPECT_EQ(disc["frameRate"], 30);
    for (const nlohmann::json& fps : {tracks["framesPerSecond"], disc["framesPerSecond"],
                                      json({"chapters", ntsc, "-t", "1"})["framesPerSecond"],
                                      json({"info", ntsc, "--video"})["streams"][0]["framesPerSecond"]})
        EXPECT_EQ(fps, 29.97);
}

TEST(CommandLine, PipesAreReadLikeFilesAndProjectsGoToStandardOutput)
{
    const fs::path dir = fs::temp_directory_path() / ("ratewise-pipe-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string fifo = (dir / "in.ifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&fifo] {
        std::ifstream from(kCells, std::ios::binary);
        std::ofstream(fifo, std::ios::binary) << from.rdbuf();
    });
    const auto piped = RunCliCapture({"tracks", fifo});
    writer.join();
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, RunCliCapture({"tracks", kCells}).out);

    // "-o -": the same bytes as the file; a .TPR suffix is kept.
    const auto streamed = RunCliCapture({"vcd-project", kCells, "-o", "-", "-q"});
    EXPECT_EQ(streamed.status, 0);
    const fs::path upper = dir / "movie.TPR";
    ASSERT_EQ(RunCliCapture({"vcd-project", kCells, "-o", upper.string()}).status, 0);
    std::ifstream written(upper, std::ios::binary);
    EXPECT_EQ(streamed.out, std::string(std::istreambuf_iterator<char>(written), {}));
    EXPECT_FALSE(fs::exists(dir / "movie.TPR.tpr"));
    EXPECT_EQ(RunCliCapture({"vcd-project", kCells, "-o", dir.string()}).status, 1); // a folder
    fs::remove_all(dir);
}

} // namespace
} // namespace ratewise
