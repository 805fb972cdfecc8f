// SPDX-License-Identifier: GPL-3.0-or-later
// Reading FILE for the commands that work on a title set: FILE is a title set's VTS_xx_0.IFO, a
// disc's VIDEO_TS.IFO, a folder, an image or a drive, loaded through the one load path
// (disc/title_set_load.h); --title-set and --title choose the set. FILE may also be "-" for a title
// set on standard input, or a pipe (/dev/stdin, a FIFO): such input is read once into memory and
// kept for the run. On failure, one line on stderr saying why.
#pragma once

#include <CLI/CLI.hpp>
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

#include "common/failure_kind.h"
#include "disc/title_set_load.h"

namespace ratewise::cli {

// --title-set N and --title T of every command that takes FILE.
struct DiscChoice {
    int titleSet = 0; // 0: the set holding the disc's longest title
    int title = 0;    // 0: none
    // Set when the command takes a title and neither --title nor --track was given: the disc's
    // main title is taken, with a note saying which.
    bool mainTitle = false;
    TitleSetRequest Request() const { return {titleSet, title, mainTitle}; }
};

// Adds --title-set and --title to command.
void AddDiscChoiceOptions(CLI::App& command, DiscChoice& choice);

// Without --track and --title (when `file` is given, only with it), the command takes the disc's
// main title: sets choice.mainTitle.
void RequireTrackOrTitle(CLI::App& command, CLI::Option& track, DiscChoice& choice,
                         CLI::Option* file = nullptr);

// Why path cannot be given as FILE ("empty path", "no such file", "not a regular file" for a
// socket or the like, or the system's reason for a file that cannot be opened), or the empty text.
// "-" and pipes are read here, once: a named pipe that nobody writes to is given up after 2
// seconds, so no command hangs. What a stream gave is kept in the run attached to `err` (see
// RunContext) for the load that follows; outside a run, only for this call.
std::string WhyNotReadable(const std::string& path, std::ostream& err);

// True when path names a regular file this process can open for reading (a names file, say), or
// a stream input that could be read. Otherwise prints "ratewise-cli: <path>: <why>" to err ("empty
// path", "no such file", "is a directory", "not a regular file" or the system's reason) and
// returns false.
bool CheckReadableFile(const std::string& path, std::ostream& err);

// The disc's notes (a title set of its title table that is missing, say), each as one
// "ratewise-cli: note: ..." line, unless --quiet.
void PrintDiscNotes(const OpenedDisc& disc, std::ostream& err);

// "no --title or --track given: taking title 3, the disc's main title".
std::string MainTitleNote(const TitleSetLoad& load);

// Loads the chosen title set of path (a stream input holds one title set, numbered 1). When there is none,
// prints "ratewise-cli: <path>: <why>" (or "ratewise-cli: --title-set: <why>" for a set or title the disc
// lacks) to err, sets status (FailureKind::BadInput, or FailureKind::Usage for the set or title) and returns
// nothing. The reader's own diagnostics go to diagnostics; its progress lines are dropped, so the output
// holds only what the command prints. A disc that loads prints its notes first.
std::optional<TitleSetLoad> LoadTitleSet(const std::string& path, const DiscChoice& choice, std::ostream& err,
                                         std::ostream& diagnostics, FailureKind& status);

// The same with the diagnostics on err.
std::optional<TitleSetLoad> LoadTitleSet(const std::string& path, const DiscChoice& choice, std::ostream& err,
                                         FailureKind& status);

} // namespace ratewise::cli
