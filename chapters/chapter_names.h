// SPDX-License-Identifier: GPL-3.0-or-later
// Chapter names for the export forms: "Chapter 01" ... by default, or the lines of a UTF-8 text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ratewise {

// "Chapter 01" for n = 1; three digits from chapter 100 on.
std::string DefaultChapterName(int n);

// One name per line of `text` (UTF-8; "\n" or "\r\n" line ends; a leading byte-order mark is
// dropped; control characters become spaces, since no form can carry them). Nothing, with
// `why` set, when the text is not UTF-8.
std::optional<std::vector<std::string>> ParseChapterNames(std::string_view text, std::string& why);

// The names in the file at `path`, as ParseChapterNames takes them. Nothing, with `why` set, when
// the file cannot be opened or read, is larger than a names list can be, or is not UTF-8.
std::optional<std::vector<std::string>> ReadChapterNamesFile(const std::string& path, std::string& why);

// `count` names: the given ones in order, "Chapter NN" for those missing or empty.
std::vector<std::string> ChapterNames(std::size_t count, const std::vector<std::string>& given);

} // namespace ratewise
