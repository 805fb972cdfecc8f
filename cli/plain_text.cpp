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

} // namespace ratewise::cli
