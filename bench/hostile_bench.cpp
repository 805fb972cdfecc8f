// SPDX-License-Identifier: GPL-3.0-or-later
// The window's whole load of the hostile title sets (tests/hostile): the whole corpus, and the
// slowest single file. The load opens every track's chapters as if each were clicked in turn, so
// the 100 listed tracks of a large set reopen it 100 times. Goal: the slowest file far below the
// second the hostile-file test allows, about 0.2 ms per track.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "tests/hostile/hostile_corpus.h"
#include "tests/hostile/load_path.h"

namespace ratewise {
namespace {

struct CorpusOnDisk {
    CorpusOnDisk()
    {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / ("ratewise-bench-hostile-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        for (const auto& file : test_support::HostileCorpus(RATEWISE_FIXTURES_DIR)) {
            std::string name = file.name;
            std::replace(name.begin(), name.end(), '/', '_');
            paths.push_back((folder / name).string());
            std::ofstream(paths.back(), std::ios::binary)
                .write(reinterpret_cast<const char*>(file.bytes.data()),
                       static_cast<std::streamsize>(file.bytes.size()));
        }
        // The slowest file of one pass, for the second benchmark.
        auto slowestTime = std::chrono::steady_clock::duration::zero();
        for (const std::string& path : paths) {
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(test_support::RunLoadPath(path));
            if (const auto time = std::chrono::steady_clock::now() - start; time > slowestTime) {
                slowestTime = time;
                slowest = path;
            }
        }
    }
    ~CorpusOnDisk() { std::filesystem::remove_all(std::filesystem::path(paths.front()).parent_path()); }

    std::vector<std::string> paths;
    std::string slowest;
};

const CorpusOnDisk& Corpus()
{
    static const CorpusOnDisk corpus;
    return corpus;
}

void BM_LoadWholeHostileCorpus(benchmark::State& state)
{
    for (auto _ : state)
        for (const std::string& path : Corpus().paths)
            benchmark::DoNotOptimize(test_support::RunLoadPath(path));
    state.counters["files"] = static_cast<double>(Corpus().paths.size());
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(Corpus().paths.size()));
}
BENCHMARK(BM_LoadWholeHostileCorpus)->Unit(benchmark::kMillisecond);

void BM_LoadSlowestHostileFile(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(test_support::RunLoadPath(Corpus().slowest));
    state.SetLabel(std::filesystem::path(Corpus().slowest).filename().string());
}
BENCHMARK(BM_LoadSlowestHostileFile)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace ratewise
