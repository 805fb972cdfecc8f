// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator runs on every keystroke and every repaint: Recalculate and the two tip texts.
#include <benchmark/benchmark.h>

#include "calc/calculator.h"
#include "calc/tip_texts.h"

namespace ratewise {
namespace {

void BM_RecalculateForward(benchmark::State& loop)
{
    CalculatorState state;
    state.audio2Text = "0";
    for (auto _ : loop) {
        Recalculate(state);
        benchmark::DoNotOptimize(state.videoKbps);
    }
}
BENCHMARK(BM_RecalculateForward);

void BM_RecalculateReverse(benchmark::State& loop)
{
    CalculatorState state;
    state.audio2Text = "0";
    state.locked = true;
    state.videoBitrateText = "1000";
    for (auto _ : loop) {
        Recalculate(state);
        benchmark::DoNotOptimize(state.hours);
    }
}
BENCHMARK(BM_RecalculateReverse);

void BM_BitrateSuggestion(benchmark::State& loop)
{
    CalculatorState state;
    state.audio2Text = "0";
    Recalculate(state);
    for (auto _ : loop)
        benchmark::DoNotOptimize(BitrateSuggestion(state));
}
BENCHMARK(BM_BitrateSuggestion);

void BM_MediumReport(benchmark::State& loop)
{
    CalculatorState state;
    for (auto _ : loop)
        benchmark::DoNotOptimize(MediumReport(state));
}
BENCHMARK(BM_MediumReport);

} // namespace
} // namespace ratewise
