// SPDX-License-Identifier: GPL-3.0-or-later
#include "ifo/byte_buffer.h"

#include <algorithm>
#include <new>

namespace ratewise {

std::optional<ByteBuffer> ByteBuffer::Allocate(std::size_t size)
{
    ByteBuffer buffer;
    if (size > 0) {
        buffer.m_data.reset(new (std::nothrow) std::uint8_t[size]());
        if (!buffer.m_data)
            return std::nullopt;
    }
    buffer.m_size = size;
    return buffer;
}

bool ByteBuffer::Grow(std::size_t newSize)
{
    if (newSize <= m_size)
        return true;
    std::unique_ptr<std::uint8_t[]> grown(new (std::nothrow) std::uint8_t[newSize]());
    if (!grown)
        return false;
    std::copy_n(m_data.get(), m_size, grown.get());
    m_data = std::move(grown);
    m_size = newSize;
    return true;
}

} // namespace ratewise
