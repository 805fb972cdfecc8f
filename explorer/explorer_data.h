// SPDX-License-Identifier: GPL-3.0-or-later
// ExplorerData: the snapshot of a loaded title set that the Bitrate Explorer works on, taken when
// "Bitrate Informations" is pressed and owned by the window until it closes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/rgb.h"

namespace ratewise {

// The time map of a load (ifo/time_map.h). Only declared here: the reader's headers use names
// that Qt defines as macros, and this header is also read by the window's code.
struct TimeMapData;
struct TrackList;

// Chart colours at every opening of the window, and the fixed grid colour.
inline constexpr Rgb kDefaultBackgroundColour{255, 255, 255};
inline constexpr Rgb kDefaultAxisColour{0, 0, 128};
inline constexpr Rgb kDefaultCurveColour{255, 0, 0};
inline constexpr Rgb kGridColour{192, 192, 192};

struct ExplorerData {
    // The decoded time map words, all maps one after another in file order (top bit cleared).
    std::vector<std::int32_t> words;
    // Offset of each map in the time map table, then the closing boundary as TimeMapData has it.
    std::vector<std::int32_t> mapOffsets;
    // How many entries of each map lie inside the map and among the decoded words; the profile
    // never reads an entry at or beyond this count.
    std::vector<std::int32_t> entryCounts;
    // The time unit of the first map, as the file states it (0 taken as 1).
    std::int32_t timeUnit = 1;
    // Each map's own time unit (0 taken as 1). Discs set it per program chain, so a track's
    // profile divides by its own unit, not the first map's.
    std::vector<std::int32_t> timeUnits;
    std::vector<std::int32_t> averageKbps;     // per track, kbit/s, as the time map pass gives it
    std::vector<std::int32_t> durationSeconds; // per track, whole seconds of the running time
    std::vector<std::string> trackNames;       // the main window's track list lines, in order
    int trackCount = 0;
    int currentTrack = 0;
    Rgb backgroundColour = kDefaultBackgroundColour;
    Rgb axisColour = kDefaultAxisColour;
    Rgb curveColour = kDefaultCurveColour;

    // The time unit the profile of `track` divides by.
    std::int32_t TimeUnitOf(int track) const;
    // Entry k of `track`'s map; nothing when it lies beyond the map or the decoded words.
    std::optional<std::int32_t> Entry(int track, std::int64_t k) const;
};

// Takes the snapshot from the last load: its time map, each track's running time in whole seconds
// and each track's line in the main window's list, with `focusedTrack` (from 0) shown first.
// A track needs both a map and a running time, so there are as many tracks as the smaller of the
// two counts; a missing line leaves the name empty. Nothing when no time map was loaded or the
// focused index is not one of those tracks (-1: no entry has the focus).
std::optional<ExplorerData> BuildExplorerData(const TimeMapData& timeMap,
                                              std::span<const std::int32_t> durationSeconds,
                                              std::span<const std::string> trackLines, int focusedTrack);

// The same from the loaded track list and the time map it holds: each listed track's running time
// in whole seconds.
std::optional<ExplorerData> BuildExplorerData(const TrackList& list, std::span<const std::string> trackLines,
                                              int focusedTrack);

} // namespace ratewise
