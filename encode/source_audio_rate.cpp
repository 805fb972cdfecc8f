// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/source_audio_rate.h"

#include <array>

#include "ifo/be_view.h"

namespace ratewise {
namespace {

constexpr std::size_t kSector = 2048;
constexpr std::uint32_t kPacksToSearch = 1024;

std::optional<double> Ac3Rate(BeView payload)
{
    static constexpr std::array<int, 19> kKbps{32,  40,  48,  56,  64,  80,  96,  112, 128, 160,
                                               192, 224, 256, 320, 384, 448, 512, 576, 640};
    for (std::size_t at = 0; at + 5 <= payload.Size(); ++at) {
        if (payload.U16(at) != 0x0B77)
            continue;
        const std::size_t code = (*payload.U8(at + 4) & 0x3Fu) >> 1;
        if (code < kKbps.size())
            return kKbps[code] * 1000.0;
    }
    return std::nullopt;
}

std::optional<double> MpegLayer2Rate(BeView payload)
{
    static constexpr std::array<int, 15> kKbps{0,   32,  48,  56,  64,  80,  96, 112,
                                               128, 160, 192, 224, 256, 320, 384};
    for (std::size_t at = 0; at + 3 <= payload.Size(); ++at) {
        const std::uint8_t b0 = *payload.U8(at), b1 = *payload.U8(at + 1), b2 = *payload.U8(at + 2);
        // Sync, MPEG-1, Layer II.
        if (b0 != 0xFF || (b1 & 0xFE) != 0xFC)
            continue;
        const std::size_t index = b2 >> 4;
        if (index > 0 && index < kKbps.size())
            return kKbps[index] * 1000.0;
    }
    return std::nullopt;
}

std::optional<double> LpcmRate(BeView payload)
{
    // After the substream header: emphasis/frame byte, then word size, rate and channels.
    const std::optional<std::uint8_t> format = payload.U8(5);
    if (!format)
        return std::nullopt;
    static constexpr std::array<int, 4> kBits{16, 20, 24, 0};
    const int bits = kBits[static_cast<std::size_t>(*format >> 6)];
    const int rate = ((*format >> 4) & 3) == 1 ? 96000 : 48000;
    const int channels = (*format & 7) + 1;
    if (bits == 0)
        return std::nullopt;
    return static_cast<double>(rate) * bits * channels;
}

} // namespace

std::optional<double> AudioBitsPerSecondInPack(std::span<const std::uint8_t> pack, DvdAudio coding,
                                               int stream)
{
    const BeView view(pack);
    if (view.U32(0) != 0x000001BA || !view.U8(13))
        return std::nullopt;
    std::size_t at = 14 + (*view.U8(13) & 7u);
    const bool mpeg = coding == DvdAudio::Mpeg1 || coding == DvdAudio::Mpeg2;
    while (at + 9 <= view.Size()) {
        const std::optional<std::uint32_t> start = view.U32(at);
        const std::optional<std::uint16_t> length = view.U16(at + 4);
        if (!start || !length || (*start >> 8) != 1)
            return std::nullopt;
        const std::uint32_t id = *start & 0xFF;
        const std::size_t end = at + 6 + *length;
        const std::size_t payloadAt = at + 9 + view.U8(at + 8).value_or(0);
        const std::optional<BeView> payload =
            end <= view.Size() && payloadAt <= end ? view.Sub(payloadAt, end - payloadAt) : std::nullopt;
        if (payload && mpeg && id == 0xC0u + static_cast<std::uint32_t>(stream))
            return MpegLayer2Rate(*payload);
        if (payload && id == 0xBD) {
            const int substream = payload->U8(0).value_or(0);
            // Substream id, frame count, then the offset of the first frame from the byte
            // before it.
            const std::size_t firstFrame = 3u + payload->U16(2).value_or(0);
            if (coding == DvdAudio::Ac3 && substream == 0x80 + stream)
                return Ac3Rate(payload->From(firstFrame).value_or(BeView()));
            if (coding == DvdAudio::Lpcm && substream == 0xA0 + stream)
                return LpcmRate(*payload);
        }
        at = end;
    }
    return std::nullopt;
}

std::optional<double> SourceAudioBitsPerSecond(ByteSource& vobs, std::span<const SectorRange> ranges,
                                               DvdAudio coding, int stream)
{
    std::array<std::uint8_t, kSector> pack{};
    std::uint32_t searched = 0;
    for (const SectorRange& range : ranges) {
        for (std::uint64_t sector = range.first; sector <= range.last && searched < kPacksToSearch;
             ++sector, ++searched) {
            if (!vobs.Seek(static_cast<std::int64_t>(sector * kSector)) ||
                vobs.Read(pack) != static_cast<std::int64_t>(kSector))
                return std::nullopt;
            if (const std::optional<double> rate = AudioBitsPerSecondInPack(pack, coding, stream))
                return rate;
        }
    }
    return std::nullopt;
}

} // namespace ratewise
