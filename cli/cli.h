// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line front end as a library: tests run it in-process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ratewise::cli {

// Exit statuses of ratewise-cli.
enum ExitCode : int {
    kExitOk = 0,
    kExitWriteFailed = 1,
    kExitUsage = 2,
    kExitBadInput = 3,
    kExitNoResult = 4, // the calculation gives no usable value; the output is still printed
};

// Runs ratewise-cli with `args` (without the program name), printing to `out` and `err`.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The one-line error form: "ratewise-cli: <what>: <why>".
void PrintError(std::ostream& err, const std::string& what, const std::string& why);

} // namespace ratewise::cli
