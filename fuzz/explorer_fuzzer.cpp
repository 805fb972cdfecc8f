// The Bitrate Explorer's numbers over whatever a damaged title set gives: the snapshot of every
// track and its profile at a few plot widths (the widest only for the first and the last track:
// the columns' arithmetic is the same for every track, and a hundred tracks at every width would
// spend most of each run on repeats), and the grid of its running time. No map offset,
// span or time unit from the file may lead a column to read outside the decoded words.
// Seed corpus: the title sets in tests/fixtures/ifo.
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>

#include "explorer/chart_geometry.h"
#include "explorer/explorer_source.h"
#include "explorer/profile_column.h"
#include "ifo/byte_source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ratewise;
    std::ostream discard(nullptr);
    MemoryByteSource source(std::span<const std::uint8_t>(data, size));
    ExplorerRead read = ReadExplorerData(source, {}, 0, discard);
    if (!read.data)
        return 0;
    ExplorerData& explorer = *read.data;
    for (int t = 0; t < explorer.trackCount; ++t) {
        explorer.currentTrack = t;
        for (const int width : {2, 61, 400})
            ProfileColumns(explorer, width);
        if (t == 0 || t == explorer.trackCount - 1)
            ProfileColumns(explorer, 1921);
        MinuteGridLines({0, 0, 1920, 1080}, explorer.durationSeconds[static_cast<std::size_t>(t)]);
    }
    return 0;
}
