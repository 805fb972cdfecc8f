// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/shell_quote.h"

namespace ratewise {
namespace {

bool IsPlain(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == '/' || c == ',' || c == ':' || c == '+' || c == '=' || c == '@' ||
           c == '%';
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
    for (const std::string& word : words)
        line += (line.empty() ? "" : " ") + ShellQuote(word);
    return line;
}

} // namespace ratewise
