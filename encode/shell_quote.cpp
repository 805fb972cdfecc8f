// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/shell_quote.h"

#include <algorithm>
#include <array>

namespace ratewise {
namespace {

bool IsPlain(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == '/' || c == ',' || c == ':' || c == '+' || c == '=' || c == '@' ||
           c == '%';
}

// Where a command's name goes, sh reads NAME=value as an assignment and a reserved word as part of
// its grammar, however plain their characters.
bool ReadAsGrammar(std::string_view word)
{
    static constexpr std::array<std::string_view, 17> kReservedWords{
        "case",     "coproc", "do", "done",   "elif", "else", "esac",  "fi",   "for",
        "function", "if",     "in", "select", "then", "time", "until", "while"};
    return word.find('=') != std::string_view::npos ||
           std::find(kReservedWords.begin(), kReservedWords.end(), word) != kReservedWords.end();
}

} // namespace

std::string ShellQuote(std::string_view text)
{
    bool plain = !text.empty();
    for (const char c : text)
        plain = plain && IsPlain(c);
    if (plain)
        return std::string(text);
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

std::string ShellWords(const std::vector<std::string>& words)
{
    std::string line;
    for (const std::string& word : words) {
        std::string quoted = ShellQuote(word);
        // The first word is the command: "X=1" or "if" there must stay its name.
        if (line.empty() && quoted == word && ReadAsGrammar(word))
            quoted = "'" + word + "'";
        line += (line.empty() ? "" : " ") + quoted;
    }
    return line;
}

} // namespace ratewise
