// SPDX-License-Identifier: GPL-3.0-or-later
// The medium presets of the size drop-down list and the (S)VCD audio bitrate list.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "calc/calculator_state.h"

namespace ratewise {

struct MediumPreset {
    std::string_view label;
    std::int32_t sizeMb; // 0 for "Custom": used only for matching
};

inline constexpr std::array<MediumPreset, 8> MediumPresets{{
    {"Custom", 0},
    {"74min CD", 650},
    {"80min CD", 700},
    {"90min CD", 790},
    {"99min CD", 865},
    {"21min CD", 185},
    {"24min CD", 210},
    {"DVD-R/RW", 4480},
}};

inline constexpr int kStartPresetIndex = 2; // "80min CD"

// MPEG-1 Layer II bitrates from 64 kbit/s up, ascending.
inline constexpr std::array<std::int32_t, 10> SvcdAudioBitrates{64,  96,  112, 128, 160,
                                                                192, 224, 256, 320, 384};

// The preset whose size equals `sizeMb`, else 0 ("Custom"; a size of 0 also matches it).
int PresetIndexForSize(std::int32_t sizeMb);

// Index 1 to 7 puts the preset's size into the state; 0 (or any other index) keeps the parsed
// size. Either way the size text is rewritten as a plain decimal number.
void SelectPreset(CalculatorState& state, int index);

// The preset index named by a label ("80min CD") or a decimal index ("2"); -1 when none matches.
int PresetIndexByName(std::string_view name);

} // namespace ratewise
