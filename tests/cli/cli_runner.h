// SPDX-License-Identifier: GPL-3.0-or-later
// Runs ratewise-cli in-process and keeps what it printed.
#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "cli/cli.h"

namespace ratewise::test_support {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// A disc's VIDEO_TS.IFO alone in a folder of its own, its title set missing: no title set to load.
inline std::string LoneVideoManager()
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("ratewise-lone-manager-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(RATEWISE_FIXTURES_DIR "/ifo/pal_d1_3audio_cells/VIDEO_TS.IFO",
                               dir / "VIDEO_TS.IFO", std::filesystem::copy_options::overwrite_existing);
    return (dir / "VIDEO_TS.IFO").string();
}
inline const char* const kNoTitleSet = "title set 1 of the title table is missing or damaged";

inline CliResult RunCliCapture(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    CliResult result;
    result.status = cli::RunCli(args, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

} // namespace ratewise::test_support
