// SPDX-License-Identifier: GPL-3.0-or-later
// printf-style formatting helpers.
#include "common/string_format.h"

#include <cstdarg>
#include <cstdio>

namespace ratewise {

std::string StringPrintf(const char* format, ...)
{
    // Most texts are short: format once into a stack buffer, and again only when it was too small.
    char buffer[256];
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, copy);
    va_end(copy);
    std::string result;
    if (length > 0 && static_cast<std::size_t>(length) < sizeof buffer) {
        result.assign(buffer, static_cast<std::size_t>(length));
    } else if (length > 0) {
        result.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(result.data(), result.size(), format, args);
        result.resize(static_cast<std::size_t>(length));
    }
    va_end(args);
    return result;
}

std::string WithLeadingZero(long long value)
{
    std::string digits = StringPrintf("%lld", value);
    return value <= 9 ? "0" + digits : digits;
}

std::string ToPlainLineEnds(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        result += text[i];
    }
    return result;
}

} // namespace ratewise
