// SPDX-License-Identifier: GPL-3.0-or-later
#include "ifo/track_texts.h"

#include "common/dvd_time.h"
#include "common/string_format.h"

namespace ratewise {
namespace {

std::int32_t At(const std::vector<std::int32_t>& table, int i)
{
    if (i < 0 || static_cast<std::size_t>(i) >= table.size())
        return 0;
    return table[static_cast<std::size_t>(i)];
}

} // namespace

std::string TrackEntryText(const TrackList& list, int i)
{
    return StringPrintf("T%d: 0%d:", i + 1, At(list.hours, i)) + WithLeadingZero(At(list.minutes, i)) + ":" +
           WithLeadingZero(At(list.seconds, i)) + " ." + WithLeadingZero(At(list.frames, i));
}

std::vector<std::string> TrackEntryLines(const TrackList& list)
{
    std::vector<std::string> lines;
    const int count = list.TrackCount();
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        lines.push_back(TrackEntryText(list, i));
    return lines;
}

std::string TrackReportText(const TrackList& list, int k)
{
    const std::int64_t first = At(list.firstFrame, k);
    const std::int64_t last = At(list.lastFrame, k);
    const double rate = ShownFrameRate(list.frameRate == 25);
    return StringPrintf("Track Number: %d\n"
                        "------------------------------\n"
                        "Average bitrate: %d Kbps\n"
                        "------------------------------\n"
                        "First Frame: %lld\n"
                        "Last Frame: %lld\n"
                        "Number of frames: %lld\n"
                        "------------------------------\n"
                        "Start time: %.2f\n"
                        "End time: %.2f",
                        k + 1, list.AverageKbps(k), static_cast<long long>(first),
                        static_cast<long long>(last), static_cast<long long>(last - first + 1),
                        static_cast<double>(first) / rate, static_cast<double>(last) / rate);
}

std::optional<TrackDuration> SumSelectedTracks(const TrackList& list, std::span<const int> selected)
{
    if (list.Empty() || selected.empty())
        return std::nullopt;
    const int count = list.TrackCount();
    std::int64_t hours = 0, minutes = 0, seconds = 0;
    for (const int i : selected) {
        // Entries beyond the listed tracks hold no time.
        if (i < 0 || i >= count)
            continue;
        hours += At(list.hours, i);
        minutes += At(list.minutes, i);
        seconds += At(list.seconds, i);
    }
    if (seconds > 59) {
        minutes += seconds / 60;
        seconds %= 60;
    }
    if (minutes > 59) {
        hours += minutes / 60;
        minutes %= 60;
    }
    // 65,535 tracks of 165 hours stay far inside an int; the cast cannot lose anything.
    return TrackDuration{static_cast<int>(hours), static_cast<int>(minutes), static_cast<int>(seconds)};
}

int SelectedCells(const TrackList& list, std::span<const int> selected)
{
    if (selected.empty())
        return 0;
    return list.Cells(selected.back());
}

} // namespace ratewise
