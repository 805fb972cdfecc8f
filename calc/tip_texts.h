// SPDX-License-Identifier: GPL-3.0-or-later
// The two texts that explain the calculator's numbers in balloon tips: the medium report on the
// size field and the bitrate suggestion on the video field.
#pragma once

#include <string>
#include <string_view>

#include "calc/calculator_state.h"

namespace ratewise {

enum class TipColour { Green, Yellow, Red };

Rgb TipColourRgb(TipColour colour);
std::string_view TipColourName(TipColour colour); // "green", "yellow", "red"

struct TipText {
    std::string text;
    TipColour colour = TipColour::Green;
    friend bool operator==(const TipText&, const TipText&) = default;
};

// Capacity of one medium in kilobytes for both sector modes, or "Invalid Media Size" in red.
TipText MediumReport(const CalculatorState& state);

// Average and maximum bitrate to give the encoder, with a warning when the average is too high.
TipText BitrateSuggestion(const CalculatorState& state);

} // namespace ratewise
