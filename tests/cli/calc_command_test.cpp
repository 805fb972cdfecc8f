// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "common/version.h"
#include "tests/cli/cli_runner.h"

namespace ratewise {
namespace {

using test_support::RunCliCapture;

// `status` 4: the calculation gives no usable value; the JSON is printed all the same.
nlohmann::json CalcJson(std::vector<std::string> args, int status = 0)
{
    args.insert(args.begin(), "calc");
    args.push_back("--json");
    const auto result = RunCliCapture(args);
    EXPECT_EQ(result.status, status) << result.err;
    const nlohmann::json json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["ok"], status == 0);
    return json;
}

// The quick answer to `--version` alone and the parser's answer are one text, with the license.
TEST(CliVersion, SameTextWithOrWithoutTheParser)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--version"}, std::vector<std::string>{"--version", "calc"}}) {
        const auto result = RunCliCapture(args);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, VersionText("ratewise-cli"));
        EXPECT_NE(result.out.find("\nLicense GPL-3.0-or-later: "), std::string::npos);
        EXPECT_EQ(result.err, "");
    }
}

TEST(CalcCommand, StartValues)
{
    const nlohmann::json json = CalcJson({});
    EXPECT_EQ(json["videoBitrateText"], "668.444");
    EXPECT_EQ(json["hoursText"], "2");
    EXPECT_EQ(json["minutesText"], "00");
    EXPECT_EQ(json["mediumSizeText"], "700");
    EXPECT_EQ(json["mediumCount"], 1);
    EXPECT_EQ(json["audio2Text"], "0");
    EXPECT_EQ(json["preset"], "80min CD");
    EXPECT_EQ(json["formatMode"], "AviDvd");
    EXPECT_EQ(json["locked"], false);
    EXPECT_EQ(json["fieldStates"]["video"], "Valid");
    EXPECT_EQ(json["suggestion"]["colour"], "green");
    EXPECT_NE(json["suggestion"]["text"].get<std::string>().find("Avg Bitrate: 668\n Max Bitrate: 9872"),
              std::string::npos);
    EXPECT_EQ(json["mediumReport"]["text"], "CD Size 716800 Kbytes \r\nMode1 size for AVI/DVD: 716800 "
                                            "Kbytes\nMode2 size for (S)VCD: 808752 Kbytes");
    EXPECT_EQ(json["mediumReport"]["colour"], "green");
}

TEST(CalcCommand, DescribedExamplesThroughTheWindowSteps)
{
    EXPECT_EQ(CalcJson({"--mode", "svcd"})["videoBitrateText"], "771.904");
    EXPECT_EQ(CalcJson({"--hours", "1", "--minutes", "30", "--count", "2", "--audio1", "224", "--mode",
                        "svcd"})["videoBitrateText"],
              "2175.745");
    const nlohmann::json dvd = CalcJson({"--preset", "DVD-R/RW", "--audio1", "192"});
    EXPECT_EQ(dvd["videoBitrateText"], "4905.244");
    EXPECT_EQ(dvd["mediumSizeText"], "4480");
    EXPECT_EQ(dvd["preset"], "DVD-R/RW");

    const nlohmann::json locked = CalcJson({"--lock", "--video", "1000"});
    EXPECT_EQ(locked["hoursText"], "1");
    EXPECT_EQ(locked["minutesText"], "24");
    EXPECT_EQ(locked["secondsText"], "43");
    EXPECT_EQ(locked["fieldStates"]["video"], "Output");
    EXPECT_EQ(locked["locked"], true);

    const nlohmann::json svcdLocked =
        CalcJson({"--audio1", "224", "--mode", "svcd", "--lock", "--video", "2000"});
    EXPECT_EQ(svcdLocked["hoursText"], "0");
    EXPECT_EQ(svcdLocked["minutesText"], "48");
    EXPECT_EQ(svcdLocked["secondsText"], "33");

    const nlohmann::json snapped = CalcJson({"--audio1", "100", "--audio2", "100", "--mode", "svcd"});
    EXPECT_EQ(snapped["audio1Text"], "96");
    EXPECT_EQ(snapped["audio2Text"], "96");

    const nlohmann::json custom = CalcJson({"--size", "0700", "--preset", "Custom"});
    EXPECT_EQ(custom["mediumSizeText"], "700");
    EXPECT_EQ(custom["preset"], "Custom");
    EXPECT_EQ(CalcJson({"--size", "650"})["preset"], "74min CD");

    const nlohmann::json zero = CalcJson({"--size", "0"}, 4);
    EXPECT_EQ(zero["videoBitrateText"], "-128.000");
    EXPECT_EQ(zero["fieldStates"]["video"], "Invalid");
    EXPECT_EQ(zero["preset"], "Custom");
    EXPECT_EQ(zero["suggestion"]["colour"], "red");

    EXPECT_EQ(CalcJson({"--count", "10"})["mediumCount"], 9);
    EXPECT_EQ(CalcJson({"--count", "0"})["mediumCount"], 1);
    const nlohmann::json error = CalcJson({"--hours", "101"}, 4);
    EXPECT_EQ(error["videoBitrateText"], "error");
    EXPECT_EQ(error["fieldStates"]["hours"], "Invalid");
    EXPECT_EQ(CalcJson({"--size", "-1"}, 4)["mediumReport"]["text"], "Invalid Media Size");
}

TEST(CalcCommand, HostileTextsNeverFail)
{
    const std::vector<std::string> texts = {"",
                                            "abc",
                                            "-",
                                            "1e308",
                                            "999999999999999999999999999999",
                                            "\t+7x",
                                            "-999999999999999999999999999999",
                                            "nan",
                                            "inf"};
    const std::vector<std::string> options = {"--hours", "--minutes", "--seconds", "--size",
                                              "--count", "--audio1",  "--audio2",  "--video"};
    for (const std::string& option : options) {
        for (const std::string& text : texts) {
            for (bool lock : {false, true}) {
                std::vector<std::string> args = {"calc", option, text, "--mode", "svcd"};
                if (lock)
                    args.push_back("--lock");
                const auto result = RunCliCapture(args);
                // A result, or none (4) with the fields printed all the same.
                EXPECT_TRUE(result.status == 0 || result.status == 4)
                    << option << " " << text << ": " << result.err;
                EXPECT_NE(result.out.find("Video bitrate: "), std::string::npos);
            }
        }
    }
}

TEST(CalcCommand, UsageErrorsExitTwoWithOneLine)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"calc", "--preset", "80 min"},
                                                 {"calc", "--mode", "vcd"},
                                                 {"calc", "--bogus"},
                                                 {},
                                                 {"nonsense"}}) {
        const auto result = RunCliCapture(args);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err.rfind("ratewise-cli: ", 0), 0u) << result.err;
    }
    EXPECT_EQ(RunCliCapture({"--help"}).status, 0);
}

TEST(CalcCommand, PlainTextUsesBareLineFeeds)
{
    const auto result = RunCliCapture({"calc"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.find('\r'), std::string::npos);
    EXPECT_NE(result.out.find("Video bitrate: 668.444 Kbps"), std::string::npos);
    EXPECT_NE(result.out.find("CD Size 716800 Kbytes \nMode1"), std::string::npos);
}

} // namespace
} // namespace ratewise
