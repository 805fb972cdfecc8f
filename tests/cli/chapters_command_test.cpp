// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli chapters` and `split FILE --track N` on the real title sets.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/cli/cli_runner.h"

namespace ratewise {
namespace {

using test_support::RunCliCapture;

const std::string kCells = RATEWISE_FIXTURES_DIR "/ifo/pal_d1_3audio_cells/VTS_01_0.IFO";
const std::string kNtsc = RATEWISE_FIXTURES_DIR "/ifo/ntsc_d1_wide_subs16_menu/VTS_01_0.IFO";

void ExpectOneErrorLine(const test_support::CliResult& result, int status, const std::string& error)
{
    EXPECT_EQ(result.status, status) << result.err;
    EXPECT_EQ(result.err, error);
    EXPECT_EQ(result.out, "");
}

TEST(ChaptersCommand, PrintsTheChosenForm)
{
    const auto time = RunCliCapture({"chapters", kCells, "--track", "1"});
    EXPECT_EQ(time.status, 0) << time.err;
    EXPECT_EQ(time.out, "Chapter 1 = 00:00:00:00\nChapter 2 = 00:00:10:20\nChapter 3 = 00:00:25:20\n"
                        "Chapter 4 = 00:00:30:00\nChapter 5 = 00:00:40:20\n");
    EXPECT_EQ(RunCliCapture({"chapters", kCells, "--track", "1", "--format", "time"}).out, time.out);
    EXPECT_EQ(RunCliCapture({"chapters", kCells, "--track", "1", "--format", "frame"}).out,
              "Chapter 1 = 0\nChapter 2 = 255\nChapter 3 = 630\nChapter 4 = 750\nChapter 5 = 1005\n");
    EXPECT_EQ(RunCliCapture({"chapters", kCells, "--track", "3", "--format", "second"}).out,
              "Chapter 1 = 0.00\nChapter 2 = 10.20\n");
    // NTSC: 24 frames are 80 hundredths at 29.97 frames a second. The chapter at 31.2 s begins in
    // the track's last second and is not listed.
    EXPECT_EQ(RunCliCapture({"chapters", kNtsc, "--track", "1", "--format", "second"}).out,
              "Chapter 1 = 0.00\nChapter 2 = 4.80\nChapter 3 = 7.80\nChapter 4 = 13.20\nChapter 5 = 19.80\n");
    // A track under one second has no chapter line: no result (4), and one line says why.
    const auto empty = RunCliCapture({"chapters", kCells, "--track", "2"});
    EXPECT_EQ(empty.status, 4);
    EXPECT_EQ(empty.out + empty.err,
              "ratewise-cli: chapters: no chapter line: track 2 plays for less than a second\n");
    EXPECT_EQ(RunCliCapture({"chapters", kCells, "--track", "2", "--json"}).status, 4);
}

TEST(ChaptersCommand, JsonCarriesEveryFormAndTheStartSeconds)
{
    const auto result = RunCliCapture({"chapters", kCells, "--track", "1", "--json", "--format", "frame"});
    ASSERT_EQ(result.status, 0) << result.err;
    const nlohmann::json json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["chapterCount"], 5);
    EXPECT_EQ(json["timeLines"][1], "Chapter 2 = 00:00:10:20");
    EXPECT_EQ(json["frameLines"][4], "Chapter 5 = 1005");
    EXPECT_EQ(json["secondLines"][2], "Chapter 3 = 25.20");
    EXPECT_EQ(json["startSeconds"], nlohmann::json({0, 10, 25, 30, 40, 45}));

