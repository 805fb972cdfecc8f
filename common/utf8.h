// SPDX-License-Identifier: GPL-3.0-or-later
// Well-formed UTF-8, as the chapter-name files and the JSON output need it.
#pragma once

#include <cstddef>
#include <string_view>

namespace ratewise {

// Length of the UTF-8 sequence at text[at] (1 for ASCII), 0 when it is not a well-formed one
// (overlong forms, surrogates and values past U+10FFFF included).
std::size_t Utf8Length(std::string_view text, std::size_t at);

} // namespace ratewise
