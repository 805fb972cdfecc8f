// SPDX-License-Identifier: GPL-3.0-or-later
// The Bitrate Explorer redraws its whole chart at every paint: one DrawChart into a full-HD image,
// for a two-hour track with a time map of one entry a second (twelve minute lines, a curve point
// per column averaging several entries).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "explorer/chart_painter.h"

namespace ratewise {
namespace {

ExplorerData TwoHourTrack()
{
    constexpr int kEntries = 7200;
    ExplorerData data;
    // One map starting right after a one-map table's header, closed at the table's end.
    const std::int32_t start = 12;
    const std::int32_t end = start + 4 + 4 * kEntries - 1;
    data.mapOffsets = {start, end - 4};
    data.entryCounts = {kEntries};
    data.timeUnits = {1};
    std::int32_t sector = 1000;
    for (int k = 0; k < kEntries; ++k) {
        // Between about 2000 and 8000 kbit/s, changing every few seconds.
        sector += 125 + (k * 7919 % 13) * 30;
        data.words.push_back(sector);
    }
    data.averageKbps = {4500};
    data.durationSeconds = {kEntries + 1};
    data.trackNames = {"T1: 02:00:01 .00"};
    data.trackCount = 1;
    return data;
}

void BM_DrawChartFullHd(benchmark::State& loop)
{
    const ExplorerData data = TwoHourTrack();
    QImage image(1920, 1080, QImage::Format_RGB32);
    const QRect area(0, 0, 1920, 1080);
    for (auto _ : loop) {
        QPainter painter(&image);
        DrawChartArea(painter, area, data);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DrawChartFullHd)->Unit(benchmark::kMillisecond);

void BM_RenderChartWindowSize(benchmark::State& loop)
{
    const ExplorerData data = TwoHourTrack();
    for (auto _ : loop)
        benchmark::DoNotOptimize(RenderChart(data, QSize(555, 293)));
}
BENCHMARK(BM_RenderChartWindowSize)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace ratewise

// Fonts need a GUI application; the off-screen platform needs no display.
int main(int argc, char** argv)
{
    char platformOption[] = "-platform";
    char platformName[] = "offscreen";
    char* qtArgv[] = {argv[0], platformOption, platformName, nullptr};
    int qtArgc = 3;
    QGuiApplication app(qtArgc, qtArgv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
