// SPDX-License-Identifier: GPL-3.0-or-later
// Letter case without a locale: only A-Z and a-z change, so a file name, an option value or an
// ending compares the same whatever language the machine runs in (std::tolower follows the C
// locale, which may fold other bytes too).
#pragma once

#include <string>
#include <string_view>

namespace ratewise {

constexpr char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `text` with A-Z written as a-z.
std::string AsciiLowered(std::string_view text);

// True when `a` and `b` differ at most in the case of A-Z.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

// True when `text` ends with `ending`, without regard to the case of A-Z.
bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view ending);

} // namespace ratewise
