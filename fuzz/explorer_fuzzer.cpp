// SPDX-License-Identifier: GPL-3.0-or-later
// The Bitrate Explorer's numbers over whatever a damaged title set gives: the snapshot, then for
// the first 16 tracks and the last one the profile at a few plot widths (the widest only for the
// first and the last) and the grid of its running time. The columns' arithmetic is the same for
// every track, and inputs the fuzzer grows to hundreds of tracks would otherwise spend most of
// each run on repeats. No map offset, span or time unit from the file may lead a column to read
// outside the decoded words.
// Seed corpus: the title sets in tests/fixtures/ifo.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>
#include <vector>

#include "explorer/chart_geometry.h"
#include "explorer/explorer_source.h"
#include "explorer/profile_column.h"
#include "ifo/byte_source.h"

namespace {
constexpr int kFirstTracks = 16;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ratewise;
    std::ostream discard(nullptr);
    MemoryByteSource source(std::span<const std::uint8_t>(data, size));
    ExplorerRead read = ReadExplorerData(source, {}, 0, discard);
    if (!read.data)
        return 0;
    ExplorerData& explorer = *read.data;
    const int last = explorer.trackCount - 1;
    std::vector<int> shown;
    for (int t = 0; t < std::min(explorer.trackCount, kFirstTracks); ++t)
        shown.push_back(t);
    if (last >= kFirstTracks)
        shown.push_back(last);
    for (const int t : shown) {
        explorer.currentTrack = t;
        for (const int width : {2, 61, 400})
            ProfileColumns(explorer, width);
        if (t == 0 || t == last)
            ProfileColumns(explorer, 1921);
        MinuteGridLines({0, 0, 1920, 1080}, explorer.durationSeconds[static_cast<std::size_t>(t)]);
    }
    return 0;
}
