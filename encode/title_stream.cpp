// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/title_stream.h"

#include <algorithm>

#include "ifo/byte_buffer.h"

namespace ratewise {
namespace {

constexpr std::size_t kSector = 2048;
constexpr std::uint32_t kChunkSectors = 256; // half a megabyte at a time

} // namespace

std::vector<SectorRange> PlaybackSectors(std::span<const CellEntry> cells, int firstChapter, int lastChapter)
{
    std::vector<SectorRange> ranges;
    for (const CellEntry& cell : cells) {
        const int chapter = cell.program + 1;
        const int angle = cell.angle & 0x0F;
        if (chapter < firstChapter || chapter > lastChapter || angle > 1)
            continue;
        if (!ranges.empty() && ranges.back().last != UINT32_MAX && ranges.back().last + 1 == cell.firstSector)
            ranges.back().last = cell.lastSector;
        else
            ranges.push_back({cell.firstSector, cell.lastSector});
    }
    return ranges;
}

bool IsScrambledPack(std::span<const std::uint8_t> pack)
{
    // An MPEG-2 pack header of 14 bytes, then the first PES packet: byte 0x14 holds its
    // scrambling-control bits.
    if (pack.size() < 0x15 || pack[0] != 0 || pack[1] != 0 || pack[2] != 1 || pack[3] != 0xBA)
        return false;
    return (pack[0x14] & 0x30) != 0;
}

namespace {

bool InsideVobs(const ByteSource& vobs, std::span<const SectorRange> ranges)
{
    const std::uint64_t vobSectors = vobs.Size() / kSector;
    return std::all_of(ranges.begin(), ranges.end(), [vobSectors](const SectorRange& range) {
        return range.last >= range.first && range.last < vobSectors;
    });
}

// Reads `chunk.size()` bytes from `sector` on and checks them for scrambled packs.
StreamResult ReadChunk(ByteSource& vobs, std::uint64_t sector, std::span<std::uint8_t> chunk)
{
    if (!vobs.Seek(static_cast<std::int64_t>(sector * kSector)))
        return StreamResult::ReadFailed;
    for (std::size_t done = 0; done < chunk.size();) {
        const std::int64_t got = vobs.Read(chunk.subspan(done));
        if (got <= 0)
            return StreamResult::ReadFailed;
        done += static_cast<std::size_t>(got);
    }
    for (std::size_t at = 0; at < chunk.size(); at += kSector)
        if (IsScrambledPack(chunk.subspan(at, kSector)))
            return StreamResult::Scrambled;
    return StreamResult::Done;
}

} // namespace

StreamResult CheckSectors(ByteSource& vobs, std::span<const SectorRange> ranges)
{
    if (!InsideVobs(vobs, ranges))
        return StreamResult::OutsideVobs;
    if (ranges.empty())
        return StreamResult::Done;
    std::optional<ByteBuffer> buffer = ByteBuffer::Allocate(kChunkSectors * kSector);
    if (!buffer)
        return StreamResult::ReadFailed;
    const std::uint64_t count =
        std::min<std::uint64_t>(kChunkSectors, std::uint64_t{ranges.front().last} - ranges.front().first + 1);
    return ReadChunk(vobs, ranges.front().first,
                     buffer->Span().first(static_cast<std::size_t>(count * kSector)));
}

const char* StreamRefusalReason(StreamResult result)
{
    switch (result) {
    case StreamResult::OutsideVobs:
        return "the title's cells lie outside its VOB files";
    case StreamResult::ReadFailed:
        return "the VOB files cannot be read";
    case StreamResult::Scrambled:
        return "the disc is encrypted: stream (and so the ffmpeg plan) cannot read it; the HandBrake plan "
               "can where libdvdcss is installed";
    case StreamResult::Done:
    case StreamResult::OutputStopped:
        break;
    }
    return "";
}

StreamResult StreamSectors(ByteSource& vobs, std::span<const SectorRange> ranges, PackSink& sink)
{
    if (!InsideVobs(vobs, ranges))
        return StreamResult::OutsideVobs;

    std::optional<ByteBuffer> buffer = ByteBuffer::Allocate(kChunkSectors * kSector);
    if (!buffer)
        return StreamResult::ReadFailed;
    for (const SectorRange& range : ranges) {
        std::uint64_t sector = range.first;
        while (sector <= range.last) {
            const std::uint64_t count = std::min<std::uint64_t>(kChunkSectors, range.last - sector + 1);
            const std::span<std::uint8_t> chunk =
                buffer->Span().first(static_cast<std::size_t>(count * kSector));
            if (const StreamResult read = ReadChunk(vobs, sector, chunk); read != StreamResult::Done)
                return read;
            if (!sink.Write(chunk))
                return StreamResult::OutputStopped;
            sector += count;
        }
    }
    return StreamResult::Done;
}

} // namespace ratewise
