// SPDX-License-Identifier: GPL-3.0-or-later
// Registration of the subcommands; each lives in its own file.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <ostream>

#include "common/failure_kind.h"

namespace ratewise::cli {

// What a subcommand runs once the arguments are parsed; returns what kind of failure ended it,
// which RunCli turns into the exit status (ExitStatusOf).
using CommandAction = std::function<FailureKind(std::ostream& out, std::ostream& err)>;

// Each Add…Command adds its subcommand to `app` and stores its action in `action` when chosen.
void AddCalcCommand(CLI::App& app, CommandAction& action);
void AddVcdProjectCommand(CLI::App& app, CommandAction& action);
void AddSplitCommand(CLI::App& app, CommandAction& action);
void AddChaptersCommand(CLI::App& app, CommandAction& action);
void AddProfileCommand(CLI::App& app, CommandAction& action);
void AddTracksCommand(CLI::App& app, CommandAction& action);
void AddInfoCommand(CLI::App& app, CommandAction& action);
void AddDiscCommand(CLI::App& app, CommandAction& action);
void AddStreamCommand(CLI::App& app, CommandAction& action);
void AddPlanCommand(CLI::App& app, CommandAction& action);

} // namespace ratewise::cli
