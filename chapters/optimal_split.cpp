// SPDX-License-Identifier: GPL-3.0-or-later
// The optimal split of a track's chapters over the calculator's media.
#include "chapters/optimal_split.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "calc/calculator.h"
#include "chapters/split_search.h"
#include "chapters/split_text.h"

namespace ratewise {
namespace {

int ClampToInt(std::int64_t value)
{
    return static_cast<int>(
        std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The start seconds the record really has: chapterCount + 1 of them, fewer if it is short.
std::span<const int> UsableStarts(const ChapterList& chapters)
{
    if (chapters.startSeconds.empty() || chapters.chapterCount < 0)
        return {};
    const auto wanted = static_cast<std::size_t>(chapters.chapterCount) + 1;
    return std::span<const int>(chapters.startSeconds).first(std::min(wanted, chapters.startSeconds.size()));
}

// Reports the bar as the chapter-by-chapter search did: one step for each first chapter of
// medium 2 that it tried, none when medium 2 was the last one to place.
void ReportSearch(SplitProgress& progress, int chapters, int media)
{
    const int values = chapters - media + 1;
    progress.Begin(values);
    if (media > 2) {
        for (int i = 0; i < values; ++i)
            progress.Step();
    }
    progress.End();
}

} // namespace

SplitPlan ComputeSplit(const ChapterList& chapters, const CalculatorState& state, SplitProgress& progress)
{
    const std::span<const int> starts = UsableStarts(chapters);
    const int chapterCount = starts.empty() ? 0 : static_cast<int>(starts.size()) - 1;
    // The calculator keeps the count within 1 to 9; anything below 1 counts as one medium.
    const int media = std::max(state.mediumCount, 1);

    SplitPlan plan;
    if (media < 2) {
        plan.splitText = OnlyOneMediumText(media);
        return plan;
    }
    if (chapterCount < media) {
        plan.splitText = TooFewChaptersText(chapterCount, media);
        return plan;
    }

    plan.boundaries = SearchSplit(starts, media);
    ReportSearch(progress, chapterCount, media);

    for (int m = 0; m < media; ++m) {
        const int first = plan.boundaries[static_cast<std::size_t>(m)];
        const int next = plan.boundaries[static_cast<std::size_t>(m) + 1];
        const int duration = ClampToInt(std::int64_t{starts[static_cast<std::size_t>(next) - 1]} -
                                        starts[static_cast<std::size_t>(first) - 1]);
        const int bitrate = MediumBitrate(duration, state);
        plan.durations.push_back(duration);
        plan.bitrates.push_back(bitrate);
        plan.mediaLines.push_back(MediaLine(m + 1, duration, first, next - 1, bitrate));
    }
    plan.splitText = SplitBoxText(plan.mediaLines, media);
    return plan;
}

int MediumBitrate(int durationSeconds, const CalculatorState& state)
{
    if (durationSeconds == 0)
        return 0;
    const double audio = double(state.audio1Kbps) + double(state.audio2Kbps);
    const double kbps = UsableKilobits(state.mediumSizeMb, 1, state.formatMode) / durationSeconds - audio;
    if (!(kbps > double(std::numeric_limits<int>::min())))
        return kbps < 0 ? std::numeric_limits<int>::min() : 0; // below the range, or not a number
    if (!(kbps < double(std::numeric_limits<int>::max())))
        return std::numeric_limits<int>::max();
    return static_cast<int>(kbps);
}

} // namespace ratewise
