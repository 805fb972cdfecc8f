// SPDX-License-Identifier: GPL-3.0-or-later
// TrackList: every program chain of the loaded title set as a track, with its running time, cell
// count and place on the combined frame axis, the title set's frame rate and stream counts, and
// the time map of the load. ifoParse fills it from a title-set information file.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "ifo/byte_source.h"
#include "ifo/time_map.h"

namespace ratewise {

struct TrackList {
    // Program chains of the last successful parse; 0 before any load and while a load runs.
    int pgcCount = 0;
    // 25 for PAL video, else 30: the rate at which the frames below are counted.
    int frameRate = 30;
    int audioStreamCount = 0;
    int subpictureStreamCount = 0;

    // Per track, indexed from 0, one entry per program chain of the file (no fixed capacity).
    // A track whose hours are -1 is an empty slot: the list shows the tracks before the first
    // empty one. Marking the list empty clears only the times, so the other tables keep the
    // previous file's values until the next successful parse replaces them.
    std::vector<std::int32_t> cells;
    std::vector<std::int32_t> hours;
    std::vector<std::int32_t> minutes;
    std::vector<std::int32_t> seconds;
    std::vector<std::int32_t> frames;
    // The combined frame axis numbers the frames of all tracks as if they were played one after
    // another: track i ends at lastFrame[i] and starts at firstFrame[i] (0 for the first track,
    // lastFrame[i - 1] + 1 after it). firstFrame has one more entry: where a next track would
    // start. Both stop growing at INT32_MAX, which no real disc comes near.
    std::vector<std::int32_t> lastFrame;
    std::vector<std::int32_t> firstFrame;

    // The time map of the last load, with one average bitrate per track. A title set without a
    // time map leaves the previous one in place.
    TimeMapData timeMap;

    // Number of listed tracks: the slots before the first empty one.
    int TrackCount() const;
    // True when no track is listed (before any load, after a failed one).
    bool Empty() const { return TrackCount() == 0; }
    // Start of a load: no program chains, every time slot empty.
    void MarkEmpty();

    // Whole seconds of track i (frames dropped); 0 for a track that does not exist.
    std::int32_t RunningSeconds(int i) const;
    // The time map's average bitrate of track i in Kbps; 0 when the map has none for it.
    std::int32_t AverageKbps(int i) const;
    // Cells of track i; 0 for a track that was never loaded.
    std::int32_t Cells(int i) const;
};

// Scans every program chain of the title-set information file at path into list, then runs the
// time-map pass for the tracks' average bitrates. Writes "Parsing "<path>"..." and the pass's
// progress to out and the reader's diagnostics to err. An empty path succeeds at once and
// changes nothing. When the file cannot be opened as a title set, returns false and leaves list
// as it was.
bool ifoParse(const std::string& path, TrackList& list, std::ostream& out, std::ostream& err);

// The same from any byte source; `name` stands for the path in the progress line.
bool ifoParse(ByteSource& source, std::string_view name, TrackList& list, std::ostream& out,
              std::ostream& err);

} // namespace ratewise
