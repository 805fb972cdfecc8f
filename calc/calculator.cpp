// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator's formulas and the Recalculate pass over the field texts.
#include "calc/calculator.h"

#include <cmath>
#include <limits>

#include "calc/medium_presets.h"
#include "common/lenient_number.h"
#include "common/string_format.h"

namespace ratewise {
namespace {

// 2324 payload bytes of a Mode 2 sector over the 2048 of a Mode 1 sector.
constexpr double kMode2Factor = 1.134765625;
constexpr double kKilobitsPerMb = 8192.0;

// The reverse path multiplies by these double values of 1/3600 and 1/60 and truncates, rather
// than dividing; the displayed times depend on it.
constexpr double kPerHour = 0.0002777777777777778;
constexpr double kPerMinute = 0.016666666666666666;

} // namespace

Rgb FieldStateColour(FieldState state)
{
    switch (state) {
    case FieldState::Valid:
        return {0, 128, 0};
    case FieldState::Invalid:
        return {255, 0, 0};
    case FieldState::Output:
        return {0, 0, 128};
    }
    return {};
}

FieldState FieldStates::Of(CalcField field) const
{
    switch (field) {
    case CalcField::Hours:
        return hours;
    case CalcField::Minutes:
        return minutes;
    case CalcField::Seconds:
        return seconds;
    case CalcField::MediumSize:
        return size;
    case CalcField::Audio1:
        return audio1;
    case CalcField::Audio2:
        return audio2;
    case CalcField::Video:
        return video;
    }
    return video;
}

const std::string& CalculatorState::Text(CalcField field) const
{
    switch (field) {
    case CalcField::Hours:
        return hoursText;
    case CalcField::Minutes:
        return minutesText;
    case CalcField::Seconds:
        return secondsText;
    case CalcField::MediumSize:
        return mediumSizeText;
    case CalcField::Audio1:
        return audio1Text;
    case CalcField::Audio2:
        return audio2Text;
    case CalcField::Video:
        return videoBitrateText;
    }
    return videoBitrateText;
}

std::string& CalculatorState::Text(CalcField field)
{
    return const_cast<std::string&>(static_cast<const CalculatorState&>(*this).Text(field));
}

double UsableKilobits(double sizeMb, double count, FormatMode mode)
{
    const double deducted = mode == FormatMode::Svcd ? 3.0 : 0.0;
    const double factor = mode == FormatMode::Svcd ? kMode2Factor : 1.0;
    return (sizeMb - deducted) * count * factor * kKilobitsPerMb;
}

double ComputeVideoBitrate(std::int32_t hours, std::int32_t minutes, std::int32_t seconds,
                           std::int32_t mediumSizeMb, std::int32_t mediumCount, double audioTotalKbps,
                           FormatMode mode)
{
    const double available = UsableKilobits(mediumSizeMb, mediumCount, mode);
    const double runningTime = double(minutes) * 60.0 + double(hours) * 3600.0 + double(seconds);
    return available / runningTime - audioTotalKbps;
}

DurationResult ComputeDuration(double videoKbps, std::int32_t mediumSizeMb, std::int32_t mediumCount,
                               double audioTotalKbps, FormatMode mode)
{
    const double available = UsableKilobits(mediumSizeMb, mediumCount, mode);
    const double divisor = audioTotalKbps + videoKbps;
    if (!(videoKbps > 0.0) || divisor == 0.0 || std::isnan(divisor))
        return {};
    const double runningTime = available / divisor;
    if (std::isnan(runningTime) || runningTime < 0.0)
        return {};
    const double hoursExact = runningTime * kPerHour;
    if (!(hoursExact < 2147483648.0))
        return {};
    DurationResult result;
    result.hours = static_cast<std::int32_t>(hoursExact);
    const double rest = runningTime - double(result.hours) * 3600.0;
    result.minutes = static_cast<std::int32_t>(rest * kPerMinute);
    result.seconds = static_cast<std::int32_t>(rest - double(result.minutes) * 60.0);
    result.usable = true;
    return result;
}

void Recalculate(CalculatorState& state)
{
    // 1. Read.
    state.hours = LenientAtoi(state.hoursText);
    state.minutes = LenientAtoi(state.minutesText);
    state.seconds = LenientAtoi(state.secondsText);
    state.mediumSizeMb = LenientAtoi(state.mediumSizeText);
    state.audio1Kbps = LenientAtoi(state.audio1Text);

    FieldStates& fields = state.fieldStates;
    const bool durationIsOutput = state.videoEdited || state.locked;
    bool allValid = true;
    auto check = [&allValid](bool invalid) {
        allValid = allValid && !invalid;
        return invalid ? FieldState::Invalid : FieldState::Valid;
    };

    // 2. The duration is only checked while it is an input.
    if (durationIsOutput) {
        fields.hours = fields.minutes = fields.seconds = FieldState::Valid;
    } else {
        fields.hours = check(state.hours < 0 || state.hours > 100);
        fields.minutes = check(state.minutes < 0 || state.minutes > 59);
        fields.seconds = check(state.seconds < 0 || state.seconds > 59);
    }
    // 3. A size of 0 is allowed.
    fields.size = check(state.mediumSizeMb < 0);
    // 4. The count has no frame; it is clamped into 1 … 9.
    if (state.mediumCount > 9)
        state.mediumCount = 9;
    else if (state.mediumCount <= 0)
        state.mediumCount = 1;
    // 5, 6. Audio.
    fields.audio1 = check(state.audio1Kbps < 0);
    state.audio2Kbps = LenientAtoi(state.audio2Text);
    fields.audio2 = check(state.audio2Kbps < 0);

    const double audioTotal = double(state.audio1Kbps) + double(state.audio2Kbps);
    const std::int64_t totalSeconds =
        std::int64_t(state.hours) + std::int64_t(state.minutes) + std::int64_t(state.seconds);

    // 7. Choose the path.
    if (durationIsOutput) {
        // 9. Reverse: the typed bitrate stays, the duration follows from it.
        const double typed = LenientAtof(state.videoBitrateText);
        state.videoKbps = typed;
        const DurationResult duration =
            ComputeDuration(typed, state.mediumSizeMb, state.mediumCount, audioTotal, state.formatMode);
        state.hours = duration.hours;
        state.minutes = duration.minutes;
        state.seconds = duration.seconds;
        state.hoursText = StringPrintf("%d", duration.hours);
        state.minutesText = WithLeadingZero(duration.minutes);
        state.secondsText = WithLeadingZero(duration.seconds);
        fields.video = FieldState::Output;
    } else if (allValid && totalSeconds > 0) {
        // 8. Forward: the duration texts stay exactly as typed.
        state.videoKbps = ComputeVideoBitrate(state.hours, state.minutes, state.seconds, state.mediumSizeMb,
                                              state.mediumCount, audioTotal, state.formatMode);
        state.videoBitrateText = StringPrintf("%.3f", state.videoKbps);
        fields.video = state.videoKbps > 0.0 ? FieldState::Valid : FieldState::Invalid;
    } else {
        // 10. Error.
        state.videoKbps = 0.0;
        state.videoBitrateText = "error";
        fields.video = FieldState::Invalid;
    }
}

bool SnapAudioToSvcd(CalculatorState& state)
{
    auto snap = [](std::int32_t start) {
        std::int32_t value = start;
        for (const std::int32_t entry : SvcdAudioBitrates) {
            if (entry <= start)
                value = entry;
        }
        return value;
    };
    const std::int32_t first = state.audio1Kbps;
    if (first >= SvcdAudioBitrates.front()) {
        state.audio1Kbps = snap(first);
        state.audio1Text = StringPrintf("%d", state.audio1Kbps);
    }
    const std::int32_t second = state.audio2Kbps;
    if (second >= SvcdAudioBitrates.front()) {
        state.audio2Kbps = snap(second);
        state.audio2Text = StringPrintf("%d", state.audio2Kbps);
        return true;
    }
    return false;
}

void SetFormatMode(CalculatorState& state, FormatMode mode)
{
    state.formatMode = mode;
}

void ToggleLock(CalculatorState& state)
{
    state.locked = !state.locked;
}

void SetMediumCount(CalculatorState& state, std::int32_t count)
{
    state.mediumCount = count;
}

} // namespace ratewise
