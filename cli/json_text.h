// SPDX-License-Identifier: GPL-3.0-or-later
// How ratewise-cli prints a JSON object: indented by two, and never failing on text that is not
// UTF-8 (a typed field or a path may hold any bytes): such bytes become U+FFFD. Every object
// carries the schemaVersion of the layout.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

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

} // namespace ratewise::cli
