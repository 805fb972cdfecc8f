// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the chapters of one track for `chapters` and `split`.
#include "cli/track_chapters.h"

#include "chapters/chapter_list_builder.h"
#include "cli/cli.h"
#include "common/string_format.h"

namespace ratewise::cli {

TrackChapters ReadTrackChapters(const TitleSelection& selection, std::ostream& err)
{
    // The chapters are read from the title set's tables; the track list's diagnostics are not ours.
    std::ostream quiet(nullptr);
    TrackChapters read;
    std::optional<SelectedTrack> opened = OpenSelectedTrack(selection, err, quiet, read.status);
    if (!opened)
        return read;
    const int track = opened->track.track;
    read.chapters = BuildChapterListOfTrack(*opened->track.info, track);
    read.pal = ChapterFrameRate(*opened->track.info) == 25.0;
    if (!read.chapters) {
        PrintError(err, selection.source, StringPrintf("cannot read the cells of track %d", track + 1));
        read.status = FailureKind::BadInput;
        return read;
    }
    read.load = std::move(opened->load);
    read.track = track + 1;
    return read;
}

} // namespace ratewise::cli
