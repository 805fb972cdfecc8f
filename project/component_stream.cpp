// SPDX-License-Identifier: GPL-3.0-or-later
// Writer of the binary component stream: every value as its tag byte and payload.
#include "project/component_stream.h"

#include <limits>

namespace ratewise {

ComponentValue IntegerValue(std::int32_t value)
{
    ComponentValue v;
    v.kind = ComponentValue::Kind::Integer;
    v.integer = value;
    return v;
}

ComponentValue ExtendedValue(const Extended80& value)
{
    ComponentValue v;
    v.kind = ComponentValue::Kind::Extended;
    v.extended = value;
    return v;
}

ComponentValue StringValue(std::string_view text)
{
    ComponentValue v;
    v.kind = ComponentValue::Kind::String;
    v.text = std::string(text);
    return v;
}

ComponentValue IdentifierValue(std::string_view name)
{
    ComponentValue v;
    v.kind = ComponentValue::Kind::Identifier;
    v.text = std::string(name);
    return v;
}

ComponentValue BooleanValue(bool value)
{
    ComponentValue v;
    v.kind = ComponentValue::Kind::Boolean;
    v.flag = value;
    return v;
}

ComponentValue BinaryValue(std::vector<std::uint8_t> bytes)
{
    ComponentValue v;
    v.kind = ComponentValue::Kind::Binary;
    v.bytes = std::move(bytes);
    return v;
}

ComponentValue CollectionValue(std::vector<ComponentItem> items)
{
    ComponentValue v;
    v.kind = ComponentValue::Kind::Collection;
    v.items = std::move(items);
    return v;
}

ValueTag IntegerTag(std::int32_t value)
{
    if (value >= std::numeric_limits<std::int8_t>::min() && value <= std::numeric_limits<std::int8_t>::max())
        return ValueTag::Int8;
    if (value >= std::numeric_limits<std::int16_t>::min() &&
        value <= std::numeric_limits<std::int16_t>::max())
        return ValueTag::Int16;
    return ValueTag::Int32;
}

std::optional<std::size_t> EncodedStream::ValueOffset(std::string_view name) const
{
    for (const auto& [propertyName, offset] : valueOffsets) {
        if (propertyName == name)
            return offset;
    }
    return std::nullopt;
}

namespace {

// Appends to one stream; a text too long for its length byte clears `ok` and is not written.
class StreamBuilder
{
public:
    bool Ok() const { return m_ok; }
    EncodedStream Take() { return std::move(m_stream); }

    void Byte(std::uint8_t byte) { m_stream.bytes.push_back(byte); }
    void Tag(ValueTag tag) { Byte(static_cast<std::uint8_t>(tag)); }

    void LittleEndian(std::uint32_t value, int width)
    {
        for (int i = 0; i < width; ++i)
            Byte(static_cast<std::uint8_t>(value >> (8 * i)));
    }

    void ShortText(std::string_view text)
    {
        if (text.size() > 255) {
            m_ok = false;
            return;
        }
        Byte(static_cast<std::uint8_t>(text.size()));
        m_stream.bytes.insert(m_stream.bytes.end(), text.begin(), text.end());
    }

    void Properties(const std::vector<ComponentProperty>& properties)
    {
        for (const ComponentProperty& property : properties) {
            ShortText(property.name);
            m_stream.valueOffsets.emplace_back(property.name, m_stream.bytes.size());
            Value(property.value);
            if (property.readOnly) {
                ShortText(property.name + "_ReadOnly");
                Tag(*property.readOnly ? ValueTag::True : ValueTag::False);
            }
        }
    }

private:
    void Value(const ComponentValue& value)
    {
        switch (value.kind) {
        case ComponentValue::Kind::Integer: {
            const ValueTag tag = IntegerTag(value.integer);
            Tag(tag);
            const int width = tag == ValueTag::Int8 ? 1 : tag == ValueTag::Int16 ? 2 : 4;
            LittleEndian(static_cast<std::uint32_t>(value.integer), width);
            break;
        }
        case ComponentValue::Kind::Extended:
            Tag(ValueTag::Extended);
            m_stream.bytes.insert(m_stream.bytes.end(), value.extended.begin(), value.extended.end());
            break;
        case ComponentValue::Kind::String:
            Tag(ValueTag::String);
            ShortText(value.text);
            break;
        case ComponentValue::Kind::Identifier:
            Tag(ValueTag::Identifier);
            ShortText(value.text);
            break;
        case ComponentValue::Kind::Boolean:
            Tag(value.flag ? ValueTag::True : ValueTag::False);
            break;
        case ComponentValue::Kind::Binary:
            if (value.bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
                m_ok = false;
                return;
            }
            Tag(ValueTag::Binary);
            LittleEndian(static_cast<std::uint32_t>(value.bytes.size()), 4);
            m_stream.bytes.insert(m_stream.bytes.end(), value.bytes.begin(), value.bytes.end());
            break;
        case ComponentValue::Kind::Collection:
            Tag(ValueTag::Collection);
            for (const ComponentItem& item : value.items) {
                Tag(ValueTag::ItemStart);
                Properties(item);
                Tag(ValueTag::EndOfList);
            }
            Tag(ValueTag::EndOfList);
            break;
        }
    }

    EncodedStream m_stream;
    bool m_ok = true;
};

} // namespace

std::optional<EncodedStream> EncodeComponentStream(std::string_view className,
                                                   const std::vector<ComponentProperty>& properties)
{
    StreamBuilder builder;
    for (const char c : std::string_view("TPF0"))
        builder.Byte(static_cast<std::uint8_t>(c));
    builder.ShortText(className);
    builder.ShortText("");
    builder.Properties(properties);
    builder.Tag(ValueTag::EndOfList); // end of the properties
    builder.Tag(ValueTag::EndOfList); // end of the (empty) list of children
    if (!builder.Ok())
        return std::nullopt;
    return builder.Take();
}

} // namespace ratewise
