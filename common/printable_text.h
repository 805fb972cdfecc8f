// SPDX-License-Identifier: GPL-3.0-or-later
// Text from the user or a disc shown where a line break or a control character would do harm: in
// a one-line message, or in a comment of a shell script, where a newline would end the comment and
// make the rest of the name a command.
#pragma once

#include <string>
#include <string_view>

namespace ratewise {

// `text` with every control character (bytes 0x00-0x1F and 0x7F) written as an escape: \n, \r,
// \t, else \xHH. Every other byte, UTF-8 included, stays as it is, so the result is one line.
std::string PrintableText(std::string_view text);

} // namespace ratewise
