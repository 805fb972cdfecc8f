// SPDX-License-Identifier: GPL-3.0-or-later
// Language tags for the streams an encode carries.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ratewise {

// The ISO 639-2 tag of a DVD stream's two-letter language code ("en" -> "eng", "de" -> "ger");
// "und" for a code that is not set or not known.
std::string LanguageTag(std::array<std::uint8_t, 2> code);

} // namespace ratewise
