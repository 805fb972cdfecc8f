// SPDX-License-Identifier: GPL-3.0-or-later
// BeView: a read-only, bounds-checked big-endian view over bytes. Every read of a title-set buffer
// goes through it; a read that does not fit yields nothing instead of touching foreign memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace ratewise {

class BeView
{
public:
    BeView() = default;
    explicit BeView(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::size_t Size() const { return m_bytes.size(); }
    std::span<const std::uint8_t> Bytes() const { return m_bytes; }

    std::optional<std::uint8_t> U8(std::size_t offset) const
    {
        if (!Fits(offset, 1))
            return std::nullopt;
        return m_bytes[offset];
    }

    std::optional<std::uint16_t> U16(std::size_t offset) const
    {
        if (!Fits(offset, 2))
            return std::nullopt;
        const std::uint8_t* p = m_bytes.data() + offset;
        return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
    }

    std::optional<std::uint32_t> U32(std::size_t offset) const
    {
        if (!Fits(offset, 4))
            return std::nullopt;
        const std::uint8_t* p = m_bytes.data() + offset;
        return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
    }

    // The bytes [offset, offset + length), or nothing when they are not all inside the view.
    std::optional<BeView> Sub(std::size_t offset, std::size_t length) const
    {
        if (!Fits(offset, length))
            return std::nullopt;
        return BeView(m_bytes.subspan(offset, length));
    }

    // Everything from offset to the end of the view; nothing when offset lies beyond the end.
    std::optional<BeView> From(std::size_t offset) const
    {
        if (offset > m_bytes.size())
            return std::nullopt;
        return BeView(m_bytes.subspan(offset));
    }

    // True when length bytes starting at offset lie inside the view. Written so that no
    // addition can overflow, whatever the two numbers are.
    bool Fits(std::size_t offset, std::size_t length) const
    {
        return length <= m_bytes.size() && offset <= m_bytes.size() - length;
    }

private:
    std::span<const std::uint8_t> m_bytes;
};

} // namespace ratewise
