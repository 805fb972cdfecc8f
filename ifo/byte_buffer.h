// SPDX-License-Identifier: GPL-3.0-or-later
// ByteBuffer: an owned, zero-filled block of bytes whose allocation can fail without exceptions.
// The reader uses it for the header sector and every table, so running out of memory is a
// value the caller sees ("malloc", "realloc", "memory squeeze") rather than an abort.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "ifo/be_view.h"

namespace ratewise {

class ByteBuffer
{
public:
    ByteBuffer() = default;

    // A zero-filled buffer of size bytes, or nothing when the memory cannot be had.
    static std::optional<ByteBuffer> Allocate(std::size_t size);

    // Enlarges the buffer to newSize bytes, keeping the old contents and zero-filling the rest.
    // On failure the buffer is left as it was and false is returned.
    bool Grow(std::size_t newSize);

    std::size_t Size() const { return m_size; }
    bool Empty() const { return m_size == 0; }
    std::span<std::uint8_t> Span() { return {m_data.get(), m_size}; }
    std::span<const std::uint8_t> Span() const { return {m_data.get(), m_size}; }
    BeView View() const { return BeView(Span()); }

private:
    std::unique_ptr<std::uint8_t[]> m_data;
    std::size_t m_size = 0;
};

} // namespace ratewise
