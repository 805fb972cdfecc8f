// SPDX-License-Identifier: GPL-3.0-or-later
// How long building a project file takes: template copy, patches, two identifier replacements.
#include <benchmark/benchmark.h>

#include "project/extended_real.h"
#include "project/project_file_writer.h"
#include "project/vcd_warnings.h"

namespace {

void BuildWideProject(benchmark::State& state)
{
    ratewise::VcdProjectSettings settings;
    settings.isPal = false;
    settings.sourceAspect = 3;
    settings.conversion = ratewise::kConvertCrop;
    settings.quality = ratewise::kQualityMotionEstimate;
    settings.keep16x9Flag = ratewise::RefreshWarnings(settings).keep16x9Flag;
    for (auto _ : state)
        benchmark::DoNotOptimize(ratewise::ProjectFileWriter::Build(settings));
}
BENCHMARK(BuildWideProject);

void ParseExtendedDecimal(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ratewise::ParseExtended("2720.48"));
}
BENCHMARK(ParseExtendedDecimal);

} // namespace
