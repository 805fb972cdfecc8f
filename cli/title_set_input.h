// SPDX-License-Identifier: GPL-3.0-or-later
// Reading FILE for the commands that work on a title set: the track list as the window's load
// makes it, or one line on stderr saying why there is none. FILE may be "-" for standard input,
// or a pipe (/dev/stdin, a FIFO): such input is read once into memory and kept for the run.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "ifo/byte_source.h"
#include "ifo/title_set_info.h"
#include "ifo/track_list.h"

namespace ratewise::cli {

// Most bytes read from a stream input; a title set's information file is far smaller.
inline constexpr std::size_t kMaxStreamedInput = 64u << 20;

// True when path names a regular file this process can open for reading, or a stream input
// that could be read. Otherwise prints "ratewise-cli: <path>: <why>" to err ("empty path", "no
// such file", "is a directory", "not a regular file" or the system's reason) and returns false.
// A named pipe that nobody writes to is given up after 2 seconds: no command hangs.
bool CheckReadableFile(const std::string& path, std::ostream& err);

// The bytes of path as a source to read from, after CheckReadableFile; nothing (and one error
// line) when it cannot be opened.
std::unique_ptr<ByteSource> OpenInput(const std::string& path, std::ostream& err);

// The title set at path, opened; nothing (and one error line) when it cannot be read or is no
// title set.
std::unique_ptr<TitleSetInfo> OpenTitleSetInfo(const std::string& path, std::ostream& err);

// Loads the title set at path. When it is missing, cannot be read or is not a title-set
// information file, prints "ratewise-cli: <path>: <why>" to err and returns nothing (the caller
// exits with kExitBadInput). The reader's own diagnostics also go to err; its progress lines are
// dropped, so the output holds only what the command prints.
std::optional<TrackList> LoadTitleSet(const std::string& path, std::ostream& err);

} // namespace ratewise::cli
