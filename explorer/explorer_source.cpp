// Running times and time map of a title set, for the explorer's snapshot.
#include "explorer/explorer_source.h"

#include <algorithm>

#include "ifo/byte_source.h"
#include "ifo/program_chain.h"
#include "ifo/time_map.h"
#include "ifo/title_set_info.h"

namespace ratewise {

ExplorerRead ReadExplorerData(ByteSource& source, std::span<const std::string> trackLines, int focusedTrack,
                              std::ostream& err)
{
    std::unique_ptr<TitleSetInfo> info = ifoOpen(source);
    if (!info)
        return {std::nullopt, ExplorerReadError::CannotRead, 0};
    std::vector<std::int32_t> durationSeconds;
    const int count = ifoGetPGCCount(info.get());
    for (int i = 0; i < count; ++i) {
        PlaybackTime time;
        ifoGetPlaybackTime(info.get(), i, &time);
        durationSeconds.push_back(time.hours * 3600 + time.minutes * 60 + time.seconds);
    }
    ifoClose(std::move(info));

    // The heading of the pass belongs to the load's progress output, not to the explorer.
    std::ostream quiet(nullptr);
    TimeMapData timeMap;
    ifoRunTimeMapPass(source, durationSeconds, timeMap, quiet, err);
    const int trackCount = std::min(timeMap.mapCount, static_cast<int>(durationSeconds.size()));
    if (trackCount == 0)
        return {std::nullopt, ExplorerReadError::NoTimeMap, 0};
    std::optional<ExplorerData> data = BuildExplorerData(timeMap, durationSeconds, trackLines, focusedTrack);
    if (!data)
        return {std::nullopt, ExplorerReadError::NoSuchTrack, trackCount};
    return {std::move(data), ExplorerReadError::None, trackCount};
}

ExplorerRead ReadExplorerData(const std::string& path, std::span<const std::string> trackLines,
                              int focusedTrack, std::ostream& err)
{
    std::unique_ptr<ByteSource> file = OpenFileSource(path);
    if (!file)
        return {std::nullopt, ExplorerReadError::CannotRead, 0};
    return ReadExplorerData(*file, trackLines, focusedTrack, err);
}

} // namespace ratewise
