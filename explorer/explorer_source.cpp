// SPDX-License-Identifier: GPL-3.0-or-later
// A title set loaded the way the track list's load does it, for the explorer's snapshot.
#include "explorer/explorer_source.h"

#include <algorithm>

#include "ifo/byte_source.h"
#include "ifo/track_list.h"

namespace ratewise {
namespace {

ExplorerRead FromTrackList(bool parsed, const TrackList& list, std::span<const std::string> trackLines,
                           int focusedTrack)
{
    if (!parsed)
        return {.data = std::nullopt, .error = ExplorerReadError::CannotRead, .trackCount = 0};
    const int trackCount = std::min(list.timeMap.mapCount, list.TrackCount());
    if (trackCount <= 0)
        return {.data = std::nullopt, .error = ExplorerReadError::NoTimeMap, .trackCount = 0};
    std::optional<ExplorerData> data = BuildExplorerData(list, trackLines, focusedTrack);
    if (!data)
        return {.data = std::nullopt, .error = ExplorerReadError::NoSuchTrack, .trackCount = trackCount};
    return {.data = std::move(data), .error = ExplorerReadError::None, .trackCount = trackCount};
}

} // namespace

ExplorerRead ReadExplorerData(ByteSource& source, std::span<const std::string> trackLines, int focusedTrack,
                              std::ostream& err)
{
    // The load's progress lines belong to the main window's load, not to the explorer.
    std::ostream quiet(nullptr);
    TrackList list;
    const bool parsed = ifoParse(source, "", list, quiet, err);
    return FromTrackList(parsed, list, trackLines, focusedTrack);
}

ExplorerRead ReadExplorerData(const std::string& path, std::span<const std::string> trackLines,
                              int focusedTrack, std::ostream& err)
{
    if (path.empty())
        return {.data = std::nullopt, .error = ExplorerReadError::CannotRead, .trackCount = 0};
    std::ostream quiet(nullptr);
    TrackList list;
    const bool parsed = ifoParse(path, list, quiet, err);
    return FromTrackList(parsed, list, trackLines, focusedTrack);
}

} // namespace ratewise
