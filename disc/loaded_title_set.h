// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window holds of the last title-set load, for the windows that work on it
// (chapters, bitrate explorer, project): the track tables, the track with the list's focus, the
// path the user gave and the load itself, which serves the title set's information file.
#pragma once

#include <QString>

#include <vector>

#include "disc/title_set_load.h"
#include "ifo/track_list.h"

namespace ratewise {

struct LoadedTitleSet {
    const TrackList& tracks;
    // The list's focused entry when it is a track (it need not be selected); -1 otherwise.
    int focusedTrack;
    const QString& ifoPath;
    // The last load when it succeeded; nothing after a failed one.
    const TitleSetLoad* load = nullptr;
    // The selected tracks, in list order (the calculator's duration is their sum).
    std::vector<int> selectedTracks = {};
};

} // namespace ratewise
