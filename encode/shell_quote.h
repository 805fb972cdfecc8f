// SPDX-License-Identifier: GPL-3.0-or-later
// Quoting for POSIX sh: any byte string survives as one word (spaces, quotes, non-ASCII).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ratewise {

// The text as it is when it holds only characters sh never treats specially, else in single
// quotes with each ' written as '\''. The empty text becomes ''.
std::string ShellQuote(std::string_view text);

// The words quoted and joined by spaces. The first is quoted also where sh would read it, as a
// command's name, as an assignment (NAME=value) or a reserved word (if, done, ...).
std::string ShellWords(const std::vector<std::string>& words);

} // namespace ratewise
