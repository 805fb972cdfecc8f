// SPDX-License-Identifier: GPL-3.0-or-later
// The tests' own reader of project files; shares no code with the writer.
#include "tests/project/tpr_reader.h"

#include <cstdio>
#include <cstring>

namespace ratewise::test_support {
namespace {

class Cursor
{
public:
    explicit Cursor(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::size_t Offset() const { return m_offset; }
    bool AtEnd() const { return m_offset == m_bytes.size(); }

    std::optional<std::span<const std::uint8_t>> Take(std::size_t count)
    {
        if (count > m_bytes.size() - m_offset)
            return std::nullopt;
        const auto part = m_bytes.subspan(m_offset, count);
        m_offset += count;
        return part;
    }
    std::optional<std::uint8_t> U8()
    {
        const auto part = Take(1);
        return part ? std::optional<std::uint8_t>((*part)[0]) : std::nullopt;
    }
    std::optional<std::uint32_t> Le(std::size_t width)
    {
        const auto part = Take(width);
        if (!part)
            return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = width; i-- > 0;)
            value = value << 8 | (*part)[i];
        return value;
    }
    std::optional<std::string> ShortString()
    {
        const auto length = U8();
        if (!length)
            return std::nullopt;
        const auto part = Take(*length);
        if (!part)
            return std::nullopt;
        return std::string(part->begin(), part->end());
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_offset = 0;
};

bool ReadProperties(Cursor& cursor, const std::string& prefix, TprFile& file, std::size_t base);

std::optional<std::string> ReadValue(Cursor& cursor, const std::string& path, TprFile& file, std::size_t base)
{
    const auto tag = cursor.U8();
    if (!tag)
        return std::nullopt;
    const auto signedValue = [](std::uint32_t raw, int bits) {
        const std::int64_t value = raw;
        return value >= (std::int64_t{1} << (bits - 1)) ? value - (std::int64_t{1} << bits) : value;
    };
    switch (*tag) {
    case 0x02:
    case 0x03:
    case 0x04: {
        const int width = *tag == 0x02 ? 1 : *tag == 0x03 ? 2 : 4;
        const auto raw = cursor.Le(static_cast<std::size_t>(width));
        if (!raw)
            return std::nullopt;
        return "int" + std::to_string(width * 8) + " " + std::to_string(signedValue(*raw, width * 8));
    }
    case 0x05: {
        const auto part = cursor.Take(10);
        return part ? std::optional<std::string>("ext " + HexBytes(*part)) : std::nullopt;
    }
    case 0x06:
    case 0x07: {
        const auto text = cursor.ShortString();
        if (!text)
            return std::nullopt;
        return *tag == 0x06 ? "string \"" + *text + "\"" : "ident " + *text;
    }
    case 0x08:
        return "false";
    case 0x09:
        return "true";
    case 0x0A: {
        const auto count = cursor.Le(4);
        if (!count)
            return std::nullopt;
        const auto part = cursor.Take(*count);
        return part ? std::optional<std::string>("binary " + HexBytes(*part)) : std::nullopt;
    }
    case 0x0E: {
        // Rows of the items come after the collection's own row; count them first.
        const std::size_t collectionRow = file.rows.size();
        file.rows.push_back({path, ""});
        int items = 0;
        for (;;) {
            const auto marker = cursor.U8();
            if (!marker)
                return std::nullopt;
            if (*marker == 0x00)
                break;
            if (*marker != 0x01)
                return std::nullopt;
            if (!ReadProperties(cursor, path + "[" + std::to_string(items) + "].", file, base))
                return std::nullopt;
            ++items;
        }
        file.rows[collectionRow].value = "collection " + std::to_string(items);
        return std::string(); // the row is already in place
    }
    default:
        return std::nullopt;
    }
}

// Properties up to and including the closing zero byte.
bool ReadProperties(Cursor& cursor, const std::string& prefix, TprFile& file, std::size_t base)
{
    for (;;) {
        const auto length = cursor.U8();
        if (!length)
            return false;
        if (*length == 0)
            return true;
        const auto name = cursor.Take(*length);
        if (!name)
            return false;
        const std::string path = prefix + std::string(name->begin(), name->end());
        file.valueOffsets.emplace_back(path, base + cursor.Offset());
        const auto value = ReadValue(cursor, path, file, base);
        if (!value)
            return false;
        if (!value->empty())
            file.rows.push_back({path, *value});
    }
}

} // namespace

std::string HexBytes(std::span<const std::uint8_t> bytes)
{
    std::string text;
    for (const std::uint8_t byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02x", byte);
        if (!text.empty())
            text += ' ';
        text += digits;
    }
    return text;
}

std::optional<TprFile> ReadTpr(std::span<const std::uint8_t> bytes)
{
    static constexpr std::uint8_t kHeader[] = {0xFF, 0x0A, 0x00, 'J', 'O', 'B', 0x00, 0x30, 0x10};
    if (bytes.size() < 13 || std::memcmp(bytes.data(), kHeader, sizeof kHeader) != 0)
        return std::nullopt;
    TprFile file;
    file.headerLength = std::uint32_t(bytes[9]) | std::uint32_t(bytes[10]) << 8 |
                        std::uint32_t(bytes[11]) << 16 | std::uint32_t(bytes[12]) << 24;

    Cursor cursor(bytes.subspan(13));
    const auto signature = cursor.Take(4);
    if (!signature || std::memcmp(signature->data(), "TPF0", 4) != 0)
        return std::nullopt;
    const auto className = cursor.ShortString();
    const auto objectName = cursor.ShortString();
    if (!className || !objectName)
        return std::nullopt;
    file.className = *className;
    file.objectName = *objectName;
    if (!ReadProperties(cursor, "", file, 13))
        return std::nullopt;
    const auto children = cursor.U8();
    if (!children || *children != 0x00 || !cursor.AtEnd())
        return std::nullopt;
    return file;
}

} // namespace ratewise::test_support
