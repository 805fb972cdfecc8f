// SPDX-License-Identifier: GPL-3.0-or-later
// The disc's video manager (VIDEO_TS.IFO): the number of title sets and the provider named in its
// header (VMGI_MAT), and the title table (TT_SRPT) that says, for each title a player offers, which
// title set holds it, its number within that set, its angles and its chapters.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ifo/be_view.h"

namespace ratewise {

struct DiscTitleEntry {
    int angles = 0;
    int chapters = 0;   // parts of title, as the title table counts them
    int titleSet = 0;   // 1-based
    int titleInSet = 0; // 1-based, the index into the set's part-of-title table
    bool operator==(const DiscTitleEntry&) const = default;
};

struct VideoManagerInfo {
    int titleSetCount = 0;
    std::string provider;               // printable ASCII, cut at the first zero byte
    std::vector<DiscTitleEntry> titles; // title 1 first
};

// Decodes a whole video-manager file held in ifo. Nothing when it is not one ("DVDVIDEO-VMG"),
// names no title set or more than 99, or its title table lies outside the file, holds no title,
// more than 99, or a title whose set is 0 or beyond the set count or whose number in the set is 0.
std::optional<VideoManagerInfo> ParseVideoManager(BeView ifo);

} // namespace ratewise
