// SPDX-License-Identifier: GPL-3.0-or-later
#include "chapters/split_export.h"

#include <algorithm>

namespace ratewise {
namespace {

// A time in frames at `from`, in frames at `to`, when it lands exactly on one.
std::optional<std::int64_t> Convert(std::int64_t frame, FrameRate from, FrameRate to)
{
    if (from == to)
        return frame;
    const std::int64_t numerator = frame * from.seconds * to.frames;
    const std::int64_t denominator = from.frames * to.seconds;
    if (denominator <= 0 || numerator % denominator != 0)
        return std::nullopt;
    return numerator / denominator;
}

} // namespace

std::optional<SplitCuts> CutsOf(const SplitPlan& plan, const std::vector<std::int64_t>& chapterStarts,
                                FrameRate rate)
{
    if (plan.boundaries.size() < 2)
        return std::nullopt;
    SplitCuts cuts;
    cuts.rate = rate;
    for (const int boundary : plan.boundaries) {
        if (boundary < 1 || static_cast<std::size_t>(boundary) > chapterStarts.size())
            return std::nullopt;
        cuts.mediumStarts.push_back(chapterStarts[static_cast<std::size_t>(boundary) - 1]);
    }
    return cuts;
}

std::optional<std::vector<std::int64_t>>
ExactChapterStarts(const ChapterList& list, const std::vector<std::int64_t>& cellStarts, std::int64_t end)
{
    if (list.chapterCount < 0 || list.firstCells.size() < static_cast<std::size_t>(list.chapterCount))
        return std::nullopt;
    std::vector<std::int64_t> starts;
    for (int n = 0; n < list.chapterCount; ++n) {
        const int cell = list.firstCells[static_cast<std::size_t>(n)];
        if (cell < 0 || static_cast<std::size_t>(cell) >= cellStarts.size())
            return std::nullopt;
        starts.push_back(cellStarts[static_cast<std::size_t>(cell)]);
    }
    starts.push_back(end);
    return starts;
}

std::optional<SplitCuts> CutsOf(const SplitPlan& plan, const ChapterList& list, const PlayerChapters& player)
{
    const std::optional<std::vector<std::int64_t>> exact =
        ExactChapterStarts(list, player.cellStarts, player.end);
    return exact ? CutsOf(plan, *exact, player.rate) : std::nullopt;
}

std::optional<std::vector<int>> MkvmergeSplitChapters(const SplitCuts& cuts, const TimedChapters& player)
{
    std::vector<int> numbers;
    for (std::size_t m = 1; m + 1 < cuts.mediumStarts.size(); ++m) {
        const std::optional<std::int64_t> at = Convert(cuts.mediumStarts[m], cuts.rate, player.rate);
        const auto found =
            at ? std::find(player.starts.begin(), player.starts.end(), *at) : player.starts.end();
        if (found == player.starts.end())
            return std::nullopt;
        numbers.push_back(static_cast<int>(found - player.starts.begin()) + 1);
    }
    return numbers;
}

std::string MkvmergeSplitText(const SplitCuts& cuts, const TimedChapters& player)
{
    std::string text;
    if (const std::optional<std::vector<int>> numbers = MkvmergeSplitChapters(cuts, player)) {
        text = "--split chapters:";
        for (std::size_t i = 0; i < numbers->size(); ++i)
            text += (i > 0 ? "," : "") + std::to_string((*numbers)[i]);
        text += "\n";
    }
    text += "--split parts:";
    for (std::size_t m = 0; m + 1 < cuts.mediumStarts.size(); ++m) {
        text += (m > 0 ? "," : "") + FrameClockText(cuts.mediumStarts[m], cuts.rate, 9) + "-" +
                FrameClockText(cuts.mediumStarts[m + 1], cuts.rate, 9);
    }
    return text + "\n";
}

std::string FfmpegSplitText(const SplitCuts& cuts)
{
    std::string text;
    for (std::size_t m = 0; m + 1 < cuts.mediumStarts.size(); ++m) {
        text += "-ss " + FrameClockText(cuts.mediumStarts[m], cuts.rate, 6) + " -to " +
                FrameClockText(cuts.mediumStarts[m + 1], cuts.rate, 6) + "\n";
    }
    return text;
}

std::vector<TimedChapters> ChaptersPerMedium(const SplitCuts& cuts, const TimedChapters& player)
{
    std::vector<TimedChapters> media;
    for (std::size_t m = 0; m + 1 < cuts.mediumStarts.size(); ++m) {
        // The medium's bounds in the player chapters' frames; a cut between two of their frames
        // counts from the frame it falls in.
        const std::int64_t from = cuts.mediumStarts[m] * cuts.rate.seconds * player.rate.frames /
                                  (cuts.rate.frames * player.rate.seconds);
        const std::int64_t to = cuts.mediumStarts[m + 1] * cuts.rate.seconds * player.rate.frames /
                                (cuts.rate.frames * player.rate.seconds);
        TimedChapters medium;
        medium.rate = player.rate;
        medium.language = player.language;
        medium.end = to - from;
        for (std::size_t i = 0; i < player.starts.size(); ++i) {
            const std::int64_t start = player.starts[i];
            const std::int64_t end = i + 1 < player.starts.size() ? player.starts[i + 1] : player.end;
            if (end <= from || start >= to)
                continue;
            medium.starts.push_back(std::max(start, from) - from);
            medium.names.push_back(i < player.names.size() ? player.names[i] : std::string());
        }
        media.push_back(std::move(medium));
    }
    return media;
}

} // namespace ratewise
