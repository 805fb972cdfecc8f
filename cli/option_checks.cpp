// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/option_checks.h"

#include <charconv>
#include <optional>

#include "cli/messages.h"
#include "common/ascii_case.h"

namespace ratewise::cli {
namespace {

std::optional<std::int64_t> WholeNumberOf(const std::string& text)
{
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

std::string Expected(const std::string& what, const std::string& got)
{
    return "expected " + what + ", got '" + got + "'";
}

} // namespace

std::string Listed(const std::vector<std::string>& names, const char* last)
{
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? last : ", ") + names[i];
    return text;
}

CLI::Validator WholeNumber(const std::string& noun, std::int64_t lowest, std::int64_t highest)
{
    const std::string what = noun + " from " + std::to_string(lowest) + " to " + std::to_string(highest);
    return CLI::Validator(
        [what, lowest, highest](std::string& text) {
            const std::optional<std::int64_t> value = WholeNumberOf(text);
            return value && *value >= lowest && *value <= highest ? std::string() : Expected(what, text);
        },
        "");
}

CLI::Validator TrackNumber()
{
    return CLI::Validator(
        [](std::string& text) {
            // Within int, so the number reaches the range check after the title set is read.
            const std::optional<std::int64_t> value = WholeNumberOf(text);
            return value && *value >= -1000000 && *value <= 1000000
                       ? std::string()
                       : Expected("a track number (1 for the first)", text);
        },
        "");
}

CLI::Validator OneOf(const std::vector<std::string>& names)
{
    return CLI::Validator(
               [names](std::string& text) {
                   for (const std::string& name : names) {
                       if (SameIgnoringAsciiCase(name, text)) {
                           text = name;
                           return std::string();
                       }
                   }
                   return Expected(Listed(names), text);
               },
               "")
        .non_modifying(false);
}

void PrintTrackOutOfRange(std::ostream& err, const std::string& option, const std::string& given,
                          int trackCount)
{
    if (trackCount <= 0)
        PrintRefusal(err, option, "the title set has no tracks");
    else
        PrintUsageError(err, option, "a track number from 1 to " + std::to_string(trackCount), given);
}

} // namespace ratewise::cli
