// SPDX-License-Identifier: GPL-3.0-or-later
// Lenient number parsing shared by every field of the program.
#include "common/lenient_number.h"

#include <clocale>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>

namespace ratewise {
namespace {

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A "C" locale made once, so the decimal point is always '.' even when the desktop program has
// adopted the user's locale.
locale_t CLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

std::int32_t LenientAtoi(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate as a negative number so that INT32_MIN is reachable; stop growing once saturated.
    constexpr std::int64_t limit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (text[i] - '0');
    }
    if (negative)
        return magnitude >= limit ? std::numeric_limits<std::int32_t>::min()
                                  : static_cast<std::int32_t>(-magnitude);
    return magnitude >= limit ? std::numeric_limits<std::int32_t>::max()
                              : static_cast<std::int32_t>(magnitude);
}

double LenientAtof(std::string_view text)
{
    // strtod needs a terminated string; field texts are short.
    const std::string copy(text.substr(0, text.find('\0')));
    const locale_t locale = CLocale();
    if (locale == static_cast<locale_t>(nullptr))
        return std::strtod(copy.c_str(), nullptr);
    return strtod_l(copy.c_str(), nullptr, locale);
}

} // namespace ratewise
