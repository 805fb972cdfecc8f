// SPDX-License-Identifier: GPL-3.0-or-later
// Runs what a user opens (a title-set information file, a disc's VIDEO_TS.IFO, a folder or an
// image) through the one load path (disc/title_set_load.h) and everything the window does with
// the loaded set: the reader's decoders and the time-map pass, the track list (entries, each track's report,
// the sum of every track), the video, audio and subs reports, each track's bitrate profile,
// each track's chapters in every form and their split over the calculator's media, and the aspect
// reads of the project dialog and command.
// Used by the hostile-file test and the load-path fuzz target; whatever the file holds, this
// must neither crash, overrun nor hang.
#pragma once

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "chapters/optimal_split.h"
#include "ifo/stream_reports.h"
#include "ifo/track_list.h"
#include "ifo/track_texts.h"
#include "project/vcd_project_opening.h"
#include "project/vcd_project_settings.h"
#include "tests/ifo/exercise_reader.h"

namespace ratewise::test_support {

struct TrackChapters {
    int track = 0;      // from 0
    int mediaCount = 0; // the calculator's count the split was asked for
    ChapterList chapters;
    std::vector<std::string> texts; // the box text in each of the three forms
    SplitPlan split;
    // The chapter files and split plans for the cutting tools, when the player's chapters could
    // be read.
    std::vector<std::string> fileTexts;
};

struct LoadOutcome {
    ReaderOutcome reader;
    // The track list as the window loads it, and what it shows of it.
    bool parsed = false;
    TrackList tracks;
    std::vector<std::string> entries;
    std::vector<std::string> trackReports;              // of the walked tracks
    std::optional<TrackDuration> allTracks;             // every listed track selected
    std::vector<std::optional<InfoReport>> infoReports; // video, audio, subs
    // The Bitrate Explorer's profile of each walked track that has one, 400 columns wide.
    static constexpr int kProfileWidth = 400;
    std::vector<std::vector<int>> profiles;
    // The walked tracks whose chapters could be built, as the Chapters window opens them.
    std::vector<TrackChapters> chapters;
    // The project dialog's opening read, and the project command's read with what it printed.
    std::optional<VcdProjectOpening> vcdOpening;
    std::optional<VcdSource> vcdSource;
    std::string vcdError;
};

// The per-track work (report, profile, chapters and split) is the same for every track. The
// hostile-file test walks every track; the fuzz target walks the first few and the last, since
// inputs it grows to hundreds of tracks would otherwise spend most of each run on repeats.
constexpr int kEveryTrack = std::numeric_limits<int>::max();

// Which of `count` tracks get the per-track work: the first `firstTracks`, and the last.
std::vector<int> TracksToWalk(int count, int firstTracks);

LoadOutcome RunLoadPath(const std::string& path, int firstTracks = kEveryTrack);

} // namespace ratewise::test_support
