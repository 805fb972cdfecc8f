// SPDX-License-Identifier: GPL-3.0-or-later
// Checks for option values that refuse in the house form, "expected <what it takes>, got
// '<value>'", so a refusal names the option, the value and what would do.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>
#include <vector>

namespace ratewise::cli {

// A whole number (digits, an optional minus sign) from `lowest` to `highest`, described as
// `noun` ("a width in pixels").
CLI::Validator WholeNumber(const std::string& noun, std::int64_t lowest, std::int64_t highest);

// A track number: any whole number here; whether the title set has it is checked once it is
// read (see TrackOutOfRange).
CLI::Validator TrackNumber();

// One of `names`, matched without regard to case and rewritten to the name as listed.
CLI::Validator OneOf(const std::vector<std::string>& names);

// The refusal of a track the title set does not have: "--track: expected a track number from 1
// to 4, got '9'".
void PrintTrackOutOfRange(std::ostream& err, const std::string& option, const std::string& given,
                          int trackCount);

// "a, b or c".
std::string Listed(const std::vector<std::string>& names, const char* last = " or ");

} // namespace ratewise::cli
