// SPDX-License-Identifier: GPL-3.0-or-later
// The numbers of a DVD's time that every room uses: the frame rate the program shows, the
// frames a playback time code counts, the seconds a count of frames plays, and the size of a
// sector.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ratewise {

// The frame rate shown for a title: 25 a second for PAL, 29.97 for NTSC (whose exact rate is
// 30000/1001; see common/exact_time.h for counting with it).
constexpr double ShownFrameRate(bool pal)
{
    return pal ? 25.0 : 29.97;
}

// The frames a playback time code counts to the second: 25 for PAL, 30 for NTSC.
constexpr int TimeCodeFramesPerSecond(bool pal)
{
    return pal ? 25 : 30;
}

// The frames a playback time code counts: the counter runs `perSecond` frames (25 or 30) a
// nominal second, so NTSC's time codes are not clock time.
constexpr std::int64_t TimeCodeFrames(std::int64_t hours, std::int64_t minutes, std::int64_t seconds,
                                      std::int64_t frames, std::int64_t perSecond)
{
    return ((hours * 60 + minutes) * 60 + seconds) * perSecond + frames;
}

// The seconds `frames` frames of a title play: 25 a second for PAL, 30000/1001 for NTSC (whose
// time codes count 30 a nominal second, so these are not the time code's seconds).
constexpr double FramesToSeconds(std::int64_t frames, bool pal)
{
    return pal ? static_cast<double>(frames) / 25.0 : static_cast<double>(frames) * 1001.0 / 30000.0;
}

// Bytes of a DVD sector (a logical block of the disc).
inline constexpr std::size_t kDvdSectorBytes = 2048;

} // namespace ratewise
