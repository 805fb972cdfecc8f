// SPDX-License-Identifier: GPL-3.0-or-later
// The lines that list a disc, shared by `ratewise-cli disc` and the window's title-set chooser.
#pragma once

#include <string>

#include "disc/opened_disc.h"

namespace ratewise {

// "Title 3: 01:42:10 .12, title set 2, track 1, 28 chapters, 1 angle", with " (longest)" after
// the disc's longest title. The time is the track list's form of the title's first track.
std::string DiscTitleLine(const OpenedDisc& disc, const DiscTitle& title);

// "Title set 2: VTS_02_0.IFO, 3 tracks, 2 audio streams, 1 subpicture stream".
std::string TitleSetLine(const TitleSetFile& set);

} // namespace ratewise
