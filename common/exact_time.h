// SPDX-License-Identifier: GPL-3.0-or-later
// Exact chapter times: a count of frames at a frame rate held as a fraction, turned into digits
// only when printed. A DVD's NTSC video runs at 30000/1001 frames a second, so a decimal number
// of seconds would already be rounded.
#pragma once

#include <cstdint>
#include <string>

namespace ratewise {

// `frames` frames play in `seconds` seconds.
struct FrameRate {
    std::int64_t frames = 25;
    std::int64_t seconds = 1;
    bool operator==(const FrameRate&) const = default;
};

inline constexpr FrameRate kPalFrameRate{25, 1};
inline constexpr FrameRate kNtscFrameRate{30000, 1001};
// Whole seconds counted as frames: the unit of a split given as start seconds.
inline constexpr FrameRate kSecondsRate{1, 1};

// The time of frame `frame` in units of 1/unitsPerSecond s, cut toward zero (not rounded).
// Exact for any frame a title set can hold; no intermediate value leaves 64 bits.
std::int64_t FrameTimeIn(std::int64_t frame, FrameRate rate, std::int64_t unitsPerSecond);

// "HH:MM:SS" followed by "." and `decimals` digits (0 to 9) of the cut fraction; hours grow past
// two digits when they must.
std::string FrameClockText(std::int64_t frame, FrameRate rate, int decimals);

} // namespace ratewise
