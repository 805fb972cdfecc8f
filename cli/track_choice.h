// SPDX-License-Identifier: GPL-3.0-or-later
// `--ifo FILE --tracks 1,3` of the calc command: the tracks a user selects in the window's track
// list after loading FILE, whose summed running time becomes the duration.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/title_set_input.h"
#include "common/failure_kind.h"
#include "ifo/track_texts.h"

namespace ratewise::cli {

struct TrackChoice {
    std::string ifoPath;
    std::string tracks; // "1,3"; empty: the first track, which a load selects (or --title's track)
    DiscChoice disc;
    bool Chosen() const { return !ifoPath.empty(); }
};

// Track numbers from 1, separated by commas. Sets `why` and returns nothing for anything else.
std::optional<std::vector<int>> ParseTrackNumbers(const std::string& text, std::string& why);

// Adds --ifo, --tracks, --title-set and --title; they exclude the typed duration (--hours, --minutes,
// --seconds), which `command` must already have.
void AddTrackChoiceOptions(CLI::App& command, TrackChoice& choice);

// Loads the title set and sums the chosen tracks. On failure prints one line to err, sets
// `status` (FailureKind::BadInput for the file, FailureKind::Usage for a track it does not have) and returns
// nothing.
std::optional<TrackDuration> ChooseTracks(const TrackChoice& choice, std::ostream& err, FailureKind& status);

} // namespace ratewise::cli
