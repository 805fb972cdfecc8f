// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/title_timing.h"

#include "chapters/chapter_names.h"
#include "common/dvd_time.h"

namespace ratewise {

std::optional<TitleTiming> TimingOfCells(std::span<const CellEntry> cells, bool pal)
{
    TitleTiming timing;
    timing.pal = pal;
    const std::int64_t rate = TimeCodeFramesPerSecond(pal);
    std::int64_t frames = 0;
    int lastProgram = -1;
    for (const CellEntry& cell : cells) {
        if (!InFirstAngle(cell))
            continue;
        if (cell.program != lastProgram) {
            timing.chapterStartFrames.push_back(frames);
            lastProgram = cell.program;
        }
        frames += PlaybackTimeFrames(cell.time, rate);
    }
    if (timing.chapterStartFrames.empty())
        return std::nullopt;
    timing.chapterStartFrames.push_back(frames);
    return timing;
}

MediumShare ShareOfChapters(const TitleTiming& timing, int first, int last,
                            const std::vector<std::string>& titleNames, const std::string& language)
{
    MediumShare share;
    share.firstChapter = first;
    share.lastChapter = last;
    share.chapterCount = timing.ChapterCount();
    const auto& starts = timing.chapterStartFrames;
    const std::int64_t begin = starts[static_cast<std::size_t>(first - 1)];
    share.seconds = FramesToSeconds(starts[static_cast<std::size_t>(last)] - begin, timing.pal);
    share.startFrame = begin;
    std::vector<std::int64_t> frames;
    for (int c = first; c <= last; ++c) {
        const std::int64_t frame = starts[static_cast<std::size_t>(c - 1)] - begin;
        share.chapterStarts.push_back(FramesToSeconds(frame, timing.pal));
        frames.push_back(frame);
    }
    // Named as the whole title's chapters are, so chapter 7 keeps "Chapter 07" on every medium.
    const std::vector<std::string> names =
        ChapterNames(static_cast<std::size_t>(timing.ChapterCount()), titleNames);
    share.chapters = NamedChapters(timing.pal ? kPalFrameRate : kNtscFrameRate, std::move(frames),
                                   starts[static_cast<std::size_t>(last)] - begin,
                                   {names.begin() + (first - 1), names.begin() + last}, language);
    return share;
}

} // namespace ratewise
