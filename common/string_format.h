// SPDX-License-Identifier: GPL-3.0-or-later
// printf-style formatting into a std::string, so texts come out exactly as printf makes them.
#pragma once

#include <string>
#include <string_view>

namespace ratewise {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string
StringPrintf(const char* format, ...);

// The calculator's two-digit rule: a value of 9 or less gets a "0" prepended as text, never a
// width specifier, so -1 becomes "0-1"; the tests and the command line's output rely on that form.
std::string WithLeadingZero(long long value);

// Replaces every "\r\n" by "\n": plain command-line output uses bare line feeds.
std::string ToPlainLineEnds(std::string_view text);

} // namespace ratewise
