// SPDX-License-Identifier: GPL-3.0-or-later
// Where a title lives on a loaded disc, as the encode plans name it: its title set and program
// chain, its number in the disc's title table (HandBrakeCLI's -t) and what HandBrakeCLI opens
// (the disc folder, or the image or drive itself).
#pragma once

#include <optional>
#include <string>

#include "disc/title_set_load.h"

namespace ratewise {

struct TitleLocation {
    int titleSet = 0;
    int programChain = 0; // the track, counting from 0
    int title = 0;        // the disc's title that starts with this track; 0 when none does
    std::string handBrakeInput;
};

// The location of track `track` (from 0) of the loaded set.
TitleLocation LocateTrack(const TitleSetLoad& load, int track);

} // namespace ratewise
