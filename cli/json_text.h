// SPDX-License-Identifier: GPL-3.0-or-later
// How ratewise-cli prints a JSON object: indented by two, and never failing on text that is not
// UTF-8 (a typed field or a path may hold any bytes): such bytes become U+FFFD.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace ratewise::cli {

inline std::string JsonText(const nlohmann::json& object)
{
    return object.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace ratewise::cli
