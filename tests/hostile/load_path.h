// Runs one title-set information file through everything the window does when the user opens
// it: the reader's decoders and the time-map pass, and the aspect read of the project command.
// Used by the hostile-file test and the load-path fuzz target; whatever the file holds, this
// must neither crash, overrun nor hang.
#pragma once

#include <optional>
#include <string>

#include "project/vcd_project_settings.h"
#include "tests/ifo/exercise_reader.h"

namespace ratewise::testing {

struct LoadOutcome {
    ReaderOutcome reader;
    // The project command's read of the video standard and aspect code, and what it printed.
    std::optional<VcdSource> vcdSource;
    std::string vcdError;
};

LoadOutcome RunLoadPath(const std::string& path);

} // namespace ratewise::testing
