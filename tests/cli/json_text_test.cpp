// SPDX-License-Identifier: GPL-3.0-or-later
// Typed texts reach the JSON output as they are; bytes that are not UTF-8 (a field may hold any)
// become U+FFFD instead of stopping the program.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/json_text.h"
#include "cli/json_writer.h"
#include "tests/cli/cli_runner.h"

namespace ratewise {
namespace {

using test_support::RunCliCapture;

TEST(JsonText, BytesThatAreNotUtf8BecomeReplacementCharacters)
{
    const std::string broken = "19\xC0";
    const auto calc = RunCliCapture({"calc", "--audio1", broken, "--size", "7\xFF\xFE", "--json"});
    ASSERT_EQ(calc.status, 4) << calc.err; // 7 MB hold less than two hours of 19 Kbps audio
    const auto json = nlohmann::json::parse(calc.out, nullptr, false);
    ASSERT_FALSE(json.is_discarded());
    EXPECT_EQ(json["audio1Text"], "19\xEF\xBF\xBD");
    EXPECT_EQ(json["mediumSizeText"], "7\xEF\xBF\xBD\xEF\xBF\xBD");
    // Read as the window reads it: the leading number.
    EXPECT_EQ(json["fieldStates"]["audio1"], "Valid");

    const auto split = RunCliCapture(
        {"split", "--starts", "0,300,600,900,1200", "--count", "2", "--audio1", broken, "--json"});
    ASSERT_EQ(split.status, 0) << split.err;
    EXPECT_FALSE(nlohmann::json::parse(split.out, nullptr, false).is_discarded());

    // Plain output keeps the bytes as typed, and valid UTF-8 passes through unchanged.
    EXPECT_NE(RunCliCapture({"calc", "--audio1", broken}).out.find("Audio: 19\xC0 + 0 Kbps"),
              std::string::npos);
    const auto accented = RunCliCapture({"calc", "--hours", "1\xC3\xA9", "--json"});
    EXPECT_EQ(nlohmann::json::parse(accented.out)["hoursText"], "1\xC3\xA9");
}

// The streaming writer prints what the JSON library prints for the same object: keys in order
// whatever order they came in, the library's numbers, its escapes and its replaced bytes.
TEST(JsonText, StreamingWriterPrintsWhatTheLibraryPrints)
{
    cli::JsonWriter writer;
    writer.BeginObject()
        .Member("zeta", 29.97)
        .Member("alpha", std::vector<int>{})
        .Key("nested")
        .BeginArray()
        .BeginObject()
        .EndObject()
        .Value(25.0)
        .Value(1e21)
        .Value(-7)
        .Null()
        .EndArray()
        .Member("text", "tab\t quote\" back\\ \x01 \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xAC")
        .Member("broken", "a\xC0\xAF b\xED\xA0\x80 c\xF4\x90\x80\x80 d\xE2\x82")
        .Member("beta", false)
        .EndObject();
    const nlohmann::json parsed = nlohmann::json::parse(writer.Text(), nullptr, false);
    ASSERT_FALSE(parsed.is_discarded()) << writer.Text();
    nlohmann::json expected = parsed;
    expected["broken"] = "a\xC0\xAF b\xED\xA0\x80 c\xF4\x90\x80\x80 d\xE2\x82";
    EXPECT_EQ(writer.Text(), expected.dump(2, ' ', false, nlohmann::json::error_handler_t::replace));

    // `disc` and `tracks` print through it: their text reads back to itself.
    for (const char* disc :
         {"/ifo/pal_98_titles", "/ifo/ntsc_d1_wide_subs16_menu", "/real-discs/idiocracy"}) {
        for (const char* command : {"disc", "tracks"}) {
            const auto run =
                test_support::RunCliCapture({command, RATEWISE_FIXTURES_DIR + std::string(disc), "--json"});
            ASSERT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(run.out, cli::JsonText(nlohmann::json::parse(run.out)) + "\n")
                << command << " " << disc;
        }
    }
}

} // namespace
} // namespace ratewise
