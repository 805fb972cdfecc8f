// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/printable_text.h"

#include "common/string_format.h"

namespace ratewise {

std::string PrintableText(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F)
            shown += c;
        else if (c == '\n')
            shown += "\\n";
        else if (c == '\r')
            shown += "\\r";
        else if (c == '\t')
            shown += "\\t";
        else
            shown += StringPrintf("\\x%02X", byte);
    }
    return shown;
}

} // namespace ratewise
