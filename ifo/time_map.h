// SPDX-License-Identifier: GPL-3.0-or-later
// The time map (VTS_TMAPTI): for every program chain, the sector playback has reached at each
// multiple of a time unit. ifoReadTimeMap decodes it into TimeMapData with one average video
// bitrate per program chain; ifoRunTimeMapPass does the whole pass from a file or source.
// The bitrate profile reads mapOffsets, words, mapTimeUnits and averageKbps.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "ifo/byte_source.h"

namespace ratewise {

// Declared, not included: TimeMapData travels into window code, where Qt's "slots" keyword
// would clash with the tables' member of that name.
struct TitleSetTables;

// Fixed capacities the rest of the program relies on: maps beyond the first 100 and words beyond
// the first 65,536 are not decoded.
inline constexpr int kMaxTimeMaps = 100;
inline constexpr int kMaxTimeMapWords = 65536;

struct TimeMapData {
    // Maps decoded, at most kMaxTimeMaps; every per-map vector below has this many entries
    // (mapOffsets one more).
    int mapCount = 0;
    // Maps the table says it has (may exceed mapCount); word addressing depends on it.
    int declaredMapCount = 0;
    std::int32_t endAddress = 0; // the table's end address (offset of its last byte)
    // Offset of each decoded map from the table start, then a closing boundary: endAddress - 4
    // after the table's last map, or the next map's offset when the table has more maps than
    // were decoded.
    std::vector<std::int32_t> mapOffsets;
    // Seconds between entries, from the byte that starts the first map; 0 is taken as 1.
    std::int32_t timeUnit = 1;
    // Each map's own time unit (the byte at its offset; 0 as 1). Discs set it per program chain,
    // so a track's profile must use its own.
    std::vector<std::int32_t> mapTimeUnits;
    // Every 4-byte word of the table from the first entry of the first map to the table's end,
    // host order, discontinuity bit cleared. Word j is the table's word at 12 + 4 x
    // declaredMapCount + 4 x j, so the headers of later maps stand among the words too.
    std::vector<std::int32_t> words;
    // Average video bitrate per map in kbit/s (1 kbit = 1024 bits).
    std::vector<std::int32_t> averageKbps;
};

// Decodes the time map of tables (slot 4) into data, writing the pass's heading to out.
// pgcSeconds gives each program chain's playback time in whole seconds (a missing one counts as
// 0). When the table is missing, nothing is written and data keeps its previous contents.
void ifoReadTimeMap(const TitleSetTables& tables, std::span<const std::int32_t> pgcSeconds, TimeMapData& data,
                    std::ostream& out);

// Opens the tables of source (or of the file at path), decodes the time map and frees the tables.
// When the tables cannot be opened, data is left as it was.
void ifoRunTimeMapPass(ByteSource& source, std::span<const std::int32_t> pgcSeconds, TimeMapData& data,
                       std::ostream& out, std::ostream& err);
void ifoRunTimeMapPass(const std::string& path, std::span<const std::int32_t> pgcSeconds, TimeMapData& data,
                       std::ostream& out, std::ostream& err);

} // namespace ratewise
