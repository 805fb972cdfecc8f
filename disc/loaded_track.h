// SPDX-License-Identifier: GPL-3.0-or-later
// One track of a loaded title set, opened for reading: the set's information file parsed again
// (the load keeps the track list, not the tables) and the track's cells. The command line's
// commands and the window's encode plan open a track through it, so a missing table or track
// fails the same way everywhere.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "disc/title_set_load.h"
#include "ifo/cells.h"
#include "ifo/title_set_info.h"

namespace ratewise {

struct LoadedTrack {
    std::unique_ptr<TitleSetInfo> info;
    int track = 0;   // the program chain, from 0
    bool pal = true; // the set's video standard, from its video attributes
    std::vector<CellEntry> cells;
};

enum class TrackOpenFailure {
    None,
    CannotOpen,  // the information file cannot be opened again
    NotTitleSet, // it opens, but the reader takes it for no title set
    NoSuchTrack, // the set has no such track
    NoCells,     // the track's cells cannot be read (a track may have none: that is no failure)
};

struct TrackOpening {
    std::optional<LoadedTrack> opened;
    TrackOpenFailure failure = TrackOpenFailure::None;
    int trackCount = 0; // the set's tracks, once its information file is read
};

// Opens `track` (from 0) of the loaded set.
TrackOpening OpenLoadedTrack(const TitleSetLoad& load, int track);

} // namespace ratewise
