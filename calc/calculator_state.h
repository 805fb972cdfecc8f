// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator's state: the field texts, their parsed values, the result and the mode flags.
#pragma once

#include <cstdint>
#include <string>

#include "common/rgb.h"

namespace ratewise {

// Two ways of filling a medium: plain data sectors, or Mode 2 sectors of a (S)VCD.
enum class FormatMode { AviDvd = 0, Svcd = 1 };

// How a checked field's frame is drawn.
enum class FieldState { Valid, Invalid, Output };

// Frame colours: valid dark green, invalid red, output navy.
Rgb FieldStateColour(FieldState state);

// The checked fields, in the order their frames are drawn.
enum class CalcField { Hours, Minutes, Seconds, MediumSize, Audio1, Audio2, Video };
inline constexpr int kCalcFieldCount = 7;

struct FieldStates {
    FieldState hours = FieldState::Valid;
    FieldState minutes = FieldState::Valid;
    FieldState seconds = FieldState::Valid;
    FieldState size = FieldState::Valid;
    FieldState audio1 = FieldState::Valid;
    FieldState audio2 = FieldState::Valid;
    FieldState video = FieldState::Valid;

    FieldState Of(CalcField field) const;
    friend bool operator==(const FieldStates&, const FieldStates&) = default;
};

struct CalculatorState {
    std::string hoursText = "2";
    std::string minutesText = "00";
    std::string secondsText = "00";
    std::string mediumSizeText = "700";
    std::string audio1Text = "128";
    std::string videoBitrateText;
    std::string audio2Text;

    std::int32_t hours = 2;
    std::int32_t minutes = 0;
    std::int32_t seconds = 0;
    std::int32_t mediumSizeMb = 700;
    std::int32_t mediumCount = 1;
    std::int32_t audio1Kbps = 128;
    std::int32_t audio2Kbps = 0;

    double videoKbps = 0.0;
    FormatMode formatMode = FormatMode::AviDvd;
    bool locked = false;
    bool videoEdited = false;

    FieldStates fieldStates;

    // The text of one of the checked fields.
    const std::string& Text(CalcField field) const;
    std::string& Text(CalcField field);
};

} // namespace ratewise
