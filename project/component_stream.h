// SPDX-License-Identifier: GPL-3.0-or-later
// Writer of the binary component stream ("TPF0") that encoder project files are made of.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "project/extended_real.h"

namespace ratewise {

// Tag bytes of the values the project files use.
enum class ValueTag : std::uint8_t {
    EndOfList = 0x00,
    ItemStart = 0x01,
    Int8 = 0x02,
    Int16 = 0x03,
    Int32 = 0x04,
    Extended = 0x05,
    String = 0x06,
    Identifier = 0x07,
    False = 0x08,
    True = 0x09,
    Binary = 0x0A,
    Collection = 0x0E,
};

struct ComponentProperty;
using ComponentItem = std::vector<ComponentProperty>;

// One property value. Which members count depends on `kind`.
struct ComponentValue {
    enum class Kind { Integer, Extended, String, Identifier, Boolean, Binary, Collection };
    Kind kind = Kind::Integer;
    std::int32_t integer = 0;
    bool flag = false;
    Extended80 extended{};
    std::string text;
    std::vector<std::uint8_t> bytes;
    std::vector<ComponentItem> items;
};

// A named value; with `readOnly` set, a boolean property "<name>_ReadOnly" follows it.
struct ComponentProperty {
    ComponentProperty(std::string propertyName, ComponentValue propertyValue,
                      std::optional<bool> readOnlyFlag = std::nullopt)
        : name(std::move(propertyName)), value(std::move(propertyValue)), readOnly(readOnlyFlag)
    {
    }

    std::string name;
    ComponentValue value;
    std::optional<bool> readOnly;
};

// Short constructors so that property lists read like the tables they come from.
ComponentValue IntegerValue(std::int32_t value);
ComponentValue ExtendedValue(const Extended80& value);
ComponentValue StringValue(std::string_view text);
ComponentValue IdentifierValue(std::string_view name);
ComponentValue BooleanValue(bool value);
ComponentValue BinaryValue(std::vector<std::uint8_t> bytes);
ComponentValue CollectionValue(std::vector<ComponentItem> items);

// The tag an integer is written with: the smallest signed width that holds it.
ValueTag IntegerTag(std::int32_t value);

struct EncodedStream {
    std::vector<std::uint8_t> bytes;
    // For every property written, its name and the offset of its value's tag byte. Names inside
    // collection items are listed as they are spelled there.
    std::vector<std::pair<std::string, std::size_t>> valueOffsets;

    std::optional<std::size_t> ValueOffset(std::string_view name) const;
};

// The stream for one object of class `className` with an empty object name, the given
// properties and no children: "TPF0", class, name, properties, end of properties, end of
// children. Nothing when a name or text does not fit its one length byte.
std::optional<EncodedStream> EncodeComponentStream(std::string_view className,
                                                   const std::vector<ComponentProperty>& properties);

} // namespace ratewise
