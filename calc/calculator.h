// SPDX-License-Identifier: GPL-3.0-or-later
// The bitrate calculator: forward (video bitrate from running time) and reverse (running time
// from a locked or typed video bitrate), the checks behind the field frames, and the setters.
#pragma once

#include <cstdint>

#include "calc/calculator_state.h"

namespace ratewise {

// Kilobits available on `count` media of `sizeMb` each in the given mode: S × 8192 per medium in
// Avi/Dvd mode, (S − 3) × 2324/2048 × 8192 in (S)VCD mode.
double UsableKilobits(double sizeMb, double count, FormatMode mode);

double ComputeVideoBitrate(std::int32_t hours, std::int32_t minutes, std::int32_t seconds,
                           std::int32_t mediumSizeMb, std::int32_t mediumCount, double audioTotalKbps,
                           FormatMode mode);

struct DurationResult {
    std::int32_t hours = 0;
    std::int32_t minutes = 0;
    std::int32_t seconds = 0;
    bool usable = false;
    friend bool operator==(const DurationResult&, const DurationResult&) = default;
};

// The running time that fits at `videoKbps`. Unusable (0:00:00) when the bitrate is not above 0,
// the time is negative or not a number, the divisor is 0 or the hours leave the 32-bit range.
DurationResult ComputeDuration(double videoKbps, std::int32_t mediumSizeMb, std::int32_t mediumCount,
                               double audioTotalKbps, FormatMode mode);

// Parses the texts, checks them, and computes forward, reverse or the error result.
void Recalculate(CalculatorState& state);

// Rounds both audio bitrates down to the MPEG-1 Layer II list (64 … 384); values below 64 stay.
// Returns whether the second audio field got a new text (every value of 64 or more does).
bool SnapAudioToSvcd(CalculatorState& state);

void SetFormatMode(CalculatorState& state, FormatMode mode);
void ToggleLock(CalculatorState& state);
void SetMediumCount(CalculatorState& state, std::int32_t count);

} // namespace ratewise
