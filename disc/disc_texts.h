// SPDX-License-Identifier: GPL-3.0-or-later
// The lines that list a disc, shared by `ratewise-cli disc` and the window's title-set chooser, and
// the notes on what it lacks.
#pragma once

#include <string>

#include "disc/opened_disc.h"

namespace ratewise {

// "Title 3: 01:42:10 .12, title set 2, track 1, 28 chapters, 1 angle", with " (longest)" after
// the disc's longest title, " (main title)", " (play all: titles 1-4)" and " (same as title 2)"
// where they apply. The time is the track list's form of the title's first track. A title
// whose set is missing: "Title 9: missing, title set 4, 2 chapters, 1 angle" (the table's counts).
std::string DiscTitleLine(const OpenedDisc& disc, const DiscTitle& title);

// "title set 7 of the title table is missing; titles 9-11 are skipped": the note on a set the
// title table names that could not be read, naming the titles it holds.
std::string MissingTitleSetNote(const OpenedDisc& disc, const MissingTitleSet& set);

// The line above the titles of a disc without a video manager, whose sets number their titles.
inline constexpr const char* kTitlesBySetLine =
    "No video manager (VIDEO_TS.IFO): each title set numbers its own titles";

// "play all: titles 1-4" or "same as title 2" for a title that plays other titles' cells; empty
// otherwise.
std::string TitleStructureText(const DiscTitle& title);

// "Episodes: titles 1-4" (with " of title set 2" when each set numbers its titles); empty when the
// disc has none.
std::string EpisodesLine(const OpenedDisc& disc);

// "Title set 2: VTS_02_0.IFO, 3 tracks, 2 audio streams, 1 subpicture stream".
std::string TitleSetLine(const TitleSetFile& set);

} // namespace ratewise
