// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/part_packs.h"

#include <algorithm>
#include <array>
#include <vector>

#include "ifo/be_view.h"

namespace ratewise {
namespace {

constexpr std::uint8_t kPaddingStream = 0xBE;
constexpr std::size_t kPesHeader = 9; // start code, id, length, two flag bytes, header length

// One packet of a pack, as far as the trimming needs it.
struct Packet {
    std::size_t at = 0;      // its start code
    std::size_t end = 0;     // one past its last byte
    std::size_t payload = 0; // its data after the PES header (and before any substream header)
    std::uint8_t id = 0;
    int key = -1; // audio or subpicture stream (as stream_bytes.h numbers them); -1 for the rest
    std::optional<std::uint64_t> pts;
};

bool IsAudio(int key)
{
    return (key >= 0x80 && key <= 0x8F) || (key >= 0xA0 && key <= 0xA7) || (key >= 0x1C0 && key <= 0x1C7);
}

bool IsSubpicture(int key)
{
    return key >= 0x20 && key <= 0x3F;
}

// The packets after the pack header; stops at the first that does not fit.
std::vector<Packet> Packets(std::span<const std::uint8_t> pack)
{
    std::vector<Packet> packets;
    const BeView view(pack);
    if (view.U32(0) != 0x000001BA || !view.U8(13))
        return packets;
    std::size_t at = 14 + (*view.U8(13) & 7u);
    while (at + 6 <= view.Size()) {
        const std::optional<std::uint32_t> start = view.U32(at);
        const std::optional<std::uint16_t> length = view.U16(at + 4);
        if (!start || !length || (*start >> 8) != 1)
            break;
        Packet packet;
        packet.at = at;
        packet.end = at + 6 + *length;
        packet.id = static_cast<std::uint8_t>(*start & 0xFF);
        if (packet.end > view.Size())
            break;
        const bool mpeg2 = packet.id == 0xBD || (packet.id >= 0xC0 && packet.id <= 0xEF);
        packet.payload = mpeg2 ? at + kPesHeader + view.U8(at + 8).value_or(0) : at + 6;
        if (packet.payload > packet.end)
            break;
        if (mpeg2 && (view.U8(at + 7).value_or(0) & 0x80) && packet.payload >= at + kPesHeader + 5) {
            const auto b = [&](std::size_t k) { return std::uint64_t{*view.U8(at + kPesHeader + k)}; };
            packet.pts = ((b(0) >> 1) & 7) << 30 | b(1) << 22 | (b(2) >> 1) << 15 | b(3) << 7 | b(4) >> 1;
        }
        if (packet.id == 0xBD && packet.payload < packet.end)
            packet.key = pack[packet.payload];
        else if (packet.id >= 0xC0 && packet.id <= 0xC7)
            packet.key = 0x100 + packet.id;
        packets.push_back(packet);
        at = packet.end;
    }
    return packets;
}

// Bytes of the substream header a private-stream audio packet starts with (MPEG audio has none).
std::size_t AudioHeaderBytes(int key)
{
    return key >= 0x1C0 ? 0 : key >= 0xA0 ? 7 : 4;
}

// Where, from the payload, the packet's first whole audio frame begins; the payload's size when
// none begins in it.
std::size_t FirstFrame(std::span<const std::uint8_t> pack, const Packet& packet)
{
    const std::size_t size = packet.end - packet.payload;
    const std::uint8_t* payload = pack.data() + packet.payload;
    if (packet.key >= 0x1C0) {
        for (std::size_t at = 0; at + 1 < size; ++at)
            if (payload[at] == 0xFF && (payload[at + 1] & 0xE0) == 0xE0)
                return at;
        return size;
    }
    if (size < AudioHeaderBytes(packet.key))
        return size;
    const std::size_t pointer = std::size_t{payload[2]} << 8 | payload[3];
    return pointer == 0 ? size : std::min(size, 3 + pointer);
}

// Rebuilds a pack from its header and the packets given, each written as `Rewrite` says, and fills
// what they no longer use with one padding packet.
// Whether a cut packet keeps its time stamp: one that no longer starts a frame must drop it.
enum class TimeStamp { Keep, Drop };

class PackBuilder
{
public:
    explicit PackBuilder(std::span<const std::uint8_t> pack, std::size_t headerEnd)
        : m_in(pack), m_out(pack.begin(), pack.begin() + static_cast<std::ptrdiff_t>(headerEnd))
    {
    }

