// SPDX-License-Identifier: GPL-3.0-or-later
// SOURCE with `--title T` or `--track N`, shared by `stream` and `plan`: the disc folder (or its
// VIDEO_TS.IFO or VTS_xx_0.IFO) and the title to read, opened with its cells.
#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "encode/title_location.h"
#include "ifo/cells.h"
#include "ifo/title_set_info.h"

namespace ratewise::cli {

struct TitleSelection {
    std::string source;
    int title = 0;
    int track = 0;
};

void AddTitleSelectionOptions(CLI::App& command, TitleSelection& selection);

struct SelectedTitle {
    TitleLocation location;
    std::unique_ptr<TitleSetInfo> info;
    std::vector<CellEntry> cells;
    bool pal = true;
};

// Finds and opens the title. On failure prints one line and sets `status`: usage (2) for a
// title or track the disc does not have or when neither was given, bad input (3) for a source
// that is missing or not a DVD.
std::optional<SelectedTitle> OpenSelectedTitle(const TitleSelection& selection, std::ostream& err,
                                               int& status);

} // namespace ratewise::cli
