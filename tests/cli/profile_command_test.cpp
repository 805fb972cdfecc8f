// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli profile`: one "x,heldKbps" line per plot column, or the JSON object, and the
// exit statuses of the contract.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

#include "tests/cli/cli_runner.h"

namespace ratewise {
namespace {

using test_support::RunCliCapture;

const std::string kFolder = RATEWISE_FIXTURES_DIR "/ifo/";
const std::string kCells = kFolder + "pal_d1_3audio_cells/VTS_01_0.IFO";

// The CSV's second column; each line must be "x,value" with x counting up from 1.
std::vector<int> CsvValues(const std::string& text)
{
    std::vector<int> values;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const std::size_t comma = line.find(',');
        EXPECT_NE(comma, std::string::npos) << line;
        EXPECT_EQ(line.substr(0, comma), std::to_string(values.size() + 1));
        values.push_back(std::stoi(line.substr(comma + 1)));
    }
    return values;
}

TEST(ProfileCommand, CsvAndJsonGiveTheSameColumns)
{
    const auto csv = RunCliCapture({"profile", kCells, "--track", "1"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.err, "");
    // The default plot is 400 wide: columns 1 ... 399.
    const std::vector<int> values = CsvValues(csv.out);
    ASSERT_EQ(values.size(), 399u);
    for (const int value : values)
        EXPECT_TRUE(value >= 0 && value < 10000) << value;

    const auto json = RunCliCapture({"profile", kCells, "--track", "1", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json object = nlohmann::json::parse(json.out);
    EXPECT_EQ(object.at("track"), 1);
    EXPECT_GE(object.at("timeUnit").get<int>(), 1);
    EXPECT_GT(object.at("averageKbps").get<int>(), 0);
    EXPECT_EQ(object.at("columns").get<std::vector<int>>(), values);
}

TEST(ProfileCommand, WidthSetsTheNumberOfColumns)
{
    const auto narrow = RunCliCapture({"profile", kCells, "--track", "2", "--width", "61"});
    EXPECT_EQ(narrow.status, 0) << narrow.err;
    EXPECT_EQ(CsvValues(narrow.out).size(), 60u);
    // An empty map (the 98-title set's second track is under a second long) stays at 0.
    const auto empty =
        RunCliCapture({"profile", kFolder + "pal_98_titles/VTS_01_0.IFO", "--track", "2", "--json"});
    ASSERT_EQ(empty.status, 0) << empty.err;
    EXPECT_EQ(nlohmann::json::parse(empty.out).at("columns").get<std::vector<int>>(),
              std::vector<int>(399, 0));
}

TEST(ProfileCommand, RefusesMissingFilesAndUnknownTracks)
{
    const auto missing = RunCliCapture({"profile", "no-such.ifo", "--track", "1"});
    EXPECT_EQ(missing.status, 3);
    EXPECT_EQ(missing.err, "ratewise-cli: no-such.ifo: no such file\n");
    EXPECT_EQ(missing.out, "");
    // A video manager without its title set has none to load.
    const std::string manager = test_support::LoneVideoManager();
    const auto refused = RunCliCapture({"profile", manager, "--track", "1"});
    EXPECT_EQ(refused.status, 3);
    EXPECT_EQ(refused.err, "ratewise-cli: " + manager + ": " + test_support::kNoTitleSet + "\n");

    const auto track = RunCliCapture({"profile", kCells, "--track", "99"});
    EXPECT_EQ(track.status, 2);
    EXPECT_EQ(track.err, "ratewise-cli: --track: expected a track number from 1 to 4, got '99' (see "
                         "'ratewise-cli profile --help')\n");
    EXPECT_EQ(track.out, "");
    EXPECT_EQ(RunCliCapture({"profile", kCells, "--track", "0"}).status, 2);
    EXPECT_EQ(RunCliCapture({"profile", kCells, "--track", "1", "--width", "0"}).status, 2);
    // Without --track, the main title's track, with a note saying so.
    const auto main = RunCliCapture({"profile", kCells});
    EXPECT_EQ(main.out, RunCliCapture({"profile", kCells, "--track", "1"}).out);
    EXPECT_EQ(main.err,
              "ratewise-cli: note: no --title or --track given: taking title 1, the disc's main title\n");
}

} // namespace
} // namespace ratewise
