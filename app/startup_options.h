// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's own command line, read before any window or Qt object exists:
// `ratewise [FILE.IFO]`, `--help`, `--version`, and Qt's own options (-platform, -style, ...).
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace ratewise {

// What the start should do: nothing when the window opens; else the exit status after `--help`
// or `--version` printed to `out`, or after one refusal line on `err` for an option nobody takes
// (status 2).
std::optional<int> HandleStartupOptions(const std::vector<std::string>& args, std::ostream& out,
                                        std::ostream& err);

} // namespace ratewise
