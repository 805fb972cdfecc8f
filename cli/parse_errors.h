// SPDX-License-Identifier: GPL-3.0-or-later
// Turns what the argument parser refuses into the one refusal line of ratewise-cli: the option,
// what it got, what it takes, and where the help is.
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>
#include <vector>

namespace ratewise::cli {

// Prints the refusal of `error`, raised while parsing for `command` (the subcommand named on the
// command line, or the program itself), to `err`.
void PrintParseError(std::ostream& err, const CLI::App& command, const CLI::ParseError& error);

// Refuses, before parsing, an argument no one takes: an unknown command ("calk"; did you mean
// "calc"?) or an option the command does not have. The parser would first complain about
// what is missing, which hides the typo that caused it. True when it printed a refusal.
bool PrintUnknownArgument(std::ostream& err, CLI::App& app, const std::vector<std::string>& args);

// The metavariable shown for an option's value ("N", "FILE", "time|frame|second").
std::string ValueWord(const CLI::Option& option);

// What an option takes, in words ("a track number"), for refusals.
std::string TakesWords(const CLI::Option& option);

} // namespace ratewise::cli
