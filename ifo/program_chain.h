// SPDX-License-Identifier: GPL-3.0-or-later
// Program chains (PGCs) of the VTS_PGCI held by a TitleSetInfo: how many there are, where each
// starts and each one's playback time and cell count. Every offset and count from the file is
// checked; a PGC whose bytes lie outside the table does not exist for these functions.
#pragma once

#include <cstdint>
#include <optional>

#include "common/dvd_time.h"
#include "ifo/be_view.h"
#include "ifo/title_set_info.h"

namespace ratewise {

// Hours, minutes, seconds and frames, decoded from the DVD's BCD bytes.
struct PlaybackTime {
    std::uint8_t hours = 0;
    std::uint8_t minutes = 0;
    std::uint8_t seconds = 0;
    std::uint8_t frames = 0;
    friend bool operator==(const PlaybackTime&, const PlaybackTime&) = default;
};

// The frames `time` counts, its counter running `perSecond` frames (25 or 30) a nominal second.
constexpr std::int64_t PlaybackTimeFrames(const PlaybackTime& time, std::int64_t perSecond)
{
    return TimeCodeFrames(time.hours, time.minutes, time.seconds, time.frames, perSecond);
}

// Byte offsets inside one PGC.
inline constexpr std::size_t kPgcProgramCountOffset = 0x02;
inline constexpr std::size_t kPgcCellCountOffset = 0x03;
inline constexpr std::size_t kPgcPlaybackTimeOffset = 0x04;
inline constexpr std::size_t kPgcAudioControlOffset = 0x0C;
inline constexpr std::size_t kPgcSubpictureControlOffset = 0x1C;
inline constexpr std::size_t kPgcProgramMapOffset = 0xE6;
inline constexpr std::size_t kPgcCellPlaybackOffset = 0xE8;
inline constexpr std::size_t kPgcCellPositionOffset = 0xEA;

// Decodes four BCD bytes (h, m, s, f); the two top bits of the frame byte carry the frame rate
// and are dropped. Nothing when the four bytes are not all inside the view.
std::optional<PlaybackTime> DecodePlaybackTime(BeView bytes, std::size_t offset);

// Number of PGCs: the table's count, but no more than the search pointers the table holds;
// 0 for a missing info or table.
int ifoGetPGCCount(const TitleSetInfo* info);

// PGC i as a view from its first byte to the end of the table; nothing when i is not below the
// PGC count or its offset points outside the table.
std::optional<BeView> ifoGetPGC(const TitleSetInfo* info, int i);

// The PGC's cell count, and its playback time into out when out is given. 0 when the PGC does
// not exist or its header bytes are not all inside the table (out is then left untouched).
int ifoGetPlaybackTime(const TitleSetInfo* info, int i, PlaybackTime* out);

} // namespace ratewise
