// SPDX-License-Identifier: GPL-3.0-or-later
// FILE (or SOURCE) with `--track N`, `--title-set S` and `--title T`: how every command that reads
// a track of a title set declares them, and the one function that loads what they name and opens
// the track (`chapters`, `split`, `stream`, `plan`; `profile`, `tracks` and `info` declare them
// here too).
#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/title_set_input.h"
#include "disc/loaded_track.h"
#include "disc/title_set_load.h"
#include "encode/title_location.h"
#include "ifo/cells.h"
#include "ifo/title_set_info.h"

namespace ratewise::cli {

struct TitleSelection {
    std::string source;
    DiscChoice disc;
    int track = 0; // from 1; 0: the track of --title, else the disc's main title
};

inline constexpr const char* kTitleSetFileHelp =
    "Title-set information file (VTS_xx_0.IFO), or a disc: VIDEO_TS.IFO, folder, image, drive; - "
    "reads a title set from standard input";

// How a command names and explains its input.
struct TitleSelectionForm {
    const char* name = "FILE";
    const char* help = kTitleSetFileHelp;
    const char* trackHelp = "Track number, from 1"; // nullptr: the command takes no --track
    // False: the input may be left out (the command has another source of chapters); --track,
    // --title and --title-set then need it.
    bool required = true;
    // True: --track and --title may not be given together (else --title picks the set and
    // --track the track in it).
    bool trackOrTitle = false;
    // Set: the input may be given more than once (the discs of a season) and goes there; the
    // command then sets selection.source itself.
    std::vector<std::string>* sources = nullptr;
};

// The input of `stream` and `plan`: the title to encode.
inline constexpr TitleSelectionForm kSourceForm{.name = "SOURCE",
                                                .help =
                                                    "DVD folder, image, drive, VIDEO_TS.IFO or VTS_xx_0.IFO",
                                                .trackHelp = "Track (program chain) of the title set, from 1",
                                                .required = true,
                                                .trackOrTitle = true,
                                                .sources = nullptr};

// Declares the input, --track (when the form has one), --title-set and --title, in that order.
// Without --track and --title the command takes the disc's main title (DiscChoice::mainTitle).
// Returns the input's option.
CLI::Option* AddTitleSelectionOptions(CLI::App& command, TitleSelection& selection,
                                      const TitleSelectionForm& form = {});

// A loaded set with one track open.
struct SelectedTrack {
    TitleSetLoad load;
    LoadedTrack track;
};

// Loads the set the selection names and opens its track. On failure prints one line and sets
// `status`: usage (2) for a set, title or track the disc does not have, bad input (3) for a source
// that is missing or not a DVD, or a track whose cells cannot be read. The reader's own
// diagnostics go to `diagnostics`.
std::optional<SelectedTrack> OpenSelectedTrack(const TitleSelection& selection, std::ostream& err,
                                               std::ostream& diagnostics, FailureKind& status);

struct SelectedTitle {
    TitleSetLoad load;
    TitleLocation location;
    std::unique_ptr<TitleSetInfo> info;
    std::vector<CellEntry> cells;
    bool pal = true;
    // The disc title as `stream` and the encoders are told it: by number (--title), or by its
    // set and track where the disc numbers titles by set or none was named.
    bool byTitle = false;
    int number = 0;
};

// The selected track as `stream` and `plan` read it: with its cells (it must have some) and where
// the disc and the encoders find it. Fails as OpenSelectedTrack does.
std::optional<SelectedTitle> OpenSelectedTitle(const TitleSelection& selection, std::ostream& err,
                                               FailureKind& status);

} // namespace ratewise::cli
