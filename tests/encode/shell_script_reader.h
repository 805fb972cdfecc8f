// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a shell script the way POSIX sh splits it into commands and words, for tests and fuzz
// targets that check what a printed plan would run. Only literal words are taken: anything the
// shell would expand or run beyond them (parameters, command substitution, globs, tildes,
// assignments, reserved words, subshells, unquoted here-documents) is an error, not a word.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ratewise::test_support {

struct ShellRedirect {
    std::string op;     // ">", ">>", "<", "<<", ...
    std::string target; // the file, or a here-document's delimiter, after quote removal
    friend bool operator==(const ShellRedirect&, const ShellRedirect&) = default;
};

// One simple command: its words after quote removal, its redirections and the bodies of its
// here-documents (each line with its "\n"), in the order of their "<<".
struct ShellCommand {
    std::vector<std::string> words;
    std::vector<ShellRedirect> redirects;
    std::vector<std::string> hereDocuments;
    friend bool operator==(const ShellCommand&, const ShellCommand&) = default;
};

// The commands of one line (or of lines joined by a trailing "|", "&&" or "||"), with the
// operators between them: operators[i] stands between commands[i] and commands[i + 1].
struct ShellStatement {
    std::vector<ShellCommand> commands;
    std::vector<std::string> operators;
    friend bool operator==(const ShellStatement&, const ShellStatement&) = default;
};

struct ShellComment {
    std::string text; // from the '#' to the end of its line
    bool startsLine = false;
};

struct ShellScript {
    std::vector<ShellStatement> statements;
    std::vector<ShellComment> comments;
    std::string error; // empty when the whole script was read as literal words
};

ShellScript ReadShellScript(std::string_view text);

} // namespace ratewise::test_support
