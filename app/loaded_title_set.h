// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window holds of the last title-set load, for the windows that work on it
// (chapters, bitrate explorer, project): the track tables, the track with the list's focus and
// the file's path.
#pragma once

#include <QString>

#include "ifo/track_list.h"

namespace ratewise {

struct LoadedTitleSet {
    const TrackList& tracks;
    // The list's focused entry when it is a track (it need not be selected); -1 otherwise.
    int focusedTrack;
    const QString& ifoPath;
};

} // namespace ratewise
