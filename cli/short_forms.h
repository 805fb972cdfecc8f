// SPDX-License-Identifier: GPL-3.0-or-later
// The short forms people expect (-t for --track, -j for --json, -f for --format, -q for --quiet).
// Every command whose option has one of these long names takes its short form too, so a command
// gets them by naming its options as the others do.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace ratewise::cli {

// The letter of the short form of a long option name ("--track" -> 't'), or 0.
char ShortFormOf(const std::string& longName);

// The subcommand of `app` the arguments name (the first argument that is one), or nothing.
CLI::App* ChosenCommand(CLI::App& app, const std::vector<std::string>& args);

// How many of the words after `arg` are its values, as the parser takes them: the values an
// option of `command` (or of the program, `app`) must have, whatever they look like, so
// "--minutes --1" gives --minutes the value "--1" as getopt does. 0 for a flag, for a value
// written into the word ("--track=3", "-t3") and for a word that is not a known option.
std::size_t ValueWordsAfter(const CLI::App& app, const CLI::App* command, const std::string& arg);

// `args` with each short form the chosen command takes written as its long option: "-t 3" and
// "-t3" become "--track 3" and "--track=3". Arguments after "--" stay as they are.
std::vector<std::string> ExpandShortForms(CLI::App& app, const std::vector<std::string>& args);

} // namespace ratewise::cli
