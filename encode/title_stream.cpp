// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/title_stream.h"

#include <algorithm>

#include "common/dvd_time.h"
#include "encode/part_packs.h"
#include "ifo/byte_buffer.h"

namespace ratewise {
namespace {

constexpr std::uint32_t kChunkSectors = 256; // half a megabyte at a time

} // namespace

std::vector<SectorRange> PlaybackSectors(std::span<const CellEntry> cells, int firstChapter, int lastChapter)
{
    std::vector<SectorRange> ranges;
    for (const CellEntry& cell : cells) {
        const int chapter = cell.program + 1;
        if (chapter < firstChapter || chapter > lastChapter || !InFirstAngle(cell))
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
    const std::uint64_t vobSectors = vobs.Size() / kDvdSectorBytes;
    return std::all_of(ranges.begin(), ranges.end(), [vobSectors](const SectorRange& range) {
        return range.last >= range.first && range.last < vobSectors;
    });
}

// Reads `chunk.size()` bytes from `sector` on and checks them for scrambled packs.
StreamResult ReadChunk(ByteSource& vobs, std::uint64_t sector, std::span<std::uint8_t> chunk)
{
    if (!vobs.Seek(static_cast<std::int64_t>(sector * kDvdSectorBytes)))
        return StreamResult::ReadFailed;
    for (std::size_t done = 0; done < chunk.size();) {
        const std::int64_t got = vobs.Read(chunk.subspan(done));
        if (got <= 0)
            return StreamResult::ReadFailed;
        done += static_cast<std::size_t>(got);
    }
    for (std::size_t at = 0; at < chunk.size(); at += kDvdSectorBytes)
        if (IsScrambledPack(chunk.subspan(at, kDvdSectorBytes)))
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
    std::optional<ByteBuffer> buffer = ByteBuffer::Allocate(kChunkSectors * kDvdSectorBytes);
    if (!buffer)
        return StreamResult::ReadFailed;
    const std::uint64_t count =
        std::min<std::uint64_t>(kChunkSectors, std::uint64_t{ranges.front().last} - ranges.front().first + 1);
    return ReadChunk(vobs, ranges.front().first,
                     buffer->Span().first(static_cast<std::size_t>(count * kDvdSectorBytes)));
}

namespace {

// At most this much of the following chapter is read for the audio that plays before it.
constexpr std::uint64_t kMostFollowingSectors = 2048;

std::optional<std::uint64_t> StartTimeAt(ByteSource& vobs, std::uint64_t sector)
{
    Pack pack{};
    if (!vobs.Seek(static_cast<std::int64_t>(sector * kDvdSectorBytes)) ||
        vobs.Read(pack) != static_cast<std::int64_t>(pack.size()))
        return std::nullopt;
    return NavigationStartTime(pack);
}

} // namespace

StreamResult StreamPart(ByteSource& vobs, const PartRanges& part, PackSink& sink)
{
    if (!InsideVobs(vobs, part.ranges) || !InsideVobs(vobs, part.following))
        return StreamResult::OutsideVobs;
    const std::optional<std::uint64_t> start =
        part.trimStart && !part.ranges.empty() ? StartTimeAt(vobs, part.ranges.front().first) : std::nullopt;
    const std::optional<std::uint64_t> end =
        part.following.empty() ? std::nullopt : StartTimeAt(vobs, part.following.front().first);
    PartPackTrimmer trimmer(start, end);
    std::optional<ByteBuffer> buffer = ByteBuffer::Allocate(kChunkSectors * kDvdSectorBytes);
    if (!buffer)
        return StreamResult::ReadFailed;
    // Read a chunk at a time, as StreamSectors does; each pack is trimmed on its own.
    const auto copy = [&](const SectorRange& range, bool following, std::uint64_t& budget) {
        for (std::uint64_t sector = range.first; sector <= range.last && budget > 0;) {
            const std::uint64_t count =
                std::min({std::uint64_t{kChunkSectors}, range.last - sector + 1, budget});
            const std::span<std::uint8_t> chunk =
                buffer->Span().first(static_cast<std::size_t>(count * kDvdSectorBytes));
            if (const StreamResult read = ReadChunk(vobs, sector, chunk); read != StreamResult::Done)
                return read;
            for (std::size_t at = 0; at < chunk.size(); at += kDvdSectorBytes) {
                if (following && trimmer.Done())
                    return StreamResult::Done;
                Pack pack;
                std::copy_n(chunk.begin() + static_cast<std::ptrdiff_t>(at), kDvdSectorBytes, pack.begin());
                if (!(following ? trimmer.Following(pack) : trimmer.Inside(pack)))
                    continue;
                if (!sink.Write(pack))
                    return StreamResult::OutputStopped;
            }
            sector += count;
            budget -= count;
        }
        return StreamResult::Done;
    };
    std::uint64_t unlimited = UINT64_MAX;
    for (const SectorRange& range : part.ranges)
        if (const StreamResult result = copy(range, false, unlimited); result != StreamResult::Done)
            return result;
    std::uint64_t budget = end ? kMostFollowingSectors : 0;
    for (const SectorRange& range : part.following)
        if (const StreamResult result = copy(range, true, budget); result != StreamResult::Done)
            return result;
    return StreamResult::Done;
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

    std::optional<ByteBuffer> buffer = ByteBuffer::Allocate(kChunkSectors * kDvdSectorBytes);
    if (!buffer)
        return StreamResult::ReadFailed;
    for (const SectorRange& range : ranges) {
        std::uint64_t sector = range.first;
        while (sector <= range.last) {
            const std::uint64_t count = std::min<std::uint64_t>(kChunkSectors, range.last - sector + 1);
            const std::span<std::uint8_t> chunk =
                buffer->Span().first(static_cast<std::size_t>(count * kDvdSectorBytes));
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
