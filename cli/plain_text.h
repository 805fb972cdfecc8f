// SPDX-License-Identifier: GPL-3.0-or-later
// Window texts as plain command-line output: "\n" line ends and no blank padding lines after
// the last line of text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ratewise::cli {

// `windowText` with "\n" line ends and without trailing blank lines; ends with one "\n" unless
// it is empty.
std::string PlainText(std::string_view windowText);

} // namespace ratewise::cli
