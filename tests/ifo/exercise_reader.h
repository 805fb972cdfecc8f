// SPDX-License-Identifier: GPL-3.0-or-later
// Runs every decoder of the title-set reader over a block of bytes: open, every PGC's time and
// cells, the stream attributes and counts, then the time-map pass. Used by the malformed-file
// tests and the fuzz target; whatever the bytes, this must neither crash nor overrun.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "ifo/cells.h"
#include "ifo/time_map.h"

namespace ratewise::test_support {

struct ReaderOutcome {
    bool opened = false;
    std::size_t pgcTableBytes = 0;
    int pgcCount = 0;
    int cellsDecoded = 0; // PGCs whose cells decoded
    // Per PGC, for the first kMaxTimeMaps PGCs (the track list's capacity); the cells are empty
    // when ifoGetCells failed. Later PGCs only have their playback time read.
    std::vector<PlaybackTime> times;
    std::vector<std::vector<CellEntry>> cells;
    std::size_t nameBytes = 0; // total length of every name the stream decoders gave
    int audioStreams = 0;
    int subpictureStreams = 0;
    TimeMapData timeMap;
    std::size_t largestTableBytes = 0; // largest buffer ifoOpenTables made
};

ReaderOutcome ExerciseReader(std::span<const std::uint8_t> bytes);

} // namespace ratewise::test_support
