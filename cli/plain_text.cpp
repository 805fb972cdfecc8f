// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/plain_text.h"

#include "common/string_format.h"

namespace ratewise::cli {

std::string PlainText(std::string_view windowText)
{
    std::string text = ToPlainLineEnds(windowText);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text.empty() ? text : text + "\n";
}

std::vector<std::string> TextLines(std::string_view windowText)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < windowText.size()) {
        const std::size_t end = std::min(windowText.find("\r\n", begin), windowText.size());
        if (end > begin)
            lines.emplace_back(windowText.substr(begin, end - begin));
        begin = end + 2;
    }
    return lines;
}

} // namespace ratewise::cli
