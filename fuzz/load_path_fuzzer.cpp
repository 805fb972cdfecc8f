// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes through everything the window does with a title set the user opens (see
// tests/hostile/load_path.h). The load reads from a path, so each input is written to a file of
// this process first. The per-track work is done for the first 16 tracks and the last: it is the
// same for every track, and inputs grown to hundreds of tracks spent most of each run repeating
// it. Seed corpus: the real title sets and the hostile corpus (ratewise_hostile_corpus writes it).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "tests/hostile/load_path.h"

namespace {
constexpr int kFirstTracks = 16;
std::filesystem::path g_path;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A folder of its own: the load path looks beside a video manager for its title sets.
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("ratewise-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    g_path = dir / "VTS_01_0.IFO";
    std::atexit([] {
        std::error_code error;
        std::filesystem::remove_all(g_path.parent_path(), error);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::ofstream(g_path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    ratewise::test_support::RunLoadPath(g_path.string(), kFirstTracks);
    return 0;
}
