// Reading FILE for the commands that work on a title set: the track list as the window's load
// makes it, or one line on stderr saying why there is none.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "ifo/track_list.h"

namespace ratewise::cli {

// Loads the title set at path. When it is missing, cannot be read or is not a title-set
// information file, prints "ratewise-cli: <path>: <why>" to err and returns nothing (the caller
// exits with kExitBadInput). The reader's own diagnostics also go to err; its progress lines are
// dropped, so the output holds only what the command prints.
std::optional<TrackList> LoadTitleSet(const std::string& path, std::ostream& err);

} // namespace ratewise::cli
