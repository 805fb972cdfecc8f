// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/title_timing.h"

#include "common/dvd_time.h"
#include "common/string_format.h"

namespace ratewise {

double FramesToSeconds(std::int64_t frames, bool pal)
{
    // NTSC time codes count 30 frames a nominal second; the frames play at 30000/1001.
    return pal ? static_cast<double>(frames) / 25.0 : static_cast<double>(frames) * 1001.0 / 30000.0;
}

std::optional<TitleTiming> TimingOfCells(std::span<const CellEntry> cells, bool pal)
{
    TitleTiming timing;
    timing.pal = pal;
    const std::int64_t rate = pal ? 25 : 30;
    std::int64_t frames = 0;
    int lastProgram = -1;
    for (const CellEntry& cell : cells) {
        if ((cell.angle & 0x0F) > 1)
            continue;
        if (cell.program != lastProgram) {
            timing.chapterStartFrames.push_back(frames);
            lastProgram = cell.program;
        }
        const PlaybackTime& t = cell.time;
        frames += TimeCodeFrames(t.hours, t.minutes, t.seconds, t.frames, rate);
    }
    if (timing.chapterStartFrames.empty())
        return std::nullopt;
    timing.chapterStartFrames.push_back(frames);
    return timing;
}

MediumShare ShareOfChapters(const TitleTiming& timing, int first, int last)
{
    MediumShare share;
    share.firstChapter = first;
    share.lastChapter = last;
    share.chapterCount = timing.ChapterCount();
    const auto& starts = timing.chapterStartFrames;
    const std::int64_t begin = starts[static_cast<std::size_t>(first - 1)];
    share.seconds = FramesToSeconds(starts[static_cast<std::size_t>(last)] - begin, timing.pal);
    share.chapters.rate = timing.pal ? kPalFrameRate : kNtscFrameRate;
    share.startFrame = begin;
    for (int c = first; c <= last; ++c) {
        const std::int64_t frame = starts[static_cast<std::size_t>(c - 1)] - begin;
        share.chapterStarts.push_back(FramesToSeconds(frame, timing.pal));
        share.chapters.starts.push_back(frame);
        share.chapters.names.push_back(StringPrintf("Chapter %02d", c));
    }
    share.chapters.end = starts[static_cast<std::size_t>(last)] - begin;
    return share;
}

} // namespace ratewise