    void Keep(const Packet& packet) { Append(packet.at, packet.end); }

    void Pad(const Packet& packet)
    {
        const std::size_t from = m_out.size();
        Keep(packet);
        m_out[from + 3] = kPaddingStream;
    }

    // The packet with its payload cut to the bytes [from, to) after its substream header of
    // `kept` bytes, its time stamp kept or dropped. A cut of fewer bytes than a padding packet
    // needs becomes stuffing in the packet's own header.
    void Cut(const Packet& packet, std::size_t kept, std::size_t from, std::size_t to, TimeStamp stamp)
    {
        std::vector<std::uint8_t> header(m_in.begin() + static_cast<std::ptrdiff_t>(packet.at),
                                         m_in.begin() + static_cast<std::ptrdiff_t>(packet.payload));
        if (stamp == TimeStamp::Drop) {
            // Every optional field goes with the time stamp (they follow it): all become stuffing.
            header[7] = 0;
            std::fill(header.begin() + kPesHeader, header.end(), 0xFF);
        }
        const std::size_t removed = (packet.end - packet.payload - kept) - (to - from);
        if (removed < 6) {
            header.insert(header.end(), removed, 0xFF);
            header[8] = static_cast<std::uint8_t>(header.size() - kPesHeader);
        }
        const std::size_t start = m_out.size();
        m_out.insert(m_out.end(), header.begin(), header.end());
        const auto payload = m_in.begin() + static_cast<std::ptrdiff_t>(packet.payload);
        m_out.insert(m_out.end(), payload, payload + static_cast<std::ptrdiff_t>(kept));
        m_out.insert(m_out.end(), payload + static_cast<std::ptrdiff_t>(from),
                     payload + static_cast<std::ptrdiff_t>(to));
        const std::size_t length = m_out.size() - start - 6;
        m_out[start + 4] = static_cast<std::uint8_t>(length >> 8);
        m_out[start + 5] = static_cast<std::uint8_t>(length);
    }

    std::uint8_t& PayloadByte(std::size_t packetStart, std::size_t k)
    {
        return m_out[packetStart + kPesHeader + m_out[packetStart + 8] + k];
    }
    std::size_t Size() const { return m_out.size(); }

    // The new pack, filled to its size with a padding packet.
    void WriteTo(Pack& pack)
    {
        const std::size_t room = kPackBytes - std::min(m_out.size(), kPackBytes);
        if (room >= 6) {
            const std::size_t length = room - 6;
            m_out.insert(m_out.end(), {0, 0, 1, kPaddingStream, static_cast<std::uint8_t>(length >> 8),
                                       static_cast<std::uint8_t>(length)});
            m_out.insert(m_out.end(), length, 0xFF);
        }
        m_out.resize(kPackBytes, 0xFF);
        std::copy(m_out.begin(), m_out.end(), pack.begin());
    }

private:
    void Append(std::size_t from, std::size_t to)
    {
        m_out.insert(m_out.end(), m_in.begin() + static_cast<std::ptrdiff_t>(from),
                     m_in.begin() + static_cast<std::ptrdiff_t>(to));
    }

