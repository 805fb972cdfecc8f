// SPDX-License-Identifier: GPL-3.0-or-later
// Splits a fuzz input into lines: the arguments of a command line or a sequence of requests.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace ratewise::fuzzing {

inline std::vector<std::string> Lines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace ratewise::fuzzing
