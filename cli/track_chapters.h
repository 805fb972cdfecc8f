// SPDX-License-Identifier: GPL-3.0-or-later
// The chapter list of the track a command line names (FILE, the disc choice and --track).
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "chapters/chapter_list.h"
#include "cli/title_selection.h"

namespace ratewise::cli {

struct TrackChapters {
    std::optional<ChapterList> chapters;
    FailureKind status = FailureKind::None; // why there are no chapters
    bool pal = true;                        // the title set's video standard
    // With the chapters: the load they came from and the track, from 1, they belong to.
    std::optional<TitleSetLoad> load;
    int track = 0;
};

// Opens the selected track (OpenSelectedTrack, the reader's diagnostics left out) and builds its
// chapters, with the cell count and running time of its program chain. On failure prints one
// error line and gives the status.
TrackChapters ReadTrackChapters(const TitleSelection& selection, std::ostream& err);

} // namespace ratewise::cli
