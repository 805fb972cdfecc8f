// SPDX-License-Identifier: GPL-3.0-or-later
// The packs of one part of a title (a run of chapters) cut by presentation time rather than by
// sector. A DVD muxes the audio of a chapter's last moments after the next chapter's first video,
// so a cut at the chapter's sector leaves the end of its audio to the next part, which then
// starts with sound before its picture and with the tail of a frame no decoder can read. Here a
// part drops the audio and subpictures that play before its first picture, starts each audio
// stream at a whole frame, and takes from the next chapter's packs the audio that plays before
// the next part begins, ending it on a whole frame. Joined again, the parts run the title's
// length and nothing is heard twice.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "common/dvd_time.h"

namespace ratewise {

// A pack fills one sector.
inline constexpr std::size_t kPackBytes = kDvdSectorBytes;
using Pack = std::array<std::uint8_t, kPackBytes>;

// The time (90 kHz) the pack's navigation data says its video unit starts showing; nothing for a
// pack that is not a navigation pack.
std::optional<std::uint64_t> NavigationStartTime(std::span<const std::uint8_t> pack);

// Trims the packs of one part. Packs go through in order: first the part's own (Inside), then
// those of the chapter after it (Following). Each call rewrites the pack in place; the result says
// whether the pack is still to be written.
class PartPackTrimmer
{
public:
    // `start`: the part's first picture time when audio before it is to go (the part does not
    // begin the title); `end`: the next part's first picture time (the part does not end it).
    PartPackTrimmer(std::optional<std::uint64_t> start, std::optional<std::uint64_t> end);

    bool Inside(Pack& pack);
    bool Following(Pack& pack);
    // True once every stream that played in the part has reached the end time: the following
    // packs need not be read further.
    bool Done() const;

private:
    struct StreamState {
        bool started = false;        // a packet at or after the start time has come
        bool ended = false;          // a packet at or after the end time has come
        bool framed = false;         // the frames below are known (AC-3 and MPEG audio)
        std::uint64_t nextFrame = 0; // when the next frame starts playing
        std::size_t toNextFrame = 0; // bytes of the current frame still to come
    };
    // How many payload bytes of a following packet of an AC-3 or MPEG audio stream to keep: every
    // frame that ends by the end time, none that plays past it. Nothing when its frames cannot be
    // told apart.
    std::optional<std::size_t> WholeFramesBeforeEnd(std::span<const std::uint8_t> payload, std::size_t header,
                                                    std::optional<std::size_t> firstFrame,
                                                    std::optional<std::uint64_t> pts, bool mpeg,
                                                    StreamState& stream) const;
    std::optional<std::uint64_t> m_start;
    std::optional<std::uint64_t> m_end;
    std::map<int, StreamState> m_streams;
};

} // namespace ratewise
