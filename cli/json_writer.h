// SPDX-License-Identifier: GPL-3.0-or-later
// A JSON writer that streams into one text, for the commands whose objects are large (`disc`,
// `tracks`): building the same object as a tree of maps first cost more than reading the disc.
// It writes exactly what JsonText (cli/json_text.h) prints for the same object: indented by two,
// each object's keys in byte order whatever order they were given in, numbers as the JSON
// library writes them and bytes that are not UTF-8 replaced by U+FFFD.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace ratewise::cli {

class JsonWriter
{
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    // The next value is the member `key` of the open object.
    JsonWriter& Key(std::string_view key);

    JsonWriter& Null();
    JsonWriter& Bool(bool value);
    JsonWriter& Int(std::int64_t value);
    JsonWriter& Double(double value);
    JsonWriter& String(std::string_view value);

    // A value by its C++ type, as the JSON library would take it: bool, integer, floating point,
    // text, or a vector of those as an array.
    template <typename T> JsonWriter& Value(const T& value)
    {
        if constexpr (std::is_same_v<T, bool>)
            return Bool(value);
        else if constexpr (std::is_integral_v<T>)
            return Int(static_cast<std::int64_t>(value));
        else if constexpr (std::is_floating_point_v<T>)
            return Double(static_cast<double>(value));
        else if constexpr (std::is_convertible_v<const T&, std::string_view>)
            return String(value);
        else {
            BeginArray();
            for (const auto& item : value)
                Value(item);
            return EndArray();
        }
    }
    template <typename T> JsonWriter& Member(std::string_view key, const T& value)
    {
        Key(key);
        return Value(value);
    }

    // The text written; every object and array must be closed.
    const std::string& Text() const { return m_text; }

private:
    struct Written {
        std::size_t keyBegin, keyEnd; // the key's escaped text, quotes left out
        std::size_t begin, end;       // the whole member
    };
    struct Open {
        bool object;
        std::size_t begin; // where its first member or element begins
        std::size_t count = 0;
        std::vector<Written> members;
    };

    void BeforeValue();
    void AfterValue();
    void Indent(std::size_t depth);

    std::string m_text;
    std::vector<Open> m_open;
    std::string m_scratch;
};

} // namespace ratewise::cli
