// SPDX-License-Identifier: GPL-3.0-or-later
// One column of the bitrate profile, in integer arithmetic with truncating divisions.
#include "explorer/profile_column.h"

#include <cstdint>

namespace ratewise {
namespace {

// The chart's scale ends at 10000 kbit/s; nothing at or above it is plotted.
constexpr std::int64_t kTopKbps = 10000;
// A 2048-byte sector is 16 kbit.
constexpr std::int64_t kKbitPerSector = 16;

} // namespace

void ProfileColumn(const ExplorerData& data, int width, int x, int& heldKbps)
{
    const int track = data.currentTrack;
    if (width <= 0 || track < 0 || static_cast<std::size_t>(track) + 1 >= data.mapOffsets.size())
        return;
    // The map's span counts its 4-byte header. The entries at the column's edges, as if the
    // whole map were stretched over the plot width: the products are taken in 64 bits so that a
    // wide plot over a far-reaching offset cannot overflow.
    const std::int64_t span = std::int64_t{data.mapOffsets[static_cast<std::size_t>(track) + 1]} -
                              data.mapOffsets[static_cast<std::size_t>(track)];
    const std::int64_t a = ((std::int64_t{x} - 1) * span / width) / 4;
    const std::int64_t b = (std::int64_t{x} * span / width) / 4;
    if (b <= a)
        return;
    // At the right edge b can reach one past the map's last entry: nothing is read from there,
    // and the column keeps the held value.
    const std::optional<std::int32_t> first = data.Entry(track, a);
    const std::optional<std::int32_t> last = data.Entry(track, b);
    if (!first || !last || *first <= 0)
        return;
    const std::int64_t v = (std::int64_t{*last} - *first) * kKbitPerSector / (b - a) / data.TimeUnitOf(track);
    if (v > 0 && v < kTopKbps)
        heldKbps = static_cast<int>(v);
}

std::vector<int> ProfileColumns(const ExplorerData& data, int width)
{
    std::vector<int> columns;
    int heldKbps = 0;
    for (int x = 1; x < width; ++x) {
        ProfileColumn(data, width, x, heldKbps);
        columns.push_back(heldKbps);
    }
    return columns;
}

} // namespace ratewise
