// SPDX-License-Identifier: GPL-3.0-or-later
// Reading FILE for the commands that work on a title set: the track list as the window's load
// makes it, or one line on stderr saying why there is none.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "ifo/track_list.h"

namespace ratewise::cli {

// True when path names a regular file this process can open for reading. Otherwise prints
// "ratewise-cli: <path>: <why>" to err ("empty path", "no such file", "is a directory", "not a
// regular file" or the system's reason) and returns false. The test never blocks: a FIFO is
// refused, not opened.
bool CheckReadableFile(const std::string& path, std::ostream& err);

// Loads the title set at path. When it is missing, cannot be read or is not a title-set
// information file, prints "ratewise-cli: <path>: <why>" to err and returns nothing (the caller
// exits with kExitBadInput). The reader's own diagnostics also go to err; its progress lines are
// dropped, so the output holds only what the command prints.
std::optional<TrackList> LoadTitleSet(const std::string& path, std::ostream& err);

} // namespace ratewise::cli
