// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/cli/cli_runner.h"

#include <filesystem>
#include <sstream>
#include <unistd.h>

#include "cli/cli.h"

namespace ratewise::test_support {

std::string LoneVideoManager()
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("ratewise-lone-manager-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(RATEWISE_FIXTURES_DIR "/ifo/pal_d1_3audio_cells/VIDEO_TS.IFO",
                               dir / "VIDEO_TS.IFO", std::filesystem::copy_options::overwrite_existing);
    return (dir / "VIDEO_TS.IFO").string();
}

CliResult RunCliCapture(const std::vector<std::string>& args)
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
