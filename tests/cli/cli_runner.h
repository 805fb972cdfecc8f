// SPDX-License-Identifier: GPL-3.0-or-later
// Runs ratewise-cli in-process and keeps what it printed.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace ratewise::test_support {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

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
