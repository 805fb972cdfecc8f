// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ascii_case.h"

#include <algorithm>

namespace ratewise {

std::string AsciiLowered(std::string_view text)
{
    std::string lowered(text);
    for (char& c : lowered)
        c = AsciiLower(c);
    return lowered;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view ending)
{
    return text.size() >= ending.size() &&
           SameIgnoringAsciiCase(text.substr(text.size() - ending.size()), ending);
}

} // namespace ratewise