    const nlohmann::json empty =
        nlohmann::json::parse(RunCliCapture({"chapters", kCells, "--track", "2", "--json"}).out);
    EXPECT_EQ(empty["chapterCount"], 0);
    EXPECT_TRUE(empty["timeLines"].empty());
    EXPECT_EQ(empty["startSeconds"], nlohmann::json::array({0}));
}

// The real set with the first track's cell table moved outside the program-chain table.
std::string DamagedCellsCopy()
{
    std::ifstream in(kCells, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto u32 = [&](std::size_t at) {
        return std::uint32_t(std::uint8_t(bytes[at])) << 24 |
               std::uint32_t(std::uint8_t(bytes[at + 1])) << 16 |
               std::uint32_t(std::uint8_t(bytes[at + 2])) << 8 | std::uint8_t(bytes[at + 3]);
    };
    const std::size_t pgci = std::size_t{u32(0xCC)} * 2048;
    const std::size_t pgc = pgci + u32(pgci + 12);
    bytes.at(pgc + 0xE8) = char(0xFF);
    bytes.at(pgc + 0xE9) = char(0xF0);
    const auto path = std::filesystem::temp_directory_path() / "ratewise_damaged_cells_VTS_01_0.IFO";
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

TEST(ChaptersCommand, OutputDashIsStandardOutputAndSpecialFilesStay)
{
    const auto printed = RunCliCapture({"chapters", kCells, "--track", "1", "--format", "ogm"});
    const auto dashed = RunCliCapture({"chapters", kCells, "--track", "1", "--format", "ogm", "-o", "-"});
    EXPECT_EQ(dashed.status, 0);
    EXPECT_EQ(dashed.out, printed.out);
    EXPECT_FALSE(std::filesystem::exists("-"));
    EXPECT_EQ(RunCliCapture({"chapters", kCells, "--track", "1", "-o", "/dev/null"}).status, 0);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

TEST(ChaptersCommand, SaysWhyInOneLine)
{
    ExpectOneErrorLine(RunCliCapture({"chapters", "no-such.IFO", "--track", "1"}), 3,
                       "ratewise-cli: no-such.IFO: no such file\n");
    const std::string manager = test_support::LoneVideoManager();
    ExpectOneErrorLine(RunCliCapture({"chapters", manager, "--track", "1"}), 3,
                       "ratewise-cli: " + manager + ": " + test_support::kNoTitleSet + "\n");
    ExpectOneErrorLine(RunCliCapture({"chapters", RATEWISE_FIXTURES_DIR "/ifo", "--track", "1"}), 3,
                       "ratewise-cli: " RATEWISE_FIXTURES_DIR "/ifo: no VIDEO_TS folder and no IFO files\n");
    // A name holding a newline still gives one line.
    ExpectOneErrorLine(RunCliCapture({"chapters", "no\nsuch\x1b.IFO", "--track", "1"}), 3,
                       "ratewise-cli: no\\nsuch\\x1B.IFO: no such file\n");
    ExpectOneErrorLine(RunCliCapture({"chapters", kCells, "--track", "5"}), 2,
                       "ratewise-cli: --track: expected a track number from 1 to 4, got '5' (see "
                       "'ratewise-cli chapters --help')\n");
    const std::string damaged = DamagedCellsCopy();
    ExpectOneErrorLine(RunCliCapture({"chapters", damaged, "--track", "1"}), 3,
                       "ratewise-cli: " + damaged + ": cannot read the cells of track 1\n");
    EXPECT_EQ(RunCliCapture({"chapters", damaged, "--track", "3"}).status, 0); // the others are sound
    std::filesystem::remove(damaged);

    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"chapters", kCells, "--track", "0"},
                                               {"chapters", kCells, "--track", "x"},
                                               {"chapters", kCells, "--track", "1", "--format", "frames"},
                                               {"chapters", "--track", "1"}}) {
        const auto result = RunCliCapture(args);
        EXPECT_EQ(result.status, 2) << args.back();
        EXPECT_EQ(result.err.rfind("ratewise-cli: ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find(" --help')\n"), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
    }
}

TEST(SplitCommand, FromATitleSetTrackAsFromItsStarts)
{
    const auto fromFile = RunCliCapture({"split", kCells, "--track", "1", "--count", "2", "--size", "10"});
    ASSERT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_EQ(fromFile.out, "Media 01: 00h:00m:25s Chapters 01-02 Video Bitrate: 3148\n"
                            "Media 02: 00h:00m:20s Chapters 03-05 Video Bitrate: 3968\n");
    const auto fromStarts =
        RunCliCapture({"split", "--starts", "0,10,25,30,40,45", "--count", "2", "--size", "10"});
    EXPECT_EQ(fromFile.out, fromStarts.out);
    for (const char* media : {"3", "4", "5", "6"}) {
        nlohmann::json file = nlohmann::json::parse(
            RunCliCapture({"split", kCells, "--track", "1", "--count", media, "--json"}).out);
        nlohmann::json typed = nlohmann::json::parse(
            RunCliCapture({"split", "--starts", "0,10,25,30,40,45", "--count", media, "--json"}).out);
        // Only the title set knows the frames: chapter 2 starts at frame 255, 10.2 s.
        EXPECT_EQ(file["chapters"][1],
                  nlohmann::json({{"number", 2}, {"startFrame", 255}, {"startSeconds", 10.2}}));
        EXPECT_EQ(typed["chapters"][1], nlohmann::json({{"number", 2}, {"startSeconds", 10}}));
        file.erase("chapters");
        typed.erase("chapters");
        EXPECT_EQ(file, typed) << media;
    }
}

TEST(SplitCommand, TitleSetProblemsAndMixedSources)
{
    ExpectOneErrorLine(RunCliCapture({"split", "no-such.IFO", "--track", "1", "--count", "2"}), 3,
                       "ratewise-cli: no-such.IFO: no such file\n");
    ExpectOneErrorLine(RunCliCapture({"split", kCells, "--track", "9", "--count", "2"}), 2,
                       "ratewise-cli: --track: expected a track number from 1 to 4, got '9' (see "
                       "'ratewise-cli split --help')\n");
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"split", "--track", "1", "--starts", "0,5"},
                                               {"split", kCells, "--track", "1", "--starts", "0,5"},
                                               {"split"}}) {
        const auto result = RunCliCapture(args);
        EXPECT_EQ(result.status, 2) << args.size();
        EXPECT_EQ(result.err.rfind("ratewise-cli: ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find(" --help')\n"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

std::string Slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ChaptersCommand, NewFormsListThePartsAPlayerShowsNamedAndSavedInOneStep)
{
    // Title 1 has five programs but four parts: the program at 25.2 s is no chapter here.
    EXPECT_EQ(RunCliCapture({"chapters", kCells, "--track", "1", "--format", "csv"}).out,
              "1,Chapter 01\n2,Chapter 02\n3,Chapter 03\n4,Chapter 04\n");
    const auto dir = std::filesystem::temp_directory_path() / "ratewise-chapters-cli";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "names.txt") << "\xEF\xBB\xBFOpening, \"cold\"\r\nA & B\r\n";
    std::ofstream(dir / "bad.txt") << "fine\n\xC0\x80\n";
    const std::string names = (dir / "names.txt").string();

    const auto csv = RunCliCapture({"chapters", kCells, "--track", "1", "--format", "csv", "--names", names});
    EXPECT_EQ(csv.out, "1,Opening\\, \"cold\"\n2,A & B\n3,Chapter 03\n4,Chapter 04\n");

    const std::string saved = (dir / "VTS_01_track01.ffmetadata").string();
    const std::vector<std::string> save{"chapters", kCells,       "--track", "1",
                                        "--format", "ffmetadata", "-o",      saved};
    EXPECT_EQ(RunCliCapture(save).out, "");
    EXPECT_EQ(Slurp(saved),
              RunCliCapture({"chapters", kCells, "--track", "1", "--format", "ffmetadata"}).out);

    // Failures say why in one line and leave the earlier file as it was.
    std::vector<std::string> badNames = save;
    badNames.insert(badNames.end(), {"--names", (dir / "bad.txt").string()});
    ExpectOneErrorLine(RunCliCapture(badNames), 3,
                       "ratewise-cli: " + (dir / "bad.txt").string() + ": line 2 is not UTF-8 text\n");
    EXPECT_EQ(Slurp(saved).substr(0, 12), ";FFMETADATA1");
    const std::string nowhere = (dir / "no-such-dir" / "x.xml").string();
    ExpectOneErrorLine(
        RunCliCapture({"chapters", kCells, "--track", "1", "--format", "matroska", "-o", nowhere}), 1,
        "ratewise-cli: " + nowhere +
            ": cannot create a temporary file beside it: No such file or directory\n");
    EXPECT_EQ(RunCliCapture({"chapters", kCells, "--track", "1", "--format", "ogm", "--language", "english"})
                  .status,
              2);
    std::filesystem::remove_all(dir);
}

TEST(SplitCommand, PlansForMkvmergeAndFfmpegAndChapterFilesPerMedium)
{
    // Media 2 and 3 begin at the programs of player chapters 2 and 4.
    EXPECT_EQ(RunCliCapture({"split", kNtsc, "--track", "1", "--count", "3", "--format", "mkvmerge"}).out,
              "--split chapters:2,4\n--split parts:00:00:00.000000000-00:00:07.807800000,"
              "00:00:07.807800000-00:00:19.819800000,00:00:19.819800000-00:00:31.531500000\n");
    EXPECT_EQ(RunCliCapture({"split", kNtsc, "--track", "1", "--count", "3", "--format", "ffmpeg"}).out,
              "-ss 00:00:00.000000 -to 00:00:07.807800\n-ss 00:00:07.807800 -to 00:00:19.819800\n"
              "-ss 00:00:19.819800 -to 00:00:31.531500\n");
    EXPECT_EQ(
        RunCliCapture({"split", "--starts", "0,300,600,900,1200", "--count", "2", "--format", "mkvmerge"})
            .out,
        "--split chapters:3\n--split parts:00:00:00.000000000-00:10:00.000000000,"
        "00:10:00.000000000-00:20:00.000000000\n");

    // Medium 2 begins at 25.2 s, inside player chapter 2: that chapter runs on from 0 there.
    const auto dir = std::filesystem::temp_directory_path() / "ratewise-split-cli" / "media";
    // FILE may come after the option's two values.
    const auto split = RunCliCapture({"split", "--track", "1", "--count", "2", "--chapters-per-medium",
                                      dir.string(), "ffmetadata", kCells});
    ASSERT_EQ(split.status, 0) << split.err;
    EXPECT_EQ(split.out.substr(0, 9), "Media 01:");
    EXPECT_EQ(Slurp(dir / "medium01.ffmetadata"),
              ";FFMETADATA1\n[CHAPTER]\nTIMEBASE=1/25\nSTART=0\nEND=255\ntitle=Chapter 01\n"
              "[CHAPTER]\nTIMEBASE=1/25\nSTART=255\nEND=630\ntitle=Chapter 02\n");
    EXPECT_EQ(Slurp(dir / "medium02.ffmetadata"),
              ";FFMETADATA1\n[CHAPTER]\nTIMEBASE=1/25\nSTART=0\nEND=120\ntitle=Chapter 02\n"
              "[CHAPTER]\nTIMEBASE=1/25\nSTART=120\nEND=375\ntitle=Chapter 03\n"
              "[CHAPTER]\nTIMEBASE=1/25\nSTART=375\nEND=495\ntitle=Chapter 04\n");
    std::filesystem::remove_all(dir.parent_path());
}

} // namespace
} // namespace ratewise
