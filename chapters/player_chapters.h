// SPDX-License-Identifier: GPL-3.0-or-later
// The chapters a DVD player shows for a track, at exact times: the parts of the title that plays
// the track's program chain (the title set's part-of-title table names each part's program
// chain and program). A track that no title plays has one chapter per program instead.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/exact_time.h"
#include "ifo/part_of_title_table.h"
#include "ifo/title_set_info.h"

namespace ratewise {

struct PlayerChapters {
    FrameRate rate = kPalFrameRate;
    // Where each chapter starts, in frames from the track's start.
    std::vector<std::int64_t> starts;
    // The track's end in frames: the sum of its cells' playback times.
    std::int64_t end = 0;
    // Where each cell of the track starts, in frames (a cell of a second or later angle starts
    // where its block does and adds no time: a player plays one angle).
    std::vector<std::int64_t> cellStarts;
};

// Frames a DVD time code counts per second: 30 for NTSC (its video runs at 30000/1001), 25 else.
int NominalFramesPerSecond(const TitleSetInfo& info);
FrameRate TrueFrameRate(const TitleSetInfo& info);

// The chapters of track `track` (counting from 0). `titles` is the title set's part-of-title
// table, nothing when it has none or it cannot be read. Nothing when the track's cells cannot be
// read. Parts naming a program the track does not have are left out.
std::optional<PlayerChapters> BuildPlayerChapters(const TitleSetInfo& info,
                                                  const std::optional<std::vector<TitleParts>>& titles,
                                                  int track);

// The same from a title-set information file, opened afresh and let go before returning.
std::optional<PlayerChapters> ReadPlayerChapters(const std::string& ifoPath, int track);
// The same from a title-set information file in source (a disc's set, served by the load path).
std::optional<PlayerChapters> ReadPlayerChapters(ByteSource& source, int track);

} // namespace ratewise
