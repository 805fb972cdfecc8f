// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line front end as a library: tests run it in-process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "common/failure_kind.h"

namespace ratewise::cli {

// Exit statuses of ratewise-cli.
enum ExitCode : int {
    kExitOk = 0,
    kExitWriteFailed = 1,
    kExitUsage = 2,
    kExitBadInput = 3,
    kExitNoResult = 4, // the calculation gives no usable value; the output is still printed
};

// The status each kind of failure ends a command with: the table of the man page's EXIT STATUS.
constexpr int ExitStatusOf(FailureKind kind)
{
    switch (kind) {
    case FailureKind::None:
        return kExitOk;
    case FailureKind::WriteFailed:
        return kExitWriteFailed;
    case FailureKind::Usage:
        return kExitUsage;
    case FailureKind::BadInput:
        return kExitBadInput;
    case FailureKind::NoResult:
        return kExitNoResult;
    }
    return kExitBadInput;
}

// Runs ratewise-cli with `args` (without the program name), printing to `out` and `err`.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The one-line error form: "ratewise-cli: <what>: <why>".
void PrintError(std::ostream& err, const std::string& what, const std::string& why);

} // namespace ratewise::cli
