// SPDX-License-Identifier: GPL-3.0-or-later
// Typed texts reach the JSON output as they are; bytes that are not UTF-8 (a field may hold any)
// become U+FFFD instead of stopping the program.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

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

} // namespace
} // namespace ratewise
