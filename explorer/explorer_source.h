// SPDX-License-Identifier: GPL-3.0-or-later
// The explorer's snapshot of a title set on disk, read the way the track list's load reads it:
// each program chain's running time, then the time map pass over the same file.
#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "explorer/explorer_data.h"

namespace ratewise {

// Declared only: the reader's headers use names that Qt defines as macros.
class ByteSource;

enum class ExplorerReadError {
    None,
    CannotRead,  // the file cannot be opened or is not a title set
    NoTimeMap,   // the title set has no time map table, or it holds no map
    NoSuchTrack, // the focused index is not one of the tracks
};

struct ExplorerRead {
    std::optional<ExplorerData> data;
    ExplorerReadError error = ExplorerReadError::None;
    int trackCount = 0; // tracks with both a map and a running time
};

// Builds the snapshot with `trackLines` as the track names and `focusedTrack` (from 0) shown
// first. The reader's low-level messages go to `err`; the pass's heading is not printed.
ExplorerRead ReadExplorerData(ByteSource& source, std::span<const std::string> trackLines, int focusedTrack,
                              std::ostream& err);
ExplorerRead ReadExplorerData(const std::string& path, std::span<const std::string> trackLines,
                              int focusedTrack, std::ostream& err);

} // namespace ratewise
