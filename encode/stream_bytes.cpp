// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/stream_bytes.h"

#include <algorithm>
#include <vector>

#include "common/dvd_time.h"
#include "ifo/be_view.h"

namespace ratewise {
namespace {

constexpr std::uint32_t kChunkSectors = 256;

// The bytes of a private-stream substream's own header, which a copy does not carry.
std::size_t SubstreamHeaderBytes(int substream)
{
    if (substream >= 0x20 && substream <= 0x3F)
        return 1; // subpicture: its id
    if (substream >= 0xA0 && substream <= 0xA7)
        return 7; // LPCM: id, frame count, first access unit, three bytes of format
    return 4;     // AC-3, DTS: id, frame count, first access unit
}

} // namespace

int AudioStreamKey(DvdAudio coding, int stream)
{
    switch (coding) {
    case DvdAudio::Mpeg1:
    case DvdAudio::Mpeg2:
        return 0x1C0 + stream;
    case DvdAudio::Lpcm:
        return 0xA0 + stream;
    case DvdAudio::Dts:
        return 0x88 + stream;
    default:
        break;
    }
    return 0x80 + stream;
}

void CountPackStreamBytes(std::span<const std::uint8_t> pack, StreamBytes& bytes)
{
    const BeView view(pack);
    if (view.U32(0) != 0x000001BA || !view.U8(13))
        return;
    std::size_t at = 14 + (*view.U8(13) & 7u);
    while (at + 9 <= view.Size()) {
        const std::optional<std::uint32_t> start = view.U32(at);
        const std::optional<std::uint16_t> length = view.U16(at + 4);
        if (!start || !length || (*start >> 8) != 1)
            return;
        const std::uint32_t id = *start & 0xFF;
        const std::size_t end = at + 6 + *length;
        if (end > view.Size())
            return;
        const std::size_t payloadAt = at + 9 + view.U8(at + 8).value_or(0);
        if (payloadAt < end) {
            if (id >= 0xC0 && id <= 0xC7) {
                bytes[static_cast<int>(0x100 + id)] += end - payloadAt;
            } else if (id == 0xBD) {
                const int substream = view.U8(payloadAt).value_or(0);
                const std::size_t header = SubstreamHeaderBytes(substream);
                if (payloadAt + header <= end)
                    bytes[substream] += end - payloadAt - header;
            }
        }
        at = end;
    }
}

std::optional<StreamBytes> CountStreamBytes(ByteSource& vobs, std::span<const SectorRange> ranges)
{
    StreamBytes bytes;
    std::vector<std::uint8_t> chunk(kChunkSectors * kDvdSectorBytes);
    for (const SectorRange& range : ranges) {
        for (std::uint64_t sector = range.first; sector <= range.last;) {
            const std::uint64_t count = std::min<std::uint64_t>(kChunkSectors, range.last - sector + 1);
            const std::span<std::uint8_t> part =
                std::span(chunk).first(static_cast<std::size_t>(count * kDvdSectorBytes));
            if (!vobs.Seek(static_cast<std::int64_t>(sector * kDvdSectorBytes)))
                return std::nullopt;
            for (std::size_t done = 0; done < part.size();) {
                const std::int64_t got = vobs.Read(part.subspan(done));
                if (got <= 0)
                    return std::nullopt;
                done += static_cast<std::size_t>(got);
            }
            for (std::size_t at = 0; at < part.size(); at += kDvdSectorBytes)
                CountPackStreamBytes(part.subspan(at, kDvdSectorBytes), bytes);
            sector += count;
        }
    }
    return bytes;
}

} // namespace ratewise
