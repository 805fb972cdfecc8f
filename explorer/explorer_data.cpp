// SPDX-License-Identifier: GPL-3.0-or-later
// Building the explorer's snapshot and reading single map entries from it.
#include "explorer/explorer_data.h"

#include <algorithm>

#include "ifo/time_map.h"
#include "ifo/track_list.h"

namespace ratewise {
namespace {

// Entries of map i that lie inside the map: up to the next map's offset, or up to the table's end
// (its end address is the offset of its last byte) for the table's last map.
std::int32_t EntriesInsideMap(const TimeMapData& timeMap, int i)
{
    const auto index = static_cast<std::size_t>(i);
    const std::int64_t start = timeMap.mapOffsets[index];
    const bool lastInTable = i + 1 >= timeMap.declaredMapCount;
    const std::int64_t end =
        lastInTable ? std::int64_t{timeMap.endAddress} + 1 : std::int64_t{timeMap.mapOffsets[index + 1]};
    // The map's own 4-byte header comes first.
    const std::int64_t entries = (end - start - 4) / 4;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(entries, 0, kMaxTimeMapWords));
}

} // namespace

std::int32_t ExplorerData::TimeUnitOf(int track) const
{
    if (track < 0 || static_cast<std::size_t>(track) >= timeUnits.size())
        return std::max(timeUnit, 1);
    return std::max(timeUnits[static_cast<std::size_t>(track)], 1);
}

std::optional<std::int32_t> ExplorerData::Entry(int track, std::int64_t k) const
{
    if (track < 0 || static_cast<std::size_t>(track) >= entryCounts.size() || k < 0 ||
        k >= entryCounts[static_cast<std::size_t>(track)])
        return std::nullopt;
    // The same addressing the average computation uses: offsets in words, counted from the
    // first map.
    const std::int64_t index =
        std::int64_t{mapOffsets[static_cast<std::size_t>(track)]} / 4 - std::int64_t{mapOffsets[0]} / 4 + k;
    if (index < 0 || index >= static_cast<std::int64_t>(words.size()))
        return std::nullopt;
    return words[static_cast<std::size_t>(index)];
}

std::optional<ExplorerData> BuildExplorerData(const TimeMapData& timeMap,
                                              std::span<const std::int32_t> durationSeconds,
                                              std::span<const std::string> trackLines, int focusedTrack)
{
    const int trackCount = std::min(timeMap.mapCount, static_cast<int>(durationSeconds.size()));
    if (trackCount <= 0 || focusedTrack < 0 || focusedTrack >= trackCount ||
        timeMap.mapOffsets.size() < static_cast<std::size_t>(timeMap.mapCount) + 1)
        return std::nullopt;

    ExplorerData data;
    data.words = timeMap.words;
    data.mapOffsets = timeMap.mapOffsets;
    data.timeUnit = std::max(timeMap.timeUnit, 1);
    data.trackCount = trackCount;
    data.currentTrack = focusedTrack;
    for (int i = 0; i < trackCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        data.entryCounts.push_back(EntriesInsideMap(timeMap, i));
        data.timeUnits.push_back(index < timeMap.mapTimeUnits.size() ? timeMap.mapTimeUnits[index]
                                                                     : data.timeUnit);
        data.averageKbps.push_back(index < timeMap.averageKbps.size() ? timeMap.averageKbps[index] : 0);
        data.durationSeconds.push_back(durationSeconds[index]);
        data.trackNames.push_back(index < trackLines.size() ? trackLines[index] : std::string());
    }
    return data;
}

std::optional<ExplorerData> BuildExplorerData(const TrackList& list, std::span<const std::string> trackLines,
                                              int focusedTrack)
{
    // TrackCount walks the list, so it is taken once: a hostile set can list thousands of tracks.
    const int trackCount = list.TrackCount();
    std::vector<std::int32_t> durationSeconds;
    durationSeconds.reserve(static_cast<std::size_t>(trackCount));
    for (int i = 0; i < trackCount; ++i)
        durationSeconds.push_back(list.RunningSeconds(i));
    return BuildExplorerData(list.timeMap, durationSeconds, trackLines, focusedTrack);
}

} // namespace ratewise
