// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <utility>

#include "tests/chapters/exhaustive_split.h"
#include "tests/cli/cli_runner.h"

namespace ratewise {
namespace {

using test_support::RunCliCapture;

// `status` 4: no split can be made; the JSON is printed all the same.
nlohmann::json SplitJson(std::vector<std::string> args, int status = 0)
{
    args.insert(args.begin(), "split");
    args.push_back("--json");
    const auto result = RunCliCapture(args);
    EXPECT_EQ(result.status, status) << result.err;
    const nlohmann::json json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["ok"], status == 0);
    return json;
}

std::string LineBreaks(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "\r\n";
    return text;
}

TEST(SplitCommand, PlainTextIsTheBoxWithBareLineFeeds)
{
    const auto result = RunCliCapture({"split", "--starts", "0,300,600,900,1200", "--count", "2"});
    EXPECT_EQ(result.status, 0) << result.err;
    // Without the box's padding lines.
    EXPECT_EQ(result.out, "Media 01: 00h:10m:00s Chapters 01-02 Video Bitrate: 9429\n"
                          "Media 02: 00h:10m:00s Chapters 03-04 Video Bitrate: 9429\n");
    EXPECT_EQ(result.err, "");
}

TEST(SplitCommand, JsonCarriesThePlanAndTheWindowText)
{
    // The calculator's steps decide the media: 2 × 442 MB, 128 Kbps of audio.
    std::string starts = "0";
    int second = 0;
    for (int length : {353, 353, 353, 353, 353, 353, 353, 354, 354, 353, 353, 353, 353, 353, 353, 353})
        starts += "," + std::to_string(second += length);
    const nlohmann::json json = SplitJson({"--starts", starts, "--size", "442", "--count", "2"});
    EXPECT_EQ(json["boundaries"], nlohmann::json({1, 9, 17}));
    EXPECT_EQ(json["durations"], nlohmann::json({2825, 2825}));
    EXPECT_EQ(json["bitrates"], nlohmann::json({1153, 1153}));
    EXPECT_EQ(json["lines"][1], "Media 02: 00h:47m:05s Chapters 09-16 Video Bitrate: 1153");
    EXPECT_EQ(json["text"], json["lines"][0].get<std::string>() + "\r\n" +
                                json["lines"][1].get<std::string>() + "\r\n" + LineBreaks(21));

    // (S)VCD snaps the audio and shrinks each medium: the bitrates follow.
    const nlohmann::json svcd =
        SplitJson({"--starts", starts, "--count", "2", "--mode", "svcd", "--audio1", "100"});
    EXPECT_EQ(svcd["bitrates"], nlohmann::json({2197, 2197}));
}

TEST(SplitCommand, AgreesWithEveryCandidateSearch)
{
    const std::vector<int> starts{0, 95, 95, 400, 410, 1000, 1003, 1500, 2400, 2410, 2600, 3100, 3333, 3600};
    std::string text;
    for (int s : starts)
        text += (text.empty() ? "" : ",") + std::to_string(s);
    for (int media = 2; media <= 9; ++media) {
        const nlohmann::json json = SplitJson({"--starts", text, "--count", std::to_string(media)});
        EXPECT_EQ(json["boundaries"].get<std::vector<int>>(),
                  test_support::ExhaustiveSplit(starts, media).boundaries)
            << media;
        EXPECT_EQ(json["lines"].size(), static_cast<std::size_t>(media));
    }
}

TEST(SplitCommand, MessagesInsteadOfASplit)
{
    const nlohmann::json one = SplitJson({"--starts", "0,100,200"}, 4);
    EXPECT_EQ(one["lines"], nlohmann::json({"Only one media: nothing to split..."}));
    EXPECT_EQ(one["text"], "Only one media: nothing to split..." + LineBreaks(22));
    EXPECT_TRUE(one["boundaries"].empty());

    const nlohmann::json few = SplitJson({"--starts", "0,100,200,300", "--count", "4"}, 4);
    EXPECT_EQ(few["lines"], nlohmann::json({"You can't split 3 chapters into 4 parts"}));
    EXPECT_TRUE(few["bitrates"].empty());
    // The end alone: a track of 0 chapters, as `chapters --json` gives its startSeconds.
    const nlohmann::json none = SplitJson({"--starts", "5", "--count", "2"}, 4);
    EXPECT_EQ(none["lines"], nlohmann::json({"You can't split 0 chapters into 2 parts"}));
}

TEST(SplitCommand, MalformedStartsAreUsageErrorsNamingTheItem)
{
    const std::pair<const char*, const char*> cases[] = {
        {"0,x", "not a whole number of seconds: 'x'"},
        {"0,300,200", "starts must not decrease: 200 after 300"},
        {"", "not a whole number of seconds: ''"},
        {"0,,5", "not a whole number of seconds: ''"},
        {"-1,5", "not a whole number of seconds: '-1'"},
        {"-99999999999,5", "not a whole number of seconds: '-99999999999'"},
        {"0,12abc", "not a whole number of seconds: '12abc'"},
        {"0,99999999999", "too many seconds: '99999999999'"},
        {"0, 5", "not a whole number of seconds: ' 5'"},
        // The first bad item is the one named.
        {"0,x,3,1", "not a whole number of seconds: 'x'"},
    };
    for (const auto& [starts, why] : cases) {
        const auto result = RunCliCapture({"split", "--starts", starts, "--count", "2"});
        EXPECT_EQ(result.status, 2) << starts;
        EXPECT_EQ(result.err,
                  std::string("ratewise-cli: --starts: ") + why + " (see 'ratewise-cli split --help')\n")
            << starts;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(RunCliCapture({"split", "--count", "2"}).status, 2);
    EXPECT_EQ(RunCliCapture({"split", "--starts", "0,5", "--mode", "vcd"}).status, 2);
}

} // namespace
} // namespace ratewise
