// SPDX-License-Identifier: GPL-3.0-or-later
// What a failure lies in. The core says which kind each of its failures is; the command line
// turns the kind into its exit status through one table (ExitStatusOf in cli/cli.h), so the same
// kind of failure ends every command the same way.
#pragma once

namespace ratewise {

enum class FailureKind {
    None,        // no failure
    WriteFailed, // an output could not be written
    Usage,       // the options ask for what cannot be done (a value out of range, a tool not installed)
    BadInput,    // an input is missing, unreadable or not what it should be
    NoResult,    // the calculation gives no usable value (no video bitrate, no split)
};

} // namespace ratewise
