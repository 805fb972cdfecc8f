// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text to `ratewise-cli calc` and `split --starts` through RunCli: the first line
// picks the command ("split", else calc), each further line is one argument. Seed corpus:
// fuzz/seeds/calc_cli. The process keeps its working folder (libFuzzer's -jobs finds its corpus
// and logs there): names are taken in an empty folder of the target's own instead.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "cli/cli.h"
#include "fuzz/arguments.h"
#include "fuzz/text_lines.h"

namespace {

std::filesystem::path g_folder;

void RunCommandLine(const std::vector<std::string>& lines)
{
    // The first line picks the command; paths are dropped and names are taken in an empty folder,
    // so no argument can reach a file.
    std::vector<std::string> args{lines[0] == "split" ? "split" : "calc"};
    for (std::size_t i = 1; i < lines.size(); ++i) {
        // No paths, and no "-", which would read the fuzzer's own standard input.
        if (lines[i].find('/') != std::string::npos || lines[i] == "-" || lines[i].ends_with("=-"))
            continue;
        args.push_back(lines[i]);
    }
    // --chapters-per-medium DIR writes its files into DIR, --names reads one.
    args = ratewise::fuzzing::InFolder(args, {"--names", "--chapters-per-medium"}, g_folder);
    std::ostringstream out, err;
    const int status = ratewise::cli::RunCli(args, out, err);
    if (status != ratewise::cli::kExitOk && status != ratewise::cli::kExitUsage &&
        status != ratewise::cli::kExitBadInput && status != ratewise::cli::kExitNoResult)
        std::abort();
    // A --json run prints one JSON object (plain output starts with a word), with a result or not.
    const bool printed = status == ratewise::cli::kExitOk || status == ratewise::cli::kExitNoResult;
    if (printed && out.str().starts_with('{') &&
        nlohmann::json::parse(out.str(), nullptr, false).is_discarded())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_folder =
        std::filesystem::temp_directory_path() / ("ratewise-fuzz-calc-cli-" + std::to_string(::getpid()));
    std::filesystem::create_directories(g_folder);
    std::atexit([] {
        std::error_code error;
        std::filesystem::remove_all(g_folder, error);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RunCommandLine(ratewise::fuzzing::Lines({reinterpret_cast<const char*>(data), size}));
    return 0;
}
