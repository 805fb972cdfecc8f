// SPDX-License-Identifier: GPL-3.0-or-later
// Titles and list items of the Bitrate Explorer.
#include "explorer/explorer_texts.h"

#include "common/string_format.h"

namespace ratewise {
namespace {

constexpr double kMbitPerKbit = 0.0009765625;

int CurrentAverage(const ExplorerData& data)
{
    const auto track = static_cast<std::size_t>(data.currentTrack);
    return data.currentTrack >= 0 && track < data.averageKbps.size() ? data.averageKbps[track] : 0;
}

} // namespace

std::string LongExplorerTitle(const ExplorerData& data)
{
    const int average = CurrentAverage(data);
    return StringPrintf("Bitrate Explorer  Track %d  Average Bitrate: %d Kbps (%.2f Mbps)",
                        data.currentTrack + 1, average, average * kMbitPerKbit);
}

std::string ShortExplorerTitle(const ExplorerData& data)
{
    return StringPrintf("Bitrate Explorer  Track %d  Average Bitrate: %.2f Mbps", data.currentTrack + 1,
                        CurrentAverage(data) * kMbitPerKbit);
}

std::string ExplorerTrackItem(const std::string& trackLine)
{
    std::string item;
    for (const char c : trackLine) {
        if (c == 'T')
            item += "Track ";
        else
            item += c;
    }
    return item;
}

} // namespace ratewise
