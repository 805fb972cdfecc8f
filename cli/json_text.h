// SPDX-License-Identifier: GPL-3.0-or-later
// How ratewise-cli prints a JSON object: indented by two, and never failing on text that is not
// UTF-8 (a typed field or a path may hold any bytes): such bytes become U+FFFD. Every object
// carries the schemaVersion of the layout.
#pragma once

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace ratewise::cli {

// The version of the JSON layout, in every object printed: it grows when keys are added and
// changes its meaning never; a key once printed stays.
inline constexpr int kJsonSchemaVersion = 1;

inline std::string JsonText(const nlohmann::json& object)
{
    if (!object.is_object() || object.contains("schemaVersion"))
        return object.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
    nlohmann::json versioned = object;
    versioned["schemaVersion"] = kJsonSchemaVersion;
    return versioned.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

// The `lines` of a window's text: its lines without the "\r\n" ends and without the empty lines
// that pad the window (no shown line is ever empty).
inline std::vector<std::string> TextLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = std::min(text.find("\r\n", begin), text.size());
        if (end > begin)
            lines.push_back(text.substr(begin, end - begin));
        begin = end + 2;
    }
    return lines;
}

} // namespace ratewise::cli
