// SPDX-License-Identifier: GPL-3.0-or-later
#include "ifo/track_list.h"

#include <algorithm>
#include <limits>

#include "common/dvd_time.h"
#include "ifo/program_chain.h"
#include "ifo/stream_attributes.h"
#include "ifo/title_set_info.h"
#include "ifo/video_attributes.h"

namespace ratewise {
namespace {

constexpr std::int64_t kFrameAxisEnd = std::numeric_limits<std::int32_t>::max();

std::int32_t At(const std::vector<std::int32_t>& table, int i)
{
    if (i < 0 || static_cast<std::size_t>(i) >= table.size())
        return 0;
    return table[static_cast<std::size_t>(i)];
}

// Fills the tables from an opened title set; the pass over the time map comes afterwards.
void ScanProgramChains(const TitleSetInfo& info, TrackList& list)
{
    const int count = ifoGetPGCCount(&info);
    const std::optional<VideoAttributes> video = ifoGetVideoAttributes(&info);
    list.pgcCount = count;
    list.frameRate = TimeCodeFramesPerSecond(video && video->pal);
    list.audioStreamCount = ifoCountAudioStreams(&info);
    list.subpictureStreamCount = ifoCountSubpictureStreams(&info);

    const auto size = static_cast<std::size_t>(count);
    for (auto* table :
         {&list.cells, &list.hours, &list.minutes, &list.seconds, &list.frames, &list.lastFrame})
        table->assign(size, 0);
    list.firstFrame.assign(size + 1, 0);

    std::int64_t previousLast = 0;
    for (std::size_t i = 0; i < size; ++i) {
        PlaybackTime time; // a chain whose header lies outside the table reads as 0:00:00 .00
        list.cells[i] = ifoGetPlaybackTime(&info, static_cast<int>(i), &time);
        list.hours[i] = time.hours;
        list.minutes[i] = time.minutes;
        list.seconds[i] = time.seconds;
        list.frames[i] = time.frames;
        const std::int64_t length =
            ((std::int64_t{time.hours} * 60 + time.minutes) * 60 + time.seconds) * list.frameRate +
            time.frames;
        // Every track adds its frames to the previous track's last frame number, so track 0
        // ends one frame later than its length would suggest: that is how the axis counts.
        const std::int64_t last = std::min(previousLast + length, kFrameAxisEnd);
        list.lastFrame[i] = static_cast<std::int32_t>(last);
        list.firstFrame[i + 1] = static_cast<std::int32_t>(std::min(last + 1, kFrameAxisEnd));
        previousLast = last;
    }
}

std::vector<std::int32_t> PlaybackSeconds(const TrackList& list)
{
    std::vector<std::int32_t> seconds(static_cast<std::size_t>(list.pgcCount));
    for (int i = 0; i < list.pgcCount; ++i)
        seconds[static_cast<std::size_t>(i)] = list.RunningSeconds(i);
    return seconds;
}

} // namespace

int TrackList::TrackCount() const
{
    const auto firstEmpty = std::find_if(hours.begin(), hours.end(), [](std::int32_t h) { return h < 0; });
    return static_cast<int>(firstEmpty - hours.begin());
}

void TrackList::MarkEmpty()
{
    pgcCount = 0;
    std::fill(hours.begin(), hours.end(), -1);
    std::fill(minutes.begin(), minutes.end(), -1);
    std::fill(seconds.begin(), seconds.end(), -1);
}

std::int32_t TrackList::RunningSeconds(int i) const
{
    if (At(hours, i) < 0)
        return 0;
    return At(hours, i) * 3600 + At(minutes, i) * 60 + At(seconds, i);
}

std::int32_t TrackList::AverageKbps(int i) const
{
    return At(timeMap.averageKbps, i);
}

std::int32_t TrackList::Cells(int i) const
{
    return At(cells, i);
}

bool ifoParse(ByteSource& source, std::string_view name, TrackList& list, std::ostream& out,
              std::ostream& err)
{
    out << "Parsing \"" << name << "\"...\n";
    std::unique_ptr<TitleSetInfo> info = ifoOpen(source);
    if (!info)
        return false;
    ScanProgramChains(*info, list);
    ifoClose(std::move(info));
    ifoRunTimeMapPass(source, PlaybackSeconds(list), list.timeMap, out, err);
    return true;
}

bool ifoParse(const std::string& path, TrackList& list, std::ostream& out, std::ostream& err)
{
    if (path.empty())
        return true;
    out << "Parsing \"" << path << "\"...\n";
    std::unique_ptr<TitleSetInfo> info = ifoOpen(path);
    if (!info)
        return false;
    ScanProgramChains(*info, list);
    ifoClose(std::move(info));
    // The time map is read on a fresh open of the file, as every consumer of the file does.
    ifoRunTimeMapPass(path, PlaybackSeconds(list), list.timeMap, out, err);
    return true;
}

} // namespace ratewise
