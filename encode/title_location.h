// SPDX-License-Identifier: GPL-3.0-or-later
// Where a title of a DVD folder lives: its title set's files and program chain, and its number in
// the disc's title table (the number HandBrakeCLI's -t takes). The encode plans and `stream` work
// from this; a folder holding VIDEO_TS, the VIDEO_TS folder, VIDEO_TS.IFO and VTS_xx_0.IFO are
// understood.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ratewise {

struct TitleLocation {
    std::string videoTsDir;  // the folder holding the IFO and VOB files
    std::string titleSetIfo; // its VTS_xx_0.IFO
    int titleSet = 0;        // xx
    int programChain = 0;    // the title's program chain in the set, counting from 0
    int title = 0;           // the disc's title number; 0 when the disc has no title table for it
};

struct TitleLookup {
    std::optional<TitleLocation> location;
    std::string why;    // one line when there is no location
    bool usage = false; // the source is fine but has no such title or track (a usage error)
};

// How the user named what to read: a title of the disc (`--title T`) or a track (program chain)
// of the title set (`--track N`, the set the source names, else set 1). Numbers count from 1.
struct TitleChoice {
    bool byTitle = false;
    int number = 0;
};

TitleLookup LocateTitle(const std::string& source, TitleChoice choice);

// The disc's title table (VIDEO_TS.IFO, TT_SRPT): for title T at position T - 1, its title set
// and its title number inside that set. Nothing when the file is not a video-manager file or the
// table lies outside it.
struct DiscTitle {
    int titleSet = 0;
    int titleInSet = 0;
};
std::optional<std::vector<DiscTitle>> ReadDiscTitles(const std::string& videoManagerIfo);

} // namespace ratewise
