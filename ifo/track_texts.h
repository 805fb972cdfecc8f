// SPDX-License-Identifier: GPL-3.0-or-later
// Texts of the track list: one entry per track ("T1: 01:23:05 .07"), the report of a track shown
// on the list's tip, and the summed running time of the selected tracks for the duration fields.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ifo/track_list.h"

namespace ratewise {

// "T", the track number, ": 0", the hours, then minutes, seconds and frames with a "0" prepended
// to values of 9 or less: "T1: 01:23:05 .07". The hours always get their "0", so 10 hours read
// "010".
std::string TrackEntryText(const TrackList& list, int i);

// The entries of every listed track, in order.
std::vector<std::string> TrackEntryLines(const TrackList& list);

// The report of track k: number, average bitrate, first and last frame on the combined axis,
// frame count and start and end in seconds. Frames counted at 30 per second are converted to
// seconds at 29.97, so an NTSC track of 300 frames ends at 10.01. Lines end in "\n".
std::string TrackReportText(const TrackList& list, int k);

// A running time summed over several tracks; frames are not counted.
struct TrackDuration {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    friend bool operator==(const TrackDuration&, const TrackDuration&) = default;
};

// Sums the hours, minutes and seconds of the selected tracks (indexes in ascending order), then
// carries seconds above 59 into the minutes and minutes above 59 into the hours. Nothing when no
// track is listed or nothing is selected: the duration fields then keep what they show.
std::optional<TrackDuration> SumSelectedTracks(const TrackList& list, std::span<const int> selected);

// What the Cells field shows for a selection: the cells of the last (highest) selected entry,
// 0 when nothing is selected or the entry never held a track.
int SelectedCells(const TrackList& list, std::span<const int> selected);

} // namespace ratewise
