// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/loaded_track.h"

#include "ifo/program_chain.h"
#include "ifo/video_attributes.h"

namespace ratewise {

TrackOpening OpenLoadedTrack(const TitleSetLoad& load, int track)
{
    TrackOpening opening;
    std::unique_ptr<ByteSource> source = load.OpenIfo();
    if (!source) {
        opening.failure = TrackOpenFailure::CannotOpen;
        return opening;
    }
    LoadedTrack loaded;
    loaded.info = ifoOpen(*source);
    if (!loaded.info) {
        opening.failure = TrackOpenFailure::NotTitleSet;
        return opening;
    }
    opening.trackCount = ifoGetPGCCount(loaded.info.get());
    if (track < 0 || track >= opening.trackCount) {
        opening.failure = TrackOpenFailure::NoSuchTrack;
        return opening;
    }
    std::optional<std::vector<CellEntry>> cells = ifoGetCells(loaded.info.get(), track);
    if (!cells) {
        opening.failure = TrackOpenFailure::NoCells;
        return opening;
    }
    loaded.track = track;
    loaded.cells = std::move(*cells);
    const std::optional<VideoAttributes> video = ifoGetVideoAttributes(loaded.info.get());
    loaded.pal = video && video->pal;
    opening.opened = std::move(loaded);
    return opening;
}

} // namespace ratewise
