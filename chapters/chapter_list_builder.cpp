// SPDX-License-Identifier: GPL-3.0-or-later
// The walk over a track's cells that finds its chapters and writes their three text forms.
#include "chapters/chapter_list_builder.h"

#include <cstdint>
#include <vector>

#include "common/dvd_time.h"
#include "common/string_format.h"
#include "ifo/cells.h"
#include "ifo/video_attributes.h"

namespace ratewise {
namespace {

// The running sum of the cells' playback times. The counters are 8 bits wide and carry once per
// cell, as the time codes they add up: a cell adds less than a second of frames and less than a
// minute of seconds, so one carry per field is enough.
struct RunningSum {
    std::uint8_t hours = 0;
    std::uint8_t minutes = 0;
    std::uint8_t seconds = 0;
    std::uint8_t frames = 0;

    void Add(const PlaybackTime& time, double frameRate)
    {
        hours = static_cast<std::uint8_t>(hours + time.hours);
        minutes = static_cast<std::uint8_t>(minutes + time.minutes);
        seconds = static_cast<std::uint8_t>(seconds + time.seconds);
        frames = static_cast<std::uint8_t>(frames + time.frames);
        // NTSC time codes count 30 frames to the second even though the conversions below use
        // 29.97, so the carry takes away 30 there.
        if (frames >= frameRate) {
            seconds = static_cast<std::uint8_t>(seconds + 1);
            frames = static_cast<std::uint8_t>(frames - TimeCodeFramesPerSecond(frameRate == 25.0));
        }
        if (seconds >= 60) {
            minutes = static_cast<std::uint8_t>(minutes + 1);
            seconds = static_cast<std::uint8_t>(seconds - 60);
        }
        if (minutes >= 60) {
            hours = static_cast<std::uint8_t>(hours + 1);
            minutes = static_cast<std::uint8_t>(minutes - 60);
        }
    }

    // Frames take no part: a program that begins in the track's last second is no chapter.
    bool SameSecondAs(const PlaybackTime& time) const
    {
        return hours == time.hours && minutes == time.minutes && seconds == time.seconds;
    }

    int WholeSeconds() const { return hours * 3600 + minutes * 60 + seconds; }
};

void AddChapter(ChapterList& list, const RunningSum& sum, double frameRate)
{
    const int n = list.chapterCount + 1;
    const int start = sum.WholeSeconds();
    const auto hundredths = static_cast<int>(sum.frames * 100 / frameRate);
    list.timeLines.push_back("Chapter " + std::to_string(n) + " = " + WithLeadingZero(sum.hours) + ":" +
                             WithLeadingZero(sum.minutes) + ":" + WithLeadingZero(sum.seconds) + ":" +
                             WithLeadingZero(hundredths));
    list.frameLines.push_back(
        StringPrintf("Chapter %d = %d", n, static_cast<int>(start * frameRate) + sum.frames));
    list.secondLines.push_back(StringPrintf("Chapter %d = %.2f", n, start + sum.frames / frameRate));
    list.startSeconds.push_back(start);
    list.startFrames.push_back(sum.frames);
    list.chapterCount = n;
}

} // namespace

double ChapterFrameRate(const TitleSetInfo& info)
{
    const std::optional<VideoAttributes> video = ifoGetVideoAttributes(&info);
    return ShownFrameRate(!(video && video->standard == 0));
}

std::optional<ChapterList> BuildChapterList(const TitleSetInfo& info, int track, int cellCount,
                                            const PlaybackTime& runningTime)
{
    if (cellCount < 0)
        return std::nullopt;
    const double frameRate = ChapterFrameRate(info);
    // Cells beyond the track's own count, if the caller names more, stay zero-filled.
    std::vector<CellEntry> cells(static_cast<std::size_t>(cellCount));
    if (!ifoGetCells(&info, track, cells))
        return std::nullopt;

    ChapterList list;
    RunningSum sum;
    int lastProgram = -1; // no program index is negative
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const CellEntry& cell = cells[c];
        if (cell.program != lastProgram && !sum.SameSecondAs(runningTime)) {
            AddChapter(list, sum, frameRate);
            list.firstCells.push_back(static_cast<int>(c));
            lastProgram = cell.program;
        }
        sum.Add(cell.time, frameRate);
    }
    list.startSeconds.push_back(runningTime.hours * 3600 + runningTime.minutes * 60 + runningTime.seconds);
    return list;
}

std::optional<ChapterList> BuildChapterList(const std::string& ifoPath, int track, int cellCount,
                                            const PlaybackTime& runningTime)
{
    std::unique_ptr<TitleSetInfo> info = ifoOpen(ifoPath);
    if (!info)
        return std::nullopt;
    std::optional<ChapterList> list = BuildChapterList(*info, track, cellCount, runningTime);
    ifoClose(std::move(info));
    return list;
}

std::optional<ChapterList> BuildChapterListOfTrack(const TitleSetInfo& info, int track)
{
    if (track < 0 || track >= ifoGetPGCCount(&info))
        return std::nullopt;
    PlaybackTime runningTime;
    const int cellCount = ifoGetPlaybackTime(&info, track, &runningTime);
    return BuildChapterList(info, track, cellCount, runningTime);
}

} // namespace ratewise
