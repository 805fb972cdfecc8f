// SPDX-License-Identifier: GPL-3.0-or-later
// The name a mistyped command or option most likely meant ("calk" -> "calc").
#pragma once

#include <string>
#include <vector>

namespace ratewise::cli {

// The candidate with the fewest single-character edits from `typed` (case ignored), when it is
// close enough to be a likely typo; otherwise the empty text.
std::string NearestName(const std::string& typed, const std::vector<std::string>& candidates);

} // namespace ratewise::cli
