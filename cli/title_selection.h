// SPDX-License-Identifier: GPL-3.0-or-later
// SOURCE with `--title T` or `--track N` (and `--title-set S`), shared by `stream` and `plan`: the
// disc, folder, image or title set, loaded through the one load path, and the title to read with
// its cells.
#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/title_set_input.h"
#include "disc/title_set_load.h"
#include "encode/title_location.h"
#include "ifo/cells.h"
#include "ifo/title_set_info.h"

namespace ratewise::cli {

struct TitleSelection {
    std::string source;
    DiscChoice disc;
    int track = 0;
};

// With `sources`, SOURCE may be given more than once (the discs of a season) and goes there; the
// command then sets selection.source itself.
void AddTitleSelectionOptions(CLI::App& command, TitleSelection& selection,
                              std::vector<std::string>* sources = nullptr);

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

// Loads the set and opens the title. On failure prints one line and sets `status`: usage (2) for a
// set, title or track the disc does not have, bad input (3) for a source that is missing or not a
// DVD.
std::optional<SelectedTitle> OpenSelectedTitle(const TitleSelection& selection, std::ostream& err,
                                               int& status);

} // namespace ratewise::cli
