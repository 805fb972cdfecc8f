// SPDX-License-Identifier: GPL-3.0-or-later
// The optimal split must finish at once on the user-interface thread, whatever the track. The
// plain search that tries every split runs beside it on 40 chapters for comparison.
#include <benchmark/benchmark.h>

#include <random>

#include "chapters/optimal_split.h"
#include "chapters/split_search.h"
#include "tests/chapters/exhaustive_split.h"

namespace ratewise {
namespace {

// Start seconds of a feature film: chapters of 1 to 7 minutes, always the same ones.
std::vector<int> FilmStarts(int chapters)
{
    std::mt19937 engine(2024);
    std::vector<int> starts{0};
    for (int c = 0; c < chapters; ++c)
        starts.push_back(starts.back() + 60 + static_cast<int>(engine() % 360));
    return starts;
}

// Every chapter the same length: the most ties for the tie-break.
std::vector<int> EvenStarts(int chapters)
{
    std::vector<int> starts{0};
    for (int c = 0; c < chapters; ++c)
        starts.push_back(starts.back() + 120);
    return starts;
}

// Starts that sometimes go backwards, as a damaged title set could give: the slower exact path.
std::vector<int> DamagedStarts(int chapters)
{
    std::mt19937 engine(7);
    std::vector<int> starts{0};
    for (int c = 0; c < chapters; ++c)
        starts.push_back(starts.back() + static_cast<int>(engine() % 600) - 150);
    return starts;
}

void BM_SearchSplit(benchmark::State& loop, std::vector<int> starts, int media)
{
    for (auto _ : loop)
        benchmark::DoNotOptimize(SearchSplit(starts, media));
}
BENCHMARK_CAPTURE(BM_SearchSplit, film_99_on_9, FilmStarts(99), 9)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchSplit, film_99_on_2, FilmStarts(99), 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchSplit, film_40_on_9, FilmStarts(40), 9)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchSplit, even_99_on_9, EvenStarts(99), 9)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchSplit, film_255_on_9, FilmStarts(255), 9)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchSplit, damaged_99_on_9, DamagedStarts(99), 9)->Unit(benchmark::kMicrosecond);

// The whole of what the window's command does after reading the chapters: search, texts, bar.
void BM_ComputeSplit(benchmark::State& loop, int chapters, int media)
{
    ChapterList list;
    list.startSeconds = FilmStarts(chapters);
    list.chapterCount = chapters;
    CalculatorState state;
    state.mediumCount = media;
    NoSplitProgress progress;
    for (auto _ : loop)
        benchmark::DoNotOptimize(ComputeSplit(list, state, progress));
}
BENCHMARK_CAPTURE(BM_ComputeSplit, film_99_on_9, 99, 9)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ComputeSplit, film_99_on_2, 99, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ComputeSplit, film_40_on_9, 40, 9)->Unit(benchmark::kMicrosecond);

void BM_ExhaustiveSplit(benchmark::State& loop, std::vector<int> starts, int media)
{
    for (auto _ : loop)
        benchmark::DoNotOptimize(test_support::ExhaustiveSplit(starts, media));
}
BENCHMARK_CAPTURE(BM_ExhaustiveSplit, film_40_on_9, FilmStarts(40), 9)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

} // namespace
} // namespace ratewise
