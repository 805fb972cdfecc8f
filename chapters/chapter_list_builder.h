// SPDX-License-Identifier: GPL-3.0-or-later
// Builds a track's ChapterList from its cells: a chapter begins at the first cell of each new
// program, and its start is the running sum of the playback times of the cells before it.
#pragma once

#include <optional>
#include <string>

#include "chapters/chapter_list.h"
#include "ifo/program_chain.h"
#include "ifo/title_set_info.h"

namespace ratewise {

// Frames per second for the chapter forms: 29.97 for an NTSC title set (video standard bits 00),
// 25 for anything else. The time codes themselves count 30 NTSC frames per second.
double ChapterFrameRate(const TitleSetInfo& info);

// The chapters of track `track` (counting from 0), whose cell count and running time come from
// the track list. Nothing when the track's cells cannot be read (no such track, its tables lie
// outside the file, or `cellCount` is smaller than the track's own count).
std::optional<ChapterList> BuildChapterList(const TitleSetInfo& info, int track, int cellCount,
                                            const PlaybackTime& runningTime);

// The same from a path: the file is opened afresh and let go before returning. Nothing as above,
// or when the file cannot be opened or is not a title set.
std::optional<ChapterList> BuildChapterList(const std::string& ifoPath, int track, int cellCount,
                                            const PlaybackTime& runningTime);

// For callers without a track list: the cell count and running time are read from the track's
// program chain first.
std::optional<ChapterList> BuildChapterListOfTrack(const TitleSetInfo& info, int track);

} // namespace ratewise
