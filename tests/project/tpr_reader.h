// SPDX-License-Identifier: GPL-3.0-or-later
// An independent reader of project files for the tests: walks the header and the component
// stream and flattens every property into "path = value" rows, checking each tag on the way.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace ratewise::test_support {

struct TprRow {
    std::string path;  // property name; inside a collection "Collection[i].Name"
    std::string value; // "int8 0", "int16 352", "int32 1150000", "ext <10 hex bytes>", "string \"x\"",
                       // "ident X", "true", "false", "binary <hex>", "collection N"
    friend bool operator==(const TprRow&, const TprRow&) = default;
};

struct TprFile {
    std::uint32_t headerLength = 0; // the length field of the header
    std::string className;
    std::string objectName;
    std::vector<TprRow> rows;
    std::vector<std::pair<std::string, std::size_t>> valueOffsets; // path -> offset of the value's tag byte
};

// Nothing when the bytes are not exactly one header and one complete stream.
std::optional<TprFile> ReadTpr(std::span<const std::uint8_t> bytes);

std::string HexBytes(std::span<const std::uint8_t> bytes);

} // namespace ratewise::test_support
