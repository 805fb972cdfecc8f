// SPDX-License-Identifier: GPL-3.0-or-later
// ratewise-cli: every computation of Ratewise, for scripts.
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    // Past a file-size limit (ulimit -f) a write fails with "File too large" and the old file stays,
    // instead of the process being killed halfway.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const int status = ratewise::cli::RunCli(args, std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout)
        return ratewise::cli::ExitStatusOf(ratewise::FailureKind::WriteFailed);
    return status;
}
