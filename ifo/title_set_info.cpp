// SPDX-License-Identifier: GPL-3.0-or-later
#include "ifo/title_set_info.h"

#include <algorithm>
#include <string_view>

#include "ifo/seek_read.h"

namespace ratewise {

namespace {

constexpr std::string_view kTitleSetIdentifier = "DVDVIDEO-VTS";
constexpr std::size_t kPgcTableSectorOffset = 0x0CC;

} // namespace

bool ifoReadPGCIT(ByteSource& source, std::uint32_t sector, ByteBuffer& out)
{
    if (sector == 0)
        return false;
    std::optional<ByteBuffer> buffer = ByteBuffer::Allocate(kSectorSize);
    if (!buffer)
        return false;
    const std::int64_t position = std::int64_t{sector} * kSectorSize;
    if (ifoSeekRead(source, position, buffer->Span()) <= 0)
        return false;

    // The end address is the offset of the table's last byte, so the table is one byte longer.
    const std::uint64_t size = std::uint64_t{*buffer->View().U32(4)} + 1;
    if (size > kSectorSize) {
        if (!buffer->Grow(TableBufferSize(source, position, size)))
            return false;
        // A failed second read keeps the first sector; the rest stays zero.
        ifoSeekRead(source, position, buffer->Span());
    }
    out = std::move(*buffer);
    return true;
}

std::unique_ptr<TitleSetInfo> ifoOpen(ByteSource& source)
{
    std::optional<ByteBuffer> header = ByteBuffer::Allocate(kSectorSize);
    if (!header)
        return nullptr;
    // A short read is accepted; the unread rest of the header stays zero.
    if (ifoSeekRead(source, 0, header->Span()) < 0)
        return nullptr;
    const auto identifier = header->Span().first(kTitleSetIdentifier.size());
    if (!std::equal(identifier.begin(), identifier.end(), kTitleSetIdentifier.begin()))
        return nullptr;

    auto info = std::unique_ptr<TitleSetInfo>(new (std::nothrow) TitleSetInfo);
    if (!info)
        return nullptr;
    if (!ifoReadPGCIT(source, *header->View().U32(kPgcTableSectorOffset), info->pgcTable))
        return nullptr;
    info->header = std::move(*header);
    return info;
}

std::unique_ptr<TitleSetInfo> ifoOpen(const std::string& path)
{
    std::unique_ptr<ByteSource> file = OpenFileSource(path);
    if (!file)
        return nullptr;
    return ifoOpen(*file);
}

std::unique_ptr<TitleSetInfo> ifoOpen(std::span<const std::uint8_t> bytes)
{
    MemoryByteSource memory(bytes);
    return ifoOpen(memory);
}

bool ifoClose(std::unique_ptr<TitleSetInfo> info)
{
    info.reset();
    return true;
}

} // namespace ratewise
