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
std::string LoneVideoManager();
inline const char* const kNoTitleSet = "title set 1 of the title table is missing or damaged";

CliResult RunCliCapture(const std::vector<std::string>& args);

} // namespace ratewise::test_support
