// SPDX-License-Identifier: GPL-3.0-or-later
// The chapter list of a track named on the command line: FILE, the disc choice and a track number
// from 1.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "chapters/chapter_list.h"
#include "cli/title_set_input.h"

namespace ratewise::cli {

struct TrackChapters {
    std::optional<ChapterList> chapters;
    int status = 0;  // the exit status when there are no chapters
    bool pal = true; // the title set's video standard
    // With the chapters: the load they came from and the track, from 1, they belong to.
    std::optional<TitleSetLoad> load;
    int track = 0;
};

// Loads the chosen title set of `path` and builds the chapters of track `trackNumber` (counting
// from 1; 0: the track playing --title), with the cell count and running time of the track's
// program chain. On failure prints one error line and gives the status: bad input (3) when the
// file cannot be opened, is not a title set or the track's cells cannot be read; usage (2) when
// the title set has no such track or the disc no such set or title.
TrackChapters ReadTrackChapters(const std::string& path, const DiscChoice& choice, int trackNumber,
                                std::ostream& err);

} // namespace ratewise::cli
