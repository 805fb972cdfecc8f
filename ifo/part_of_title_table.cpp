// SPDX-License-Identifier: GPL-3.0-or-later
#include "ifo/part_of_title_table.h"

#include <algorithm>

#include "ifo/byte_buffer.h"
#include "ifo/seek_read.h"

namespace ratewise {

namespace {

constexpr std::size_t kTableHeaderSize = 8; // title count, reserved, end address
constexpr std::size_t kPartEntrySize = 4;   // program chain, program
constexpr std::size_t kPartTablePointer = 0x0C8;
constexpr std::uint16_t kMostTitlesInASet = 99;

} // namespace

std::optional<std::vector<TitleParts>> ParsePartOfTitleTable(BeView table)
{
    const std::optional<std::uint16_t> titleCount = table.U16(0);
    const std::optional<std::uint32_t> endAddress = table.U32(4);
    if (!titleCount || !endAddress || *titleCount == 0 || *titleCount > kMostTitlesInASet)
        return std::nullopt;
    // The end address is the table's last byte; a table that claims more than we hold is cut to
    // what we hold, and the offsets below must stay inside it.
    const std::size_t end = std::min<std::size_t>(std::size_t{*endAddress} + 1, table.Size());

    std::vector<std::uint32_t> offsets;
    offsets.reserve(*titleCount);
    for (std::size_t i = 0; i < *titleCount; ++i) {
        const std::optional<std::uint32_t> offset = table.U32(kTableHeaderSize + 4 * i);
        if (!offset || *offset < kTableHeaderSize + 4 * std::size_t{*titleCount} || *offset > end)
            return std::nullopt;
        if (!offsets.empty() && *offset < offsets.back())
            return std::nullopt;
        offsets.push_back(*offset);
    }

    std::vector<TitleParts> titles(*titleCount);
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        const std::size_t from = offsets[i];
        const std::size_t to = i + 1 < offsets.size() ? offsets[i + 1] : end;
        for (std::size_t at = from; at + kPartEntrySize <= to; at += kPartEntrySize) {
            const std::optional<std::uint16_t> chain = table.U16(at);
            const std::optional<std::uint16_t> program = table.U16(at + 2);
            if (!chain || !program)
                return std::nullopt;
            titles[i].push_back({*chain, *program});
        }
    }
    return titles;
}

std::optional<std::vector<TitleParts>> ReadPartOfTitleTable(ByteSource& source, BeView header)
{
    const std::optional<std::uint32_t> sector = header.U32(kPartTablePointer);
    if (!sector || *sector == 0)
        return std::nullopt;
    const std::int64_t position = std::int64_t{*sector} * kSectorSize;
    std::optional<ByteBuffer> buffer = ByteBuffer::Allocate(kSectorSize);
    if (!buffer || ifoSeekRead(source, position, buffer->Span()) <= 0)
        return std::nullopt;
    const std::optional<std::uint32_t> endAddress = buffer->View().U32(4);
    if (endAddress && std::uint64_t{*endAddress} + 1 > kSectorSize) {
        if (!buffer->Grow(TableBufferSize(source, position, std::uint64_t{*endAddress} + 1)) ||
            ifoSeekRead(source, position, buffer->Span()) <= 0)
            return std::nullopt;
    }
    return ParsePartOfTitleTable(buffer->View());
}

} // namespace ratewise