    std::span<const std::uint8_t> m_in;
    std::vector<std::uint8_t> m_out;
};

// A frame at 48 kHz plays 1536 samples (AC-3) or 1152 (MPEG Layer II): in 90 kHz ticks.
std::uint64_t FrameTicks(bool mpeg)
{
    return mpeg ? 2160 : 2880;
}

// The bytes of the AC-3 or MPEG audio frame whose header starts `frame`; 0 when there is none.
std::size_t FrameBytes(std::span<const std::uint8_t> frame, bool mpeg)
{
    static constexpr std::array<int, 19> kAc3Kbps{32,  40,  48,  56,  64,  80,  96,  112, 128, 160,
                                                  192, 224, 256, 320, 384, 448, 512, 576, 640};
    static constexpr std::array<int, 15> kLayer2Kbps{0,   32,  48,  56,  64,  80,  96, 112,
                                                     128, 160, 192, 224, 256, 320, 384};
    if (!mpeg) {
        if (frame.size() < 5 || frame[0] != 0x0B || frame[1] != 0x77 || (frame[4] >> 6) != 0)
            return 0;
        const std::size_t code = (frame[4] & 0x3Fu) >> 1;
        return code < kAc3Kbps.size() ? static_cast<std::size_t>(kAc3Kbps[code]) * 4 : 0; // 48 kHz
    }
    if (frame.size() < 3 || frame[0] != 0xFF || (frame[1] & 0xFE) != 0xFC || ((frame[2] >> 2) & 3) != 1)
        return 0;
    const std::size_t index = frame[2] >> 4;
    if (index == 0 || index >= kLayer2Kbps.size())
        return 0;
    return static_cast<std::size_t>(kLayer2Kbps[index]) * 3 + ((frame[2] >> 1) & 1u); // 144 * kbps / 48
}

std::size_t HeaderEnd(std::span<const std::uint8_t> pack)
{
    return 14 + (pack[13] & 7u);
}

} // namespace

std::optional<std::uint64_t> NavigationStartTime(std::span<const std::uint8_t> pack)
{
    // The navigation data's PCI packet: substream 0 of private stream 2; its start time is the
    // fourth word of its general information.
    for (const Packet& packet : Packets(pack)) {
        if (packet.id != 0xBF || packet.payload + 17 > packet.end || pack[packet.payload] != 0)
            continue;
        return BeView(pack).U32(packet.payload + 1 + 12);
    }
    return std::nullopt;
}

PartPackTrimmer::PartPackTrimmer(std::optional<std::uint64_t> start, std::optional<std::uint64_t> end)
    : m_start(start), m_end(end)
{
}

bool PartPackTrimmer::Inside(Pack& pack)
{
    const std::vector<Packet> packets = Packets(pack);
    // Most packs need nothing: every stream in them has started, or the part begins the title.
    bool work = false;
    for (const Packet& packet : packets) {
        if (!IsAudio(packet.key) && !IsSubpicture(packet.key))
            continue;
        StreamState& stream = m_streams[packet.key];
        stream.started = stream.started || !m_start;
        work = work || !stream.started;
    }
    if (!work)
        return true;
    const Pack in = pack;
    PackBuilder out(in, HeaderEnd(in));
    bool changed = false;
    for (const Packet& packet : packets) {
        if (!IsAudio(packet.key) && !IsSubpicture(packet.key)) {
            out.Keep(packet);
            continue;
        }
        StreamState& stream = m_streams[packet.key];
        if (stream.started || !m_start) {
            stream.started = true;
            out.Keep(packet);
            continue;
        }
        // Before the part's first picture: not this part's.
        if (!packet.pts || *packet.pts < *m_start) {
            out.Pad(packet);
            changed = true;
            continue;
        }
        stream.started = true;
        const std::size_t header = IsAudio(packet.key) ? AudioHeaderBytes(packet.key) : 0;
        const std::size_t first = IsAudio(packet.key) ? FirstFrame(in, packet) : header;
        if (first <= header) {
            out.Keep(packet);
            continue;
        }
        // The tail of a frame that began in the part before: the stream starts at a whole one.
        const std::size_t at = out.Size();
        out.Cut(packet, header, first, packet.end - packet.payload, TimeStamp::Keep);
        if (header >= 4) { // the first frame now follows the substream header
            out.PayloadByte(at, 2) = 0;
            out.PayloadByte(at, 3) = static_cast<std::uint8_t>(header - 3);
        }
        changed = true;
    }
    if (changed)
        out.WriteTo(pack);
    return true;
}

bool PartPackTrimmer::Following(Pack& pack)
{
    if (!m_end)
        return false;
    const std::vector<Packet> packets = Packets(pack);
    const Pack in = pack;
    PackBuilder out(in, HeaderEnd(in));
    bool kept = false;
    for (const Packet& packet : packets) {
        const auto found = m_streams.find(packet.key);
        if (found == m_streams.end() || !found->second.started || found->second.ended) {
            out.Pad(packet);
            continue;
        }
        const bool ac3OrMpeg = (packet.key >= 0x80 && packet.key <= 0x87) || packet.key >= 0x1C0;
        if (ac3OrMpeg) {
            // Only frames that end by the end time stay: joined, the next part plays on at once.
            const bool mpeg = packet.key >= 0x1C0;
            const std::size_t header = AudioHeaderBytes(packet.key);
            const std::span<const std::uint8_t> payload(in.data() + packet.payload,
                                                        packet.end - packet.payload);
            const std::size_t first = FirstFrame(in, packet);
            const std::optional<std::size_t> keep = WholeFramesBeforeEnd(
                payload, header, first < payload.size() ? std::optional(first) : std::nullopt, packet.pts,
                mpeg, found->second);
            if (keep) {
                if (*keep < payload.size())
                    found->second.ended = true;
                if (*keep <= header) {
                    out.Pad(packet);
                } else if (*keep == payload.size()) {
                    out.Keep(packet);
                    kept = true;
                } else {
                    const std::size_t at = out.Size();
                    const bool framesLeft = first < *keep;
                    out.Cut(packet, header, header, *keep, framesLeft ? TimeStamp::Keep : TimeStamp::Drop);
                    if (!framesLeft && header >= 4) {
                        out.PayloadByte(at, 1) = 0;
                        out.PayloadByte(at, 2) = 0;
                        out.PayloadByte(at, 3) = 0;
                    }
                    kept = true;
                }
                continue;
            }
        }
        if (!packet.pts || *packet.pts < *m_end) {
            out.Keep(packet);
            kept = true;
            continue;
        }
        // The next part's: only the end of the frame still playing in this one stays.
        found->second.ended = true;
        const std::size_t header = IsAudio(packet.key) ? AudioHeaderBytes(packet.key) : 0;
        const std::size_t first = IsAudio(packet.key) ? FirstFrame(in, packet) : header;
        if (first <= header) {
            out.Pad(packet);
            continue;
        }
        const std::size_t at = out.Size();
        out.Cut(packet, header, header, first, TimeStamp::Drop);
        if (header >= 4) { // no frame starts in it any more
            out.PayloadByte(at, 1) = 0;
            out.PayloadByte(at, 2) = 0;
            out.PayloadByte(at, 3) = 0;
        }
        kept = true;
    }
    if (kept)
        out.WriteTo(pack);
    return kept;
}

std::optional<std::size_t> PartPackTrimmer::WholeFramesBeforeEnd(std::span<const std::uint8_t> payload,
                                                                 std::size_t header,
                                                                 std::optional<std::size_t> firstFrame,
                                                                 std::optional<std::uint64_t> pts, bool mpeg,
                                                                 StreamState& stream) const
{
    std::size_t at = header;
    if (pts && firstFrame) {
        // A time stamp names the first frame that starts here; what comes before it ends the
        // frame before.
        at = *firstFrame;
        stream.framed = true;
        stream.nextFrame = *pts;
        stream.toNextFrame = 0;
    } else if (!stream.framed) {
        return std::nullopt;
    } else {
        const std::size_t rest = std::min(stream.toNextFrame, payload.size() - at);
        at += rest;
        stream.toNextFrame -= rest;
        if (stream.toNextFrame > 0)
            return payload.size();
    }
    while (at < payload.size()) {
        if (stream.nextFrame + FrameTicks(mpeg) > *m_end)
            return at; // this frame would play on into the next part
        const std::size_t bytes = FrameBytes(payload.subspan(at), mpeg);
        if (bytes == 0) {
            stream.framed = false;
            return std::nullopt;
        }
        stream.nextFrame += FrameTicks(mpeg);
        if (at + bytes > payload.size()) {
            stream.toNextFrame = at + bytes - payload.size();
            return payload.size();
        }
        at += bytes;
    }
    return at;
}

bool PartPackTrimmer::Done() const
{
    return std::all_of(m_streams.begin(), m_streams.end(),
                       [](const auto& entry) { return !entry.second.started || entry.second.ended; });
}

} // namespace ratewise
