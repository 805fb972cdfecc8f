// SPDX-License-Identifier: GPL-3.0-or-later
// The fast split search against the plain search that tries every split, on random tracks.
#include "chapters/split_search.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "calc/calculator.h"
#include "chapters/optimal_split.h"
#include "common/string_format.h"
#include "tests/chapters/exhaustive_split.h"

namespace ratewise {
namespace {

using test_support::ExhaustiveSplit;
using test_support::ProgressCalls;
using test_support::SpreadOf;

class RecordingProgress final : public SplitProgress
{
public:
    void Begin(int maximum) override
    {
        calls.maximum = maximum;
        calls.calls.push_back('B');
    }
    void Step() override { calls.calls.push_back('S'); }
    void End() override { calls.calls.push_back('E'); }
    ProgressCalls calls;
};

// A random source whose numbers are the same with every standard library.
class Dice
{
public:
    explicit Dice(std::uint32_t seed) : m_engine(seed) {}
    int Below(int n) { return static_cast<int>(m_engine() % static_cast<std::uint32_t>(n)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }

private:
    std::mt19937 m_engine;
};

std::uint64_t Binomial(int n, int k)
{
    std::uint64_t result = 1;
    for (int i = 1; i <= k; ++i)
        result = result * static_cast<std::uint64_t>(n - k + i) / static_cast<std::uint64_t>(i);
    return result;
}

// Start seconds of a track with `chapters` chapters, in one of several shapes that stress the
// tie-break: equal lengths, a few distinct lengths, zero-length chapters, very long tracks, and
// (as a damaged title set could give) starts that go backwards.
std::vector<int> RandomStarts(Dice& dice, int chapters)
{
    const int shape = dice.Below(7);
    std::vector<int> starts{shape == 6 ? dice.Between(0, 500) : 0};
    const int equal = dice.Between(0, 300);
    for (int c = 0; c < chapters; ++c) {
        int length = 0;
        switch (shape) {
        case 0:
            length = dice.Between(0, 900);
            break;
        case 1:
            length = 60 * dice.Between(0, 3);
            break;
        case 2:
            length = equal;
            break;
        case 3:
            length = dice.Below(3) == 0 ? 0 : dice.Between(1, 20);
            break;
        case 4:
            length = dice.Between(0, 60000); // the track runs far beyond 100,000 s
            break;
        case 5:
            length = dice.Between(-200, 400); // starts that sometimes go backwards
            break;
        default:
            length = dice.Between(0, 5) * 7;
            break;
        }
        starts.push_back(starts.back() + length);
    }
    return starts;
}

CalculatorState RandomCalculator(Dice& dice, int media)
{
    CalculatorState state;
    state.mediumCount = media;
    state.mediumSizeMb = dice.Below(4) == 0 ? dice.Between(0, 5000) : 700;
    state.audio1Kbps = dice.Between(0, 384);
    state.audio2Kbps = dice.Below(2) == 0 ? 0 : dice.Between(0, 384);
    state.formatMode = dice.Below(2) == 0 ? FormatMode::AviDvd : FormatMode::Svcd;
    return state;
}

// The box text for the reference's cuts, built from the printf form of the media line.
std::string ReferenceText(const std::vector<int>& starts, const std::vector<int>& cuts,
                          const CalculatorState& state)
{
    auto pad = [](long long n) { return n < 10 ? "0" : ""; };
    std::string text;
    const int media = static_cast<int>(cuts.size()) - 1;
    for (int m = 1; m <= media; ++m) {
        const int d = starts[cuts[m] - 1] - starts[cuts[m - 1] - 1];
        const int h = d / 3600;
        const int min = d % 3600 / 60;
        const int s = d - 3600 * h - 60 * min;
        const int first = cuts[m - 1];
        const int last = cuts[m] - 1;
        text += StringPrintf("Media %s%d: %s%dh:%s%dm:%s%ds Chapters %s%d-%s%d Video Bitrate: %d\r\n", pad(m),
                             m, pad(h), h, pad(min), min, pad(s), s, pad(first), first, pad(last), last,
                             MediumBitrate(d, state));
    }
    for (int i = 0; i < 24 - (media + 1); ++i)
        text += "\r\n";
    return text;
}

// Runs both searches on one track and compares the cuts, the spread, the text and the bar.
void ExpectSameSplit(const std::vector<int>& starts, const CalculatorState& state, const std::string& label)
{
    const int media = state.mediumCount;
    const auto reference = ExhaustiveSplit(starts, media);
    ChapterList chapters;
    chapters.chapterCount = static_cast<int>(starts.size()) - 1;
    chapters.startSeconds = starts;
    RecordingProgress progress;
    const SplitPlan plan = ComputeSplit(chapters, state, progress);

    ASSERT_EQ(plan.boundaries, reference.boundaries) << label;
    ASSERT_EQ(progress.calls, reference.progress) << label;
    if (reference.boundaries.empty())
        return;
    ASSERT_EQ(SearchSplit(starts, media), reference.boundaries) << label;
    ASSERT_EQ(SpreadOf(plan.boundaries, starts), reference.spread) << label;
    ASSERT_EQ(plan.splitText, ReferenceText(starts, reference.boundaries, state)) << label;
}

std::string Describe(const std::vector<int>& starts, int media)
{
    std::string text = StringPrintf("%d media, starts", media);
    for (int s : starts)
        text += StringPrintf(" %d", s);
    return text;
}

TEST(SplitSearch, MatchesEveryCandidateSearchOnRandomTracks)
{
    Dice dice(20240611);
    std::uint64_t candidates = 0;
    for (int instance = 0; instance < 100000; ++instance) {
        const int media = dice.Between(1, 9);
        int chapters = dice.Between(1, 40);
        while (chapters >= media && Binomial(chapters - 1, media - 1) > 2000)
            chapters = dice.Between(1, 40);
        const std::vector<int> starts = RandomStarts(dice, chapters);
        const CalculatorState state = RandomCalculator(dice, media);
        ExpectSameSplit(starts, state, Describe(starts, media));
        if (chapters >= media && media >= 2)
            candidates += Binomial(chapters - 1, media - 1);
        if (::testing::Test::HasFatalFailure())
            return;
    }
    RecordProperty("candidates", std::to_string(candidates));
}

TEST(SplitSearch, MatchesOnLongChapterListsWithFewMedia)
{
    // Up to 255 programs: more positions than one 64-bit word holds, in both search paths.
    Dice dice(7);
    for (int instance = 0; instance < 300; ++instance) {
        const int media = dice.Between(2, 3);
        const int chapters = dice.Between(60, media == 2 ? 255 : 140);
        const std::vector<int> starts = RandomStarts(dice, chapters);
        ExpectSameSplit(starts, RandomCalculator(dice, media), Describe(starts, media));
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

TEST(SplitSearch, MatchesOnLargerTracksWithManyMedia)
{
    // Tens of thousands of candidates each, from 5 media up.
    Dice dice(4711);
    for (int instance = 0; instance < 300; ++instance) {
        const int media = dice.Between(5, 9);
        int chapters = dice.Between(media, 40);
        while (Binomial(chapters - 1, media - 1) < 20000 || Binomial(chapters - 1, media - 1) > 400000)
            chapters = dice.Between(media, 40);
        const std::vector<int> starts = RandomStarts(dice, chapters);
        ExpectSameSplit(starts, RandomCalculator(dice, media), Describe(starts, media));
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

TEST(SplitSearch, MatchesOnAFullSizeTrack)
{
    // 40 chapters of two lengths on 9 media: 61.5 million candidates, many of them tied.
    Dice dice(99);
    std::vector<int> starts{0};
    for (int c = 0; c < 40; ++c)
        starts.push_back(starts.back() + 120 * dice.Between(1, 2));
    ExpectSameSplit(starts, RandomCalculator(dice, 9), Describe(starts, 9));
}

} // namespace
} // namespace ratewise
