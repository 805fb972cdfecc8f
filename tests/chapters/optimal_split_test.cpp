// SPDX-License-Identifier: GPL-3.0-or-later
// The optimal split: its messages, media lines, bitrates, spread and progress reports.
#include "chapters/optimal_split.h"

#include <gtest/gtest.h>

#include <limits>

#include "chapters/split_text.h"
#include "tests/chapters/exhaustive_split.h"

namespace ratewise {
namespace {

using test_support::SpreadOf;

class RecordingProgress final : public SplitProgress
{
public:
    void Begin(int maximum) override { calls += "B" + std::to_string(maximum); }
    void Step() override { calls += "S"; }
    void End() override { calls += "E"; }
    std::string calls;
};

// A chapter list with these chapter lengths in seconds, the first chapter starting at 0.
ChapterList Chapters(std::initializer_list<int> lengths)
{
    ChapterList list;
    list.startSeconds.push_back(0);
    for (int length : lengths)
        list.startSeconds.push_back(list.startSeconds.back() + length);
    list.chapterCount = static_cast<int>(lengths.size());
    return list;
}

CalculatorState Calculator(int media, int sizeMb = 700, int audio1 = 128, int audio2 = 0,
                           FormatMode mode = FormatMode::AviDvd)
{
    CalculatorState state;
    state.mediumCount = media;
    state.mediumSizeMb = sizeMb;
    state.audio1Kbps = audio1;
    state.audio2Kbps = audio2;
    state.formatMode = mode;
    return state;
}

std::string LineBreaks(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "\r\n";
    return text;
}

TEST(ComputeSplit, NoSearchMessagesKeepTheBoxPadding)
{
    RecordingProgress progress;
    const SplitPlan one = ComputeSplit(Chapters({100, 200, 300}), Calculator(1), progress);
    EXPECT_EQ(one.splitText, "Only one media: nothing to split..." + LineBreaks(22));
    EXPECT_TRUE(one.boundaries.empty());
    EXPECT_TRUE(one.mediaLines.empty());

    const SplitPlan few = ComputeSplit(Chapters({100, 200, 300}), Calculator(4), progress);
    EXPECT_EQ(few.splitText, "You can't split 3 chapters into 4 parts" + LineBreaks(19));
    EXPECT_TRUE(few.boundaries.empty());

    const SplitPlan none = ComputeSplit(ChapterList{}, Calculator(2), progress);
    EXPECT_EQ(none.splitText, "You can't split 0 chapters into 2 parts" + LineBreaks(21));
    EXPECT_EQ(progress.calls, "") << "no search, no progress bar";
}

TEST(ComputeSplit, DescribedMediaLine)
{
    // Two halves of 47 min 5 s each; 442 MB less 128 Kbps of audio leaves 1153 Kbps of video.
    const ChapterList chapters =
        Chapters({353, 353, 353, 353, 353, 353, 353, 354, 354, 353, 353, 353, 353, 353, 353, 353});
    NoSplitProgress progress;
    const SplitPlan plan = ComputeSplit(chapters, Calculator(2, 442), progress);
    EXPECT_EQ(plan.boundaries, (std::vector<int>{1, 9, 17}));
    EXPECT_EQ(plan.durations, (std::vector<int>{2825, 2825}));
    EXPECT_EQ(plan.bitrates, (std::vector<int>{1153, 1153}));
    ASSERT_EQ(plan.mediaLines.size(), 2u);
    EXPECT_EQ(plan.mediaLines[0], "Media 01: 00h:47m:05s Chapters 01-08 Video Bitrate: 1153");
    EXPECT_EQ(plan.mediaLines[1], "Media 02: 00h:47m:05s Chapters 09-16 Video Bitrate: 1153");
    EXPECT_EQ(plan.splitText, plan.mediaLines[0] + "\r\n" + plan.mediaLines[1] + "\r\n" + LineBreaks(21));
}

TEST(ComputeSplit, OneChapterPerMediumWhenCountsMatch)
{
    RecordingProgress progress;
    const SplitPlan plan = ComputeSplit(Chapters({600, 30, 4000}), Calculator(3), progress);
    EXPECT_EQ(plan.boundaries, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(plan.durations, (std::vector<int>{600, 30, 4000}));
    EXPECT_EQ(plan.mediaLines[2], "Media 03: 01h:06m:40s Chapters 03-03 Video Bitrate: 1305");
    EXPECT_EQ(progress.calls, "B1SE");
}

TEST(ComputeSplit, TiesGoToTheEarlierCuts)
{
    NoSplitProgress progress;
    // 10 | 20+10 and 10+20 | 10 both differ by 20 seconds: the smaller first cut wins.
    EXPECT_EQ(ComputeSplit(Chapters({10, 20, 10}), Calculator(2), progress).boundaries,
              (std::vector<int>{1, 2, 4}));
    // With medium 2 starting at chapter 2 either way, the smaller start of medium 3 wins.
    EXPECT_EQ(ComputeSplit(Chapters({20, 10, 10, 10}), Calculator(3), progress).boundaries,
              (std::vector<int>{1, 2, 3, 5}));
}

TEST(ComputeSplit, ZeroLengthChaptersAndNegativeBitrates)
{
    NoSplitProgress progress;
    // Chapters 1 and 2 start in the same second: a medium holding chapter 1 alone lasts 0 s.
    const SplitPlan plan = ComputeSplit(Chapters({0, 100, 100}), Calculator(3, 1), progress);
    EXPECT_EQ(plan.durations, (std::vector<int>{0, 100, 100}));
    EXPECT_EQ(plan.mediaLines[0], "Media 01: 00h:00m:00s Chapters 01-01 Video Bitrate: 0");
    // 1 MB over 100 s leaves 81 Kbps, less 128 of audio.
    EXPECT_EQ(plan.mediaLines[1], "Media 02: 00h:01m:40s Chapters 02-02 Video Bitrate: -46");
}

TEST(ComputeSplit, TracksBeyondOneHundredThousandSecondsStillSplit)
{
    RecordingProgress progress;
    const SplitPlan plan = ComputeSplit(Chapters({150000, 10}), Calculator(2), progress);
    EXPECT_EQ(plan.boundaries, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(plan.mediaLines[0], "Media 01: 41h:40m:00s Chapters 01-01 Video Bitrate: -89");
    EXPECT_EQ(progress.calls, "B1E") << "two media: the bar is never stepped";

    // Every medium longer than 100,000 s: the most even split is still found.
    const ChapterList longTrack = Chapters({120000, 130000, 110000, 125000, 115000});
    const SplitPlan three = ComputeSplit(longTrack, Calculator(3), progress);
    const auto reference = test_support::ExhaustiveSplit(longTrack.startSeconds, 3);
    EXPECT_EQ(three.boundaries, reference.boundaries);
    EXPECT_EQ(SpreadOf(three.boundaries, longTrack.startSeconds), reference.spread);
}

TEST(ComputeSplit, ProgressCountsTheFirstChaptersOfMediumTwo)
{
    const ChapterList chapters = Chapters({300, 200, 400, 100, 500, 250, 350});
    for (int media = 2; media <= 7; ++media) {
        RecordingProgress progress;
        ComputeSplit(chapters, Calculator(media), progress);
        const int values = 7 - media + 1;
        const std::string steps = media > 2 ? std::string(static_cast<std::size_t>(values), 'S') : "";
        EXPECT_EQ(progress.calls, "B" + std::to_string(values) + steps + "E") << media;
    }
}

TEST(ComputeSplit, ShortRecordUsesTheStartsItHas)
{
    ChapterList chapters = Chapters({100, 100, 100});
    chapters.chapterCount = 9; // claims more chapters than it has starts for
    NoSplitProgress progress;
    EXPECT_EQ(ComputeSplit(chapters, Calculator(3), progress).boundaries, (std::vector<int>{1, 2, 3, 4}));
}

TEST(SpreadOf, LongestMinusShortestOrMinusOneForNoSplit)
{
    const std::vector<int> starts{0, 100, 250, 250, 900};
    EXPECT_EQ(SpreadOf(std::vector<int>{1, 3, 5}, starts), 400);    // 250 and 650
    EXPECT_EQ(SpreadOf(std::vector<int>{1, 3, 4, 5}, starts), 650); // 250, 0 and 650
    EXPECT_EQ(SpreadOf(std::vector<int>{1, 5}, starts), 0);
    EXPECT_EQ(SpreadOf(std::vector<int>{1, 200000, 200010}, std::vector<int>{}), -1);
    EXPECT_EQ(SpreadOf(std::vector<int>{1, 3, 3, 5}, starts), -1);
    EXPECT_EQ(SpreadOf(std::vector<int>{1, 3, 6}, starts), -1);
    EXPECT_EQ(SpreadOf(std::vector<int>{1}, starts), -1);
    // Both media beyond 100,000 s: the true shortest counts, not a starting guess.
    EXPECT_EQ(SpreadOf(std::vector<int>{1, 2, 3}, std::vector<int>{0, 150000, 260000}), 40000);
}

TEST(MediumBitrate, ForwardFormulaPerMedium)
{
    // The calculator's start values give 668.444 Kbps for 2 hours; one medium truncates it.
    EXPECT_EQ(MediumBitrate(7200, Calculator(2)), 668);
    EXPECT_EQ(MediumBitrate(7200, Calculator(2, 700, 128, 0, FormatMode::Svcd)), 771);
    EXPECT_EQ(MediumBitrate(5400, Calculator(2, 700, 224, 0, FormatMode::Svcd)), 975);
    EXPECT_EQ(MediumBitrate(7200, Calculator(2, 700, 128, 64)), 604);
    EXPECT_EQ(MediumBitrate(3600, Calculator(2, 0, 128)), -128);
}

TEST(MediumBitrate, ZeroDurationAndOutOfRangeStayDefined)
{
    EXPECT_EQ(MediumBitrate(0, Calculator(2)), 0);
    const int most = std::numeric_limits<int>::max();
    const int least = std::numeric_limits<int>::min();
    EXPECT_EQ(MediumBitrate(1, Calculator(2, most)), most);
    EXPECT_EQ(MediumBitrate(1, Calculator(2, 0, most, most)), least);
    EXPECT_EQ(MediumBitrate(-100, Calculator(2, 700, 0)), -57344);
}

TEST(MediaLine, PadsEveryNumberButTheBitrate)
{
    EXPECT_EQ(MediaLine(1, 36000 + 120 + 3, 9, 10, 5),
              "Media 01: 10h:02m:03s Chapters 09-10 Video Bitrate: 5");
    EXPECT_EQ(MediaLine(9, 59, 99, 255, -1234), "Media 09: 00h:00m:59s Chapters 99-255 Video Bitrate: -1234");
    EXPECT_EQ(SplitBoxText({"a", "b"}, 9), "a\r\nb\r\n" + LineBreaks(14));
    EXPECT_EQ(SplitBoxText({"a"}, 30), "a\r\n");
}

} // namespace
} // namespace ratewise
