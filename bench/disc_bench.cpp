// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a disc image and listing it, in process: libudfread over the image, the video manager's
// tables, every title set's track list and part-of-title table, as `ratewise-cli disc` does. The
// image is made once with genisoimage from the 98-title real set. Goal: under 1 ms.
// Whole process, beside lsdvd (hyperfine, median of 20):
//   hyperfine -N -r 20 'build/cli/ratewise-cli disc IMAGE --json' 'lsdvd -x IMAGE'
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "disc/opened_disc.h"
#include "disc/title_set_load.h"

namespace ratewise {
namespace {

namespace fs = std::filesystem;

// The image, made on first use; empty when genisoimage is missing.
const std::string& Image()
{
    static const std::string image = [] {
        const fs::path dir =
            fs::temp_directory_path() / ("ratewise-bench-disc-" + std::to_string(::getpid()));
        fs::create_directories(dir / "disc" / "VIDEO_TS");
        for (const char* name : {"VIDEO_TS.IFO", "VTS_01_0.IFO"})
            fs::copy_file(fs::path(RATEWISE_FIXTURES_DIR "/ifo/pal_98_titles") / name,
                          dir / "disc" / "VIDEO_TS" / name, fs::copy_options::overwrite_existing);
        const std::string path = (dir / "disc.iso").string();
        const std::string command = "genisoimage -quiet -dvd-video -udf -V BENCH -o '" + path + "' '" +
                                    (dir / "disc").string() + "' >/dev/null 2>&1";
        return std::system(command.c_str()) == 0 ? path : std::string();
    }();
    return image;
}

void OpenAndListImage(benchmark::State& state)
{
    if (Image().empty()) {
        state.SkipWithError("genisoimage is missing");
        return;
    }
    for (auto _ : state) {
        const OpenedDiscResult opened = OpenDisc(Image());
        if (!opened.disc || opened.disc->titles.size() != 98) {
            state.SkipWithError("the image did not list");
            return;
        }
        benchmark::DoNotOptimize(opened.disc->longestTitle);
    }
}
BENCHMARK(OpenAndListImage)->Unit(benchmark::kMicrosecond);

void LoadDefaultTitleSetOfImage(benchmark::State& state)
{
    if (Image().empty()) {
        state.SkipWithError("genisoimage is missing");
        return;
    }
    std::ostream quiet(nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadTitleSet(Image(), {}, quiet, quiet).load.has_value());
}
BENCHMARK(LoadDefaultTitleSetOfImage)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace ratewise

BENCHMARK_MAIN();
