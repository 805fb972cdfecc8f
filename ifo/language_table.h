// SPDX-License-Identifier: GPL-3.0-or-later
// LanguageTable: the 144 two-letter language codes of DVD stream attributes and their names, as
// the stream reports show them; languageName looks a code up.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace ratewise {

struct LanguageEntry {
    std::array<char, 2> code;
    std::string_view name; // at most 19 characters
};

inline constexpr std::size_t kLanguageCount = 144;
extern const std::array<LanguageEntry, kLanguageCount> LanguageTable;

// Name of the first entry whose two code bytes equal the given bytes, compared raw (an upper-case
// code matches nothing); the empty text when no entry matches.
std::string_view languageName(std::uint8_t first, std::uint8_t second);
std::string_view languageName(std::array<std::uint8_t, 2> code);

} // namespace ratewise
