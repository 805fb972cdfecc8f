// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a large title set: open, parse every PGC (time, cells, streams) and run the time-map
// pass over 98 PGCs whose time map fills the word table nearly to its 65,536-word capacity.
// Goal: well under 1 ms per load.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <unistd.h>

#include "ifo/cells.h"
#include "ifo/stream_attributes.h"
#include "ifo/time_map.h"
#include "ifo/video_attributes.h"
#include "tests/ifo/title_set_writer.h"

namespace ratewise {
namespace {

constexpr int kPgcs = 98;
constexpr int kEntriesPerMap = 665; // 98 x (665 + 1 header) = 65,268 words

std::vector<std::uint8_t> LargeTitleSet()
{
    test_support::TitleSetDraft draft;
    draft.video0 = 0x53;
    draft.audioCount = 3;
    draft.subpictureCount = 8;
    std::vector<test_support::TimeMapDraft> maps;
    std::uint32_t sector = 0;
    for (int p = 0; p < kPgcs; ++p) {
        test_support::PgcDraft pgc{test_support::BcdTime(0, 11, 5, 0), {1, 4, 7, 10}, {}};
        for (int c = 0; c < 12; ++c) {
            pgc.cells.push_back({0, test_support::BcdTime(0, 0, 55, 10), sector, sector + 999});
            sector += 1000;
        }
        pgc.audioControl = {0x8000, 0x8100, 0x8200};
        pgc.subpictureControl.fill(0x80000000u);
        draft.pgcs.push_back(pgc);
        test_support::TimeMapDraft map{1, {}};
        for (int k = 0; k < kEntriesPerMap; ++k)
            map.entries.push_back(sector - 12000 + static_cast<std::uint32_t>(k) * 18);
        maps.push_back(map);
    }
    draft.timeMaps = maps;
    return test_support::WriteTitleSet(draft).bytes;
}

// Everything a load and the later reports ask of the reader.
int ParseAll(const TitleSetInfo& info, std::vector<std::int32_t>& seconds)
{
    int work = ifoCountAudioStreams(&info) + ifoCountSubpictureStreams(&info);
    work += ifoGetVideoAttributes(&info)->FrameRate();
    std::array<CellEntry, 255> cells{};
    seconds.clear();
    for (int i = 0; i < ifoGetPGCCount(&info); ++i) {
        PlaybackTime time;
        work += ifoGetPlaybackTime(&info, i, &time);
        seconds.push_back(time.hours * 3600 + time.minutes * 60 + time.seconds);
        work += ifoGetCells(&info, i, cells) ? cells[0].program : 0;
    }
    return work;
}

void BM_LoadLargeTitleSetFromMemory(benchmark::State& loop)
{
    const std::vector<std::uint8_t> bytes = LargeTitleSet();
    std::ostream discard(nullptr);
    std::vector<std::int32_t> seconds;
    TimeMapData data;
    for (auto _ : loop) {
        auto info = ifoOpen(bytes);
        benchmark::DoNotOptimize(ParseAll(*info, seconds));
        ifoClose(std::move(info));
        MemoryByteSource source(bytes);
        ifoRunTimeMapPass(source, seconds, data, discard, discard);
        benchmark::DoNotOptimize(data.averageKbps.data());
    }
    if (data.words.size() < 65000 || data.mapCount != kPgcs)
        loop.SkipWithError("the time map is not near its capacity");
    loop.counters["words"] = static_cast<double>(data.words.size());
}
BENCHMARK(BM_LoadLargeTitleSetFromMemory)->Unit(benchmark::kMicrosecond);

void BM_LoadLargeTitleSetFromFile(benchmark::State& loop)
{
    const std::vector<std::uint8_t> bytes = LargeTitleSet();
    char path[] = "/tmp/ratewise_bench_XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) {
        loop.SkipWithError("no temporary file");
        return;
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    std::ostream discard(nullptr);
    std::vector<std::int32_t> seconds;
    TimeMapData data;
    for (auto _ : loop) {
        auto info = ifoOpen(std::string(path));
        benchmark::DoNotOptimize(ParseAll(*info, seconds));
        ifoClose(std::move(info));
        ifoRunTimeMapPass(std::string(path), seconds, data, discard, discard);
        benchmark::DoNotOptimize(data.averageKbps.data());
    }
    std::remove(path);
    ::close(fd);
}
BENCHMARK(BM_LoadLargeTitleSetFromFile)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace ratewise
