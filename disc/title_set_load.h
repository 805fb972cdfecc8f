// SPDX-License-Identifier: GPL-3.0-or-later
// The one load path. Whatever the user gave (a title set's VTS_xx_0.IFO, a disc's VIDEO_TS.IFO, a
// folder, an image or a drive) and whichever title set or title they asked for, LoadTitleSet gives
// the title set loaded as the window's track list shows it, or one short reason why not. The
// window, ratewise-cli, the hostile-file test and the load-path fuzz target all load through it.
//
// What the load keeps for the work that follows:
// - OpenIfo(): the title set's information file as a byte source, for the reports, chapters, the
//   Bitrate Explorer and the project. A lone VTS_xx_0.IFO is opened afresh from its path each
//   time, as before; a set on a disc is served from the bytes the load read.
// - OpenTitleVobs(): the set's title VOBs (VTS_xx_1.VOB ... VTS_xx_9.VOB, in a folder, inside an
//   image or on a drive) as one contiguous byte source: byte k * 2048 is the set's title sector k,
//   the address space of its cells. Nothing when the set has no VTS_xx_1.VOB.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "disc/opened_disc.h"
#include "ifo/byte_source.h"
#include "ifo/track_list.h"

namespace ratewise {

struct TitleSetRequest {
    int titleSet = 0; // 0: the set holding the disc's longest title
    // A disc title number; 0: none. Picks the set and the track playing it. Without a video
    // manager, each set numbers its own titles: title T of the chosen (else the default) set.
    int title = 0;
    // With neither a title nor a track asked for: the disc's main title (the main title of
    // `titleSet` when that is given).
    bool mainTitle = false;
};

struct TitleSetLoad {
    std::shared_ptr<const OpenedDisc> disc;
    int titleSet = 0;
    std::string name; // the information file: the path of a lone set, else source + "/VTS_xx_0.IFO"
    TrackList tracks;
    int titleTrack = -1; // from 0: the track playing the requested title's first chapter; -1 without
    int mainTitle = 0;   // the main title taken for a request that named none; 0 otherwise

    std::unique_ptr<ByteSource> OpenIfo() const;
    // Nothing when the set has no title VOBs or one cannot be opened; `why` then says which.
    std::unique_ptr<ByteSource> OpenTitleVobs(std::string* why = nullptr) const;
};

enum class LoadFailure {
    None,
    BadInput,  // nothing readable: missing, unreadable, not a title set, a damaged disc
    NoSuchSet, // the disc has no such title set or title (a usage error on the command line)
    NoTitle,   // a main title was asked for and the disc (or set) has none: name a track
};

struct TitleSetLoadResult {
    std::optional<TitleSetLoad> load;
    LoadFailure failure = LoadFailure::None;
    std::string why; // one short reason when there is no load
};

// Loads the requested set of an opened disc. The reader's progress goes to out ("Parsing ..."),
// its diagnostics to err.
// `start` is the track list the parse fills in, as ifoParse fills a list: tables the title set
// lacks (a time map) keep the values they had.
TitleSetLoadResult LoadTitleSet(std::shared_ptr<const OpenedDisc> disc, TitleSetRequest request,
                                std::ostream& out, std::ostream& err, TrackList start = {});

// Opens and lists what path names, then loads the requested set.
TitleSetLoadResult LoadTitleSet(const std::string& path, TitleSetRequest request, std::ostream& out,
                                std::ostream& err);

} // namespace ratewise
