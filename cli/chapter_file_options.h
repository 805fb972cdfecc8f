// SPDX-License-Identifier: GPL-3.0-or-later
// What `chapters` and `split` share for the chapter files they write: --names and --language,
// and writing a file in one step.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "chapters/chapter_forms.h"
#include "chapters/player_chapters.h"
#include "common/failure_kind.h"

namespace ratewise::cli {

struct ChapterNameOptions {
    std::string namesPath;
    std::string language = "und";
    std::vector<std::string> namesPaths; // --names given once per title, where a command takes that
};

// Adds --names FILE and --language CODE to `command`; with OnePerTitle, --names may be given once
// for each title (into namesPaths).
enum class NamesFiles { One, OnePerTitle };
void AddChapterNameOptions(CLI::App& command, ChapterNameOptions& options,
                           NamesFiles files = NamesFiles::One);

// The names of --names (none without it). Nothing, after one error line, when the file cannot be
// read or is not UTF-8 text; the caller exits with FailureKind::BadInput.
std::optional<std::vector<std::string>> ReadChapterNames(const ChapterNameOptions& options,
                                                         std::ostream& err);

// Writes `text` to `path` in one step, or to `out` when `path` is "-". On failure prints
// "ratewise-cli: <path>: <why>" and returns false (the earlier file, if any, is left as it was).
bool WriteTextFile(const std::string& path, const std::string& text, std::ostream& out, std::ostream& err);

// Writes a set of files that belong together: a failure leaves every earlier file of the set as
// it was. On failure prints one line, as WriteTextFile does.
bool WriteTextFiles(const std::vector<std::pair<std::string, std::string>>& pathsAndTexts, std::ostream& err);

} // namespace ratewise::cli
