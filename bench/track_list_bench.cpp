// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the real 98-title set as the window does: ifoParse from the file (open, every program
// chain, the stream counts, then the time-map pass on a fresh open), and the list's 98 entries.
// Goal: ifoParse under 0.5 ms.
#include <benchmark/benchmark.h>
#include <fstream>
#include <iterator>
#include <ostream>

#include "ifo/track_texts.h"

namespace ratewise {
namespace {

const std::string kNinetyEight = RATEWISE_FIXTURES_DIR "/ifo/pal_98_titles/VTS_01_0.IFO";

void BM_IfoParseNinetyEightTitlesFromFile(benchmark::State& loop)
{
    std::ostream discard(nullptr);
    TrackList list;
    for (auto _ : loop) {
        list.MarkEmpty();
        if (!ifoParse(kNinetyEight, list, discard, discard)) {
            loop.SkipWithError("the fixture did not parse");
            return;
        }
        benchmark::DoNotOptimize(list.lastFrame.data());
    }
    if (list.TrackCount() != 98)
        loop.SkipWithError("expected 98 tracks");
}
BENCHMARK(BM_IfoParseNinetyEightTitlesFromFile)->Unit(benchmark::kMicrosecond);

void BM_IfoParseNinetyEightTitlesFromMemory(benchmark::State& loop)
{
    std::ifstream in(kNinetyEight, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    std::ostream discard(nullptr);
    TrackList list;
    for (auto _ : loop) {
        MemoryByteSource source(bytes);
        list.MarkEmpty();
        benchmark::DoNotOptimize(ifoParse(source, "VTS_01_0.IFO", list, discard, discard));
    }
}
BENCHMARK(BM_IfoParseNinetyEightTitlesFromMemory)->Unit(benchmark::kMicrosecond);

// What a load shows after the parse: the entries and the first track's report.
void BM_TrackEntriesAndReport(benchmark::State& loop)
{
    std::ostream discard(nullptr);
    TrackList list;
    ifoParse(kNinetyEight, list, discard, discard);
    for (auto _ : loop) {
        benchmark::DoNotOptimize(TrackEntryLines(list));
        benchmark::DoNotOptimize(TrackReportText(list, 0));
    }
}
BENCHMARK(BM_TrackEntriesAndReport)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace ratewise
